#include <filesystem>
#include <fstream>

#include "core/Encoding.h"
#include "framework/GetImageOperation.h"
#include "framework/ImageCache.h"
#include "framework/ImageLoader.h"
#include "framework/NetButton.h"
#include "framework/NetImageView.h"
#include "framework/OperationQueue.h"
#include "platform/AppHome.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ImageView.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/framework/TestListScreen.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ScriptedServer;
using tovera::testing::ThumbCell;

namespace {

class RemoteImages : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        picture_ = tovera::testing::jpegBytes(32, 24);
        server_.bytes(picture_, "image/jpeg");
    }

    NetImageView* view() {
        auto* v = new NetImageView(QRectF(0, 64, 80, 60));
        window()->addSubview(v);
        return v;
    }
    // Waits until the view shows neither placeholder.
    static bool shows(NetImageView* v, const Image& image) {
        return waitFor([&] { return !v->isLoading() && v->image() == image; });
    }
    static bool showsPicture(NetImageView* v) {
        return waitFor([&] { return !v->isLoading() && !v->netimg().isNull(); });
    }

    ScriptedServer server_;
    std::string picture_;
};

TEST_F(RemoteImages, AFetchedPictureIsCachedAndThenShownWithoutTheNetwork) {
    const std::string url = server_.url("/pic/a.jpg?w=80&h=60");
    NetImageView* first = view();
    first->setImgUrl(url);
    EXPECT_EQ(first->image(), ImageLoader::loadingPicture());
    EXPECT_TRUE(server_.received().empty()) << "loading waits for load()";
    first->load();
    ASSERT_TRUE(showsPicture(first));
    EXPECT_EQ(first->image(), first->netimg());
    EXPECT_EQ(first->image().size(), QSizeF(32, 24));
    const std::string cached = platform::documentsDirectory() + "/" + URLEncodedString(url);
    EXPECT_TRUE(std::filesystem::exists(cached));
    EXPECT_EQ(ImageCache::read(url), picture_);

    NetImageView* second = view();
    second->setImgUrl(url + "|" + server_.url("/pic/other.jpg"));
    EXPECT_EQ(second->imgUrl(), url);
    EXPECT_FALSE(second->netimg().isNull()) << "shown from the cache at once";
    second->load();
    EXPECT_EQ(server_.received().size(), 1u);
}

TEST_F(RemoteImages, AnUndecodableCacheFileCountsAsMissing) {
    const std::string url = server_.url("/pic/c.jpg");
    ASSERT_TRUE(ImageCache::write(url, "<html>not a picture</html>"));
    NetImageView* v = view();
    v->setImgUrl(url);
    EXPECT_EQ(v->image(), ImageLoader::loadingPicture());
    v->load();
    ASSERT_TRUE(showsPicture(v));
    EXPECT_EQ(server_.received().size(), 1u);
    EXPECT_EQ(ImageCache::read(url), picture_) << "the good bytes replace the bad file";
}

TEST_F(RemoteImages, NoUrlOrAFailedFetchShowsNoPicture) {
    NetImageView* v = view();
    for (const char* empty : {"", "|x", ","}) {
        v->setImgUrl(empty);
        EXPECT_EQ(v->image(), ImageLoader::noPicture()) << empty;
        v->load();
    }
    EXPECT_TRUE(server_.received().empty());

    server_.bytes("garbage", "image/jpeg");
    const std::string url = server_.url("/pic/bad.jpg");
    v->setImgUrl(url);
    v->load();
    ASSERT_TRUE(shows(v, ImageLoader::noPicture()));
    EXPECT_TRUE(logged("cant't loadImg"));
    EXPECT_FALSE(ImageCache::read(url)) << "undecodable bytes are not kept";

    auto* button = new NetButton(QRectF(0, 200, 60, 60));
    window()->addSubview(button);
    button->setImgUrl("a,b");
    EXPECT_EQ(button->imgurlArray(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(button->imgUrl(), "a");
}

TEST_F(RemoteImages, AWidgetGivenAnotherUrlIgnoresTheEarlierPicture) {
    server_.holdPath("/pic/first.jpg");
    NetImageView* v = view();
    v->setImgUrl(server_.url("/pic/first.jpg"));
    v->load();
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 1; }));
    v->setImgUrl(server_.url("/pic/second.jpg"));
    server_.release();
    ASSERT_TRUE(
        waitFor([&] { return ImageCache::read(server_.url("/pic/first.jpg")).has_value(); }));
    processEvents();
    EXPECT_EQ(v->image(), ImageLoader::loadingPicture()) << "still the new row's placeholder";
    v->load();
    ASSERT_TRUE(showsPicture(v));
}

TEST_F(RemoteImages, AFailedFetchNeverHidesAPictureThatReachedTheCacheMeanwhile) {
    // A row's fetch fails while another fetch of the same picture (another
    // row, a previous start) has stored it: the row shows the stored picture.
    const std::string url = server_.url("/pic/late.jpg");
    server_.bytes("garbage", "image/jpeg");
    server_.holdPath("/pic/late.jpg");
    NetImageView* v = view();
    v->setImgUrl(url);
    v->load();
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 1; }));
    ASSERT_TRUE(ImageCache::write(url, picture_));
    server_.release();
    ASSERT_TRUE(showsPicture(v));
    processEvents();
    EXPECT_EQ(v->image(), v->netimg()) << "not the broken-picture icon";
}

TEST_F(RemoteImages, LongUrlsAreCachedUnderTheirDigest) {
    const std::string url = server_.url("/pic/" + std::string(300, 'l') + ".jpg");
    NetImageView* v = view();
    v->setImgUrl(url);
    v->load();
    ASSERT_TRUE(showsPicture(v));
    EXPECT_TRUE(std::filesystem::exists(platform::documentsDirectory() + "/" + md5Hash(url)));
}

TEST_F(RemoteImages, RowPicturesReachOnlyTheRowTheyWereMeantFor) {
    OperationQueue queue(2);
    auto* cell = new ThumbCell;
    window()->addSubview(cell);
    cell->setInfo({});
    const struct {
        const char* path;
        int cellRowAtArrival;
        bool picture;
    } cases[] = {{"/pic/row3.jpg", 3, true}, {"/pic/row7.jpg", 7, false}};
    for (const auto& c : cases) {
        server_.holdPath(c.path);
        const std::size_t before = server_.received().size();
        cell->setTag(3);
        cell->thumb()->setImage(ImageLoader::loadingPicture());
        auto op = std::make_unique<GetImageOperation>(3, cell);
        op->setImageURL(server_.url(c.path));
        GetImageOperation::enqueue(std::move(op), queue);
        ASSERT_TRUE(waitFor([&] { return server_.received().size() > before; }));
        cell->setTag(c.cellRowAtArrival);  // reused for another row meanwhile
        server_.release();
        queue.waitUntilAllOperationsAreFinished();
        ASSERT_TRUE(waitFor([&] { return ImageCache::read(server_.url(c.path)).has_value(); }));
        processEvents();
        EXPECT_EQ(cell->thumb()->image() == ImageLoader::loadingPicture(), !c.picture) << c.path;
        EXPECT_EQ(cell->thumb()->image().size(), c.picture ? QSizeF(32, 24) : QSizeF(80, 60));
    }

    // No URL: the sample picture "<index>.jpg", which does not exist.
    cell->setTag(4);
    cell->thumb()->setImage({});
    GetImageOperation::enqueue(std::make_unique<GetImageOperation>(4, cell), queue);
    ASSERT_TRUE(waitFor([&] { return !cell->thumb()->image().isNull(); }));
    EXPECT_EQ(cell->thumb()->image(), ImageLoader::noPicture());
    EXPECT_TRUE(logged("Unable to find sample image: 4.jpg"));

    // A cell gone before its picture arrives hears nothing.
    auto* gone = new ThumbCell;
    auto op = std::make_unique<GetImageOperation>(0, gone);
    op->setImageURL(server_.url("/pic/row3.jpg"));
    delete gone;
    GetImageOperation::enqueue(std::move(op), queue);
    queue.waitUntilAllOperationsAreFinished();
    processEvents();
}

}  // namespace
