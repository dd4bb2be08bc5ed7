// The home screen: its list against the demo service (paging, pull-to-
// refresh, thumbnails, rows opening the project), the first start without a
// city, the unread poll on the timer, and the root-screen services.
#include <QString>

#include "framework/ImageLoader.h"
#include "framework/ImageViewShow.h"
#include "framework/NoticeView.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "property/HomeCell.h"
#include "property/MenuIcons.h"
#include "property/ToveraDetail.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using namespace std::chrono_literals;
using tovera::testing::ScriptedServer;

namespace {

class HomeScreen : public tovera::testing::HomeScreenTest {
protected:
    void tapLoadMore() {
        TableView* table = home_->tableView();
        table->setContentOffset(table->maximumOffset());
        processEvents();
        ASSERT_TRUE(tap(table->tableFooterView()));
    }
    // Serves the home list (`total` rows) and the unread counts.
    void serve(ScriptedServer& server, int total, std::shared_ptr<std::string> number) {
        server.respond([total, number](const httplib::Request& request,
                                       httplib::Response& response) {
            if (request.path.find("newmsg") != std::string::npos) {
                if (number->empty())
                    response.status = 500;
                else
                    response.set_content(R"({"error_code":200,"number":")" + *number + "\"}",
                                         "application/json");
                return;
            }
            const int page =
                request.has_param("page") ? std::stoi(request.get_param_value("page")) : 1;
            response.set_content(tovera::testing::listPage(page, total, total), "application/json");
        });
        useService(server.base());
    }
    static std::size_t countPath(const ScriptedServer& server, const std::string& part) {
        std::size_t n = 0;
        for (const auto& request : server.received())
            n += request.path.find(part) != std::string::npos;
        return n;
    }
};

TEST_F(HomeScreen, ListPagesThroughTheProjectsOfTheCityAndRefreshes) {
    prepare(false);
    platform::preferences().setString("cityid", "3401");
    platform::preferences().setString("city", "合肥");
    startDemoService();
    openHome();
    EXPECT_EQ(home_->title(), QStringLiteral("安家房产网"));
    EXPECT_EQ(home_->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("合肥"));
    ASSERT_EQ(home_->dataArray().size(), 10u);
    const int total = home_->tableView()->tag();
    ASSERT_GT(total, 10) << "the demo city has more than a page of projects";
    EXPECT_EQ(home_->param().type(), "4");

    auto* more = qobject_cast<Button*>(home_->tableView()->tableFooterView());
    ASSERT_TRUE(more);
    EXPECT_EQ(more->currentTitle(), QStringLiteral("加载更多"));
    tapLoadMore();
    ASSERT_TRUE(waitFor([&] { return home_->dataArray().size() > 10; }));
    EXPECT_EQ(home_->param().page(), "2");
    EXPECT_EQ(home_->param().more(), "1");
    EXPECT_EQ(home_->tableView()->numberOfRowsInSection(0), int(home_->dataArray().size()));

    // Pulling down starts again from the first page.
    home_->tableView()->setContentOffset(QPointF(0, 0));
    processEvents();
    ASSERT_TRUE(drag(home_->tableView(), QPointF(160, 100), QPointF(0, 80)));
    ASSERT_TRUE(waitFor([&] { return !home_->reloading(); }));
    EXPECT_EQ(home_->dataArray().size(), 10u);
    EXPECT_EQ(home_->param().page(), "1");
    EXPECT_FALSE(currentAlert());
}

TEST_F(HomeScreen, RowsShowTheirProjectAndPictureAndOpenTheDetail) {
    prepare(false);
    startDemoService();
    openHome();
    auto* cell = qobject_cast<HomeCell*>(home_->tableView()->cellForRowAtIndexPath({0, 0}));
    ASSERT_TRUE(cell);
    const Value& row = home_->dataArray()[0];
    EXPECT_EQ(cell->nameLbl()->text(),
              QString::fromStdString("[" + row.getStringValueForKey("type", "") + "]" +
                                     row.getStringValueForKey("name", "")));
    EXPECT_EQ(cell->telBtn()->currentTitle(),
              QString::fromStdString(row.getStringValueForKey("tel", "")));
    EXPECT_EQ(cell->tag(), 0);
    // The picture arrives from the screen's queue in place of the placeholder.
    const QImage placeholder = ImageLoader::noPicture().toImage();
    ASSERT_TRUE(waitFor([&] { return cell->iconView()->image().toImage() != placeholder; }));

    ASSERT_TRUE(tap(cell));
    ASSERT_TRUE(waitFor([&] { return top() != home_; }));
    auto* detail = qobject_cast<ToveraDetail*>(top());
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->title(), QStringLiteral("新房详情"));
    EXPECT_EQ(detail->param().rid(), home_->items()[0].getStringValueForKey("id", ""));
    EXPECT_FALSE(home_->tableView()->indexPathForSelectedRow());
}

TEST_F(HomeScreen, ReplyWithACodeShowsWhatWentWrongAndAddsNothing) {
    ScriptedServer server;
    server.reply(R"({"error_code":200,"code":0,"msg":"维护中","result":[{"id":"1"}],"total":1})");
    useService(server.base());
    prepare(false);
    home_ = new Tovera;
    showRoot(home_);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    const auto alert = currentAlert();
    EXPECT_EQ(alert->title, QStringLiteral("出错了"));
    EXPECT_EQ(alert->message, QStringLiteral("维护中"));
    EXPECT_EQ(alert->buttons, QStringList{QStringLiteral("确定")});
    EXPECT_TRUE(home_->dataArray().empty());
}

TEST_F(HomeScreen, FirstStartWithoutACityOpensTheCityChoiceOverTheHome) {
    startDemoService();
    home_ = new Tovera;
    showRoot(home_);
    ASSERT_TRUE(waitFor([&] { return nav()->modalViewController() != nullptr; }));
    EXPECT_EQ(home_->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("切换城市"));
    EXPECT_EQ(nav()->viewControllers().size(), 1);

    // With a city stored, nothing is presented.
    nav()->modalViewController()->dismissModalViewControllerAnimated(false);
    processEvents();
    prepare(false);
    auto* again = new Tovera;
    showRoot(again);
    processEvents();
    EXPECT_FALSE(nav()->modalViewController());
}

TEST_F(HomeScreen, UnreadCountsArePolledEveryFiveMinutesAndFailuresStaySilent) {
    ScriptedServer server;
    auto number = std::make_shared<std::string>("1,2,3,4");
    serve(server, 15, number);
    prepare(true);
    openHome();
    ASSERT_TRUE(waitFor([&] { return home_->noticeView()->num() == 10; }));
    ASSERT_EQ(countPath(server, "newmsg"), 1u);
    const auto poll = server.received();
    for (const auto& request : poll)
        if (request.path.find("newmsg") != std::string::npos) {
            EXPECT_NE(request.target.find("uid=5"), std::string::npos) << request.target;
            EXPECT_NE(request.target.find("lasttime=0%2C0%2C0%2C0"), std::string::npos)
                << request.target;
            EXPECT_EQ(request.target.find("api="), std::string::npos) << request.target;
        }

    *number = "2,2,2,2";
    fastForward(299s);
    EXPECT_EQ(countPath(server, "newmsg"), 1u);
    fastForward(1s);
    ASSERT_TRUE(waitFor([&] { return home_->noticeView()->num() == 8; }));
    EXPECT_EQ(countPath(server, "newmsg"), 2u);

    // A failing poll shows nothing and changes nothing; a malformed count
    // leaves the badge as it was.
    number->clear();
    fastForward(300s);
    ASSERT_TRUE(waitFor([&] { return countPath(server, "newmsg") == 3; }));
    ASSERT_TRUE(waitFor([&] { return logged("newmsg failed"); }));
    processEvents();
    EXPECT_FALSE(currentAlert());
    EXPECT_EQ(home_->noticeView()->num(), 8);
    EXPECT_EQ(home_->dataArray().size(), 10u);
    *number = "1,2,3";
    fastForward(300s);
    ASSERT_TRUE(waitFor([&] { return home_->DStovera().number() == "1,2,3"; }));
    EXPECT_EQ(home_->noticeView()->num(), 8);
}

TEST_F(HomeScreen, SignedOutHomeDoesNotPoll) {
    ScriptedServer server;
    serve(server, 5, std::make_shared<std::string>("1,1,1,1"));
    prepare(false);
    openHome();
    chooseTab(1);
    chooseTab(3);
    fastForward(300s);
    processEvents();
    EXPECT_EQ(countPath(server, "newmsg"), 0u);
    EXPECT_TRUE(home_->noticeView()->isHidden());
    // No further rows past the total: no footer.
    chooseTab(0);
    EXPECT_EQ(home_->tableView()->tableFooterView(), nullptr);
    EXPECT_EQ(home_->tableView()->numberOfRowsInSection(0), 5);
}

TEST_F(HomeScreen, RootServicesServeEveryScreen) {
    prepare(false);
    startDemoService();
    openHome();
    EXPECT_EQ(Tovera::toveraViewController(), home_);
    EXPECT_EQ(&RootScreenServices::shared(), static_cast<RootScreenServices*>(home_));

    home_->saveParam(Value("5|7"), "users");
    EXPECT_EQ(RootScreenServices::shared().getParam("users"), Value("5|7"));
    home_->removeParam("users");
    EXPECT_TRUE(home_->getParam("users").isNull());
    EXPECT_FALSE(home_->param().param().contains("users")) << "never sent with the home list";

    ImageViewShow* viewer = Tovera::imgViewShow();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(Tovera::imgViewShow(), viewer);
    EXPECT_TRUE(viewer->isHidden());

    // User pages: nothing for no id; the login prompt while signed out.
    home_->showUserInfo(0);
    EXPECT_FALSE(currentAlert());
    home_->showUserInfo(7);
    ASSERT_TRUE(currentAlert());
    EXPECT_EQ(currentAlert()->message, QStringLiteral("您还没有登录，请登录!"));
    answerAlert(1);
    EXPECT_EQ(top(), home_);
    home_->DStovera().setUid("7", "token", "3402");
    home_->showUserInfo(7);
    ASSERT_TRUE(waitFor([&] { return top() != home_; }));
    EXPECT_EQ(top()->title(), QStringLiteral("个人资料"));
    home_->back();
    ASSERT_TRUE(waitFor([&] { return top() == home_; }));
    home_->showUserInfo(9);
    ASSERT_TRUE(waitFor([&] { return top() != home_; }));
    EXPECT_EQ(top()->title(), QStringLiteral("用户资料"));

    // The failure alert takes away the screen whose request failed.
    home_->errAlert(top());
    ASSERT_TRUE(currentAlert());
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    answerAlert(0);
    ASSERT_TRUE(waitFor([&] { return top() == home_; }));

    // The city button presents the city choice.
    home_->navigationItem()->rightBarButtonItem()->trigger();
    ASSERT_TRUE(waitFor([&] { return nav()->modalViewController() != nullptr; }));
}

}  // namespace
