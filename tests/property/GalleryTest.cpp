// Albums: the album list names each album (by its title, else by its
// category), an album shows every one of its pictures however many pages
// they take, category 0 gathers the pictures of the other albums, and a
// picture opens the shared viewer at it.
#include <atomic>
#include <string>

#include "core/Gb18030.h"
#include "framework/ButtonItem.h"
#include "framework/ImageViewShow.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Label.h"
#include "property/Gallery.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// Album 5 holds 23 pictures, album 2 three, album 99 none; the service
// answers ten at a time by "page".
std::string galleryReply(int type, int page) {
    if (type == 0) {
        return R"({"error_code":200,"total":4,"result":[
            {"type":"0","title":"","picico_url":""},
            {"type":"5","title":"","picico_url":""},
            {"type":"2","title":"外景","picico_url":""},
            {"type":"99","title":"","picico_url":""}]})";
    }
    const int count = type == 5 ? 23 : type == 2 ? 3 : 0;
    std::string rows;
    for (int i = (page - 1) * 10; i < std::min(count, page * 10); ++i) {
        const std::string n = std::to_string(type) + "_" + std::to_string(i);
        if (!rows.empty()) rows += ",";
        rows += R"({"picico_url":"","picbig_url":"http://pictures.invalid/big)" + n +
                R"(.jpg","title":"","picname":"图)" + n + R"("})";
    }
    return R"({"error_code":200,"total":)" + std::to_string(count) + R"(,"result":[)" + rows + "]}";
}

class GalleryScreen : public tovera::testing::NewsListsUiTest {
protected:
    void SetUp() override {
        NewsListsUiTest::SetUp();
        scripted_.respond([this](const httplib::Request& request, httplib::Response& response) {
            auto number = [&](const char* key) {
                return request.has_param(key) ? std::stoi(request.get_param_value(key)) : 1;
            };
            if (number("page") == brokenPage_) {
                response.set_content("<html>busy</html>", "text/html");
                return;
            }
            response.set_content(gb18030::fromUtf8Lossy(galleryReply(number("t"), number("page"))),
                                 "application/json; charset=GB18030");
        });
    }
    // The requests for album `type`, by their pages.
    std::vector<std::string> pagesOf(const std::string& type) const {
        std::vector<std::string> pages;
        for (const auto& request : scripted_.received()) {
            const std::string query =
                "&" + request.target.substr(request.target.find('?') + 1) + "&";
            if (query.find("&t=" + type + "&") == std::string::npos) continue;
            const std::size_t at = query.find("&page=");
            if (at != std::string::npos)
                pages.push_back(query.substr(at + 6, query.find('&', at + 1) - at - 6));
        }
        return pages;
    }
    Gallery* album(const std::string& type) {
        auto* gallery = new Gallery;
        gallery->param().setRid("1001");
        gallery->param().setType(type);
        gallery->param().setApi("gallery");
        return push(gallery);
    }
    Gallery* albumList() {
        auto* grid = new Gallery;
        grid->param().setRid("1001");
        grid->getGrid();
        return push(grid);
    }
    /// The page answered with a body that is no reply.
    std::atomic<int> brokenPage_{0};

    static QString captionAt(Gallery* gallery, int position) {
        auto* item = qobject_cast<ButtonItem*>(gallery->gridView()->getItemAtPosition(position));
        return item ? item->label()->text() : QStringLiteral("<none>");
    }
};

TEST_F(GalleryScreen, AnAlbumOfTwentyThreePicturesShowsThemAll) {
    Gallery* gallery = album("5");
    ASSERT_TRUE(waitFor([&] { return gallery->items().size() == 23u; }));
    processEvents();
    EXPECT_EQ(gallery->gridView()->rowdata().size(), 23);
    EXPECT_EQ(captionAt(gallery, 22), QStringLiteral("图5_22"));
    EXPECT_EQ(pagesOf("5"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(gallery->title(), QStringLiteral("相册"));
}

TEST_F(GalleryScreen, TheAlbumListNamesAlbumsAndOpensThem) {
    Gallery* grid = albumList();
    ASSERT_TRUE(waitFor([&] { return grid->items().size() == 4u; }));
    processEvents();
    EXPECT_EQ(grid->param().api(), "grid");
    EXPECT_EQ(captionAt(grid, 0), QStringLiteral("全部"));
    EXPECT_EQ(captionAt(grid, 1), QStringLiteral("交通图"));
    EXPECT_EQ(captionAt(grid, 2), QStringLiteral("外景"));
    // A category past the names has no name rather than another's.
    EXPECT_EQ(captionAt(grid, 3), QString());

    ASSERT_TRUE(tap(grid->gridView()->getItemAtPosition(2)));
    auto* opened = qobject_cast<Gallery*>(top());
    ASSERT_NE(opened, nullptr);
    ASSERT_NE(opened, grid);
    EXPECT_EQ(opened->param().api(), "gallery");
    EXPECT_EQ(opened->param().type(), "2");
    EXPECT_EQ(opened->param().rid(), "1001");
    ASSERT_TRUE(waitFor([&] { return opened->items().size() == 3u; }));
}

TEST_F(GalleryScreen, CategoryZeroGathersThePicturesOfTheOtherAlbums) {
    Gallery* grid = albumList();
    ASSERT_TRUE(waitFor([&] { return grid->items().size() == 4u; }));
    processEvents();
    ASSERT_TRUE(tap(grid->gridView()->getItemAtPosition(0)));
    auto* all = qobject_cast<Gallery*>(top());
    ASSERT_TRUE(all && all != grid);
    ASSERT_TRUE(waitFor([&] { return all->items().size() == 26u; }));
    processEvents();
    EXPECT_EQ(pagesOf("0").size(), 1u) << "the album list is not asked for again";
    EXPECT_EQ(pagesOf("2"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(captionAt(all, 25), QStringLiteral("图2_2"));
    EXPECT_EQ(all->gridView()->backgroudView(), nullptr);
}

TEST_F(GalleryScreen, APictureOpensTheViewerAtIt) {
    Gallery* gallery = album("2");
    ASSERT_TRUE(waitFor([&] { return gallery->items().size() == 3u; }));
    processEvents();
    ASSERT_TRUE(tap(gallery->gridView()->getItemAtPosition(1)));
    ImageViewShow* viewer = ImageViewShow::inWindow(window());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->imgurlArray(),
              (std::vector<std::string>{"http://pictures.invalid/big2_0.jpg",
                                        "http://pictures.invalid/big2_1.jpg",
                                        "http://pictures.invalid/big2_2.jpg"}));
    EXPECT_EQ(viewer->idx(), 1);
    viewer->setHidden(true);

    // A given list captions the pictures by their names.
    auto* photos = new Gallery;
    Array given;
    given.push_back(Dict{
        {"picico_url", ""}, {"picbig_url", "http://pictures.invalid/a.jpg"}, {"picname", "客厅"}});
    photos->setIcons(given);
    push(photos);
    EXPECT_EQ(captionAt(photos, 0), QStringLiteral("客厅"));
    ASSERT_TRUE(tap(photos->gridView()->getItemAtPosition(0)));
    EXPECT_EQ(viewer->nameArray(), (std::vector<std::string>{"客厅"}));
    EXPECT_TRUE(scripted_.received().size() == 1u) << "a given list asks for nothing";
}

TEST_F(GalleryScreen, AnEmptyAlbumSaysSo) {
    Gallery* gallery = album("99");
    ASSERT_TRUE(waitFor([&] { return !pagesOf("99").empty(); }));
    ASSERT_TRUE(settled());
    EXPECT_TRUE(gallery->items().empty());
    EXPECT_EQ(gallery->gridView()->backgroudView(), gallery->noItemView());
    EXPECT_EQ(gallery->noItemView()->text(), QStringLiteral("暂无"));
}

TEST_F(GalleryScreen, AnUnreadablePageKeepsThePicturesShown) {
    brokenPage_ = 2;
    Gallery* gallery = album("5");
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->title, QStringLiteral("提示"));
    // An unreadable reply is the client's own error.
    EXPECT_EQ(currentAlert()->message, QStringLiteral("出错了"));
    EXPECT_EQ(gallery->items().size(), 10u);
    EXPECT_EQ(gallery->gridView()->rowdata().size(), 10);
    EXPECT_EQ(gallery->param().page(), "1");
}

TEST_F(GalleryScreen, TheDemoProjectsAlbumsOpen) {
    useDemo();
    Gallery* grid = albumList();
    ASSERT_TRUE(waitFor([&] { return !grid->items().empty(); }));
    ASSERT_TRUE(settled());
    EXPECT_EQ(int(grid->items().size()), grid->total());
    EXPECT_FALSE(captionAt(grid, 0).isEmpty());
    grid->didSelectItemAtPosition(grid->gridView(), 0);
    auto* opened = qobject_cast<Gallery*>(top());
    ASSERT_TRUE(opened && opened != grid);
    ASSERT_TRUE(waitFor([&] { return !opened->items().empty(); }));
    EXPECT_FALSE(opened->items()[0].getStringValueForKey("picbig_url", "").empty());
}

}  // namespace
