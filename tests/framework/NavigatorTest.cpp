// The navigator: a registered builder gets the route's parameters and title,
// a destination without one opens the placeholder titled by the route (else
// by the destination), and screens land on the stack they were opened from.
#include <QString>

#include "framework/Navigator.h"
#include "framework/QXViewController.h"
#include "framework/UnavailableScreen.h"
#include "tests/framework/FrameworkUiTest.h"

using namespace tovera;
using platform::ui::ViewController;

namespace {

class NavigatorTest : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        Navigator::clear();
    }
    void TearDown() override {
        Navigator::clear();
        FrameworkUiTest::TearDown();
    }
};

TEST_F(NavigatorTest, BuildersGetTheRouteAndTheRestOpenThePlaceholder) {
    Navigator::registerBuilder(Destination::Article, [](const Route& route) {
        return withRoute(new QXViewController, route);
    });
    Route article = Route::toObject(Destination::Article, "42");
    article.param.setType("8");
    article.title = QStringLiteral("资讯正文");
    auto* built = qobject_cast<QXViewController*>(Navigator::build(article));
    ASSERT_TRUE(built);
    EXPECT_EQ(built->param().rid(), "42");
    EXPECT_EQ(built->param().type(), "8");
    EXPECT_EQ(built->title(), QStringLiteral("资讯正文"));
    delete built;

    const struct {
        Route route;
        QString title;
    } placeholders[] = {
        {{Destination::Topic}, QStringLiteral("话题详情")},
        {{Destination::Listings, {}, QStringLiteral("租房")}, QStringLiteral("租房")},
    };
    for (const auto& [route, title] : placeholders) {
        ViewController* screen = Navigator::build(route);
        EXPECT_TRUE(qobject_cast<UnavailableScreen*>(screen));
        EXPECT_EQ(screen->title(), title);
        delete screen;
    }

    // A builder that can build nothing now also leaves the placeholder.
    Navigator::registerBuilder(Destination::Login, [](const Route&) { return nullptr; });
    ViewController* login = Navigator::build({Destination::Login});
    EXPECT_TRUE(qobject_cast<UnavailableScreen*>(login));
    EXPECT_EQ(login->title(), QStringLiteral("用户登录"));
    delete login;
}

TEST_F(NavigatorTest, ScreensOpenOnTheStackTheyWereOpenedFrom) {
    auto* root = new QXViewController;
    showRoot(root);
    ViewController* pushed = Navigator::open(root, {Destination::Project});
    ASSERT_TRUE(pushed);
    EXPECT_EQ(nav()->topViewController(), pushed);

    // From nowhere: the application's stack.
    ViewController* fromCell = Navigator::open(nullptr, {Destination::Activity});
    EXPECT_EQ(nav()->topViewController(), fromCell);

    // A screen on no stack opens nothing.
    QXViewController loose;
    EXPECT_EQ(Navigator::open(&loose, {Destination::Topic}), nullptr);
    EXPECT_EQ(nav()->topViewController(), fromCell);
}

}  // namespace
