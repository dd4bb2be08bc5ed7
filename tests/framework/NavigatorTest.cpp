// The navigator: a registered builder gets the route's parameters and title,
// a destination without one opens nothing, and screens land on the stack they
// were opened from.
#include <QString>

#include "framework/Navigator.h"
#include "framework/QXViewController.h"
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

TEST_F(NavigatorTest, BuildersGetTheRouteAndTheRestOpenNothing) {
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

    // A destination without a builder, or whose builder builds nothing,
    // opens nothing: no screen is pushed or presented.
    Navigator::registerBuilder(Destination::Login, [](const Route&) { return nullptr; });
    auto* root = new QXViewController;
    showRoot(root);
    for (const Route& route : {Route{Destination::Topic}, Route{Destination::Login}}) {
        EXPECT_EQ(Navigator::build(route), nullptr);
        EXPECT_EQ(Navigator::open(root, route), nullptr);
        EXPECT_EQ(Navigator::present(root, route), nullptr);
    }
    EXPECT_EQ(nav()->viewControllers().size(), 1);
    EXPECT_EQ(root->modalViewController(), nullptr);
}

TEST_F(NavigatorTest, ScreensOpenOnTheStackTheyWereOpenedFrom) {
    for (Destination d : {Destination::Project, Destination::Activity, Destination::Topic})
        Navigator::registerBuilder(
            d, [](const Route& route) { return withRoute(new QXViewController, route); });
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
