// The list screen against the demo service in each skin, saved as PNG for a
// person to look at (build/<dir>/tests/framework/screenshots).
#include <QDir>

#include "framework/ActivityView.h"
#include "framework/FaceController.h"
#include "framework/ImageLoader.h"
#include "framework/ImageViewShow.h"
#include "framework/MyScrollView.h"
#include "framework/NavigationStyle.h"
#include "framework/NetImageView.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/ImageView.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/TestListScreen.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::TestListScreen;
using tovera::testing::ThumbCell;

namespace {

class Screenshots : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        base_ = startDemoService();
        QDir().mkpath(QStringLiteral(TOVERA_SCREENSHOT_DIR));
    }
    void save(const QString& name) {
        const QImage picture = render(window());
        EXPECT_FALSE(looksBlank(picture)) << name.toStdString();
        EXPECT_TRUE(savePng(window(), QStringLiteral(TOVERA_SCREENSHOT_DIR "/%1.png").arg(name)));
    }

    std::string base_;
};

TEST_F(Screenshots, TheListScreenInEverySkin) {
    for (const char* skin : {"orange", "black", "default"}) {
        platform::preferences().setString("skin", skin);
        auto* screen = new TestListScreen(session());
        showRoot(screen);
        NavigationStyle::applySkin(nav()->navigationBar());
        ASSERT_TRUE(waitFor([&] { return screen->didLoadCount == 1; }));
        EXPECT_GT(screen->items().size(), 0u) << "the demo service's home list";
        ASSERT_TRUE(waitFor([&] {
            for (TableViewCell* cell : screen->table()->visibleCells()) {
                auto* row = qobject_cast<ThumbCell*>(cell);
                if (!row || row->thumb()->image() == ImageLoader::noPicture()) return false;
            }
            return true;
        })) << "every visible row shows its thumbnail";
        screen->table()->selectRowAtIndexPath(IndexPath{0, 1}, false,
                                              TableView::ScrollPosition::None);
        processEvents();
        save(QStringLiteral("list-%1").arg(skin));
    }

    // The loading state and the emoticon picker, in the last skin.
    auto* picker = new FaceController;
    nav()->pushViewController(picker, false);
    ActivityView::shared()->show();
    processEvents();
    EXPECT_TRUE(ActivityView::shared()->activityView()->isVisible());
    save(QStringLiteral("faces-loading"));
    ActivityView::shared()->disMiss();

    ImageViewShow* viewer = ImageViewShow::inWindow(window());
    viewer->setPics(base_ + "/pic/article_01.jpg|" + base_ + "/pic/article_02.jpg");
    viewer->setNameArray({"第一张"});
    viewer->setHidden(false);
    ASSERT_TRUE(waitFor([&] { return !viewer->page(0)->imageView()->netimg().isNull(); }));
    save(QStringLiteral("viewer"));
}

}  // namespace
