// The project screen against the demo service and scripted replies: the
// overview and its buttons, following, the introduction and transport
// pages, and the failure alert of its own.
#include <QRegularExpression>

#include <algorithm>
#include <chrono>

#include "core/Gb18030.h"
#include "framework/ButtonsView.h"
#include "framework/ImageViewShow.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/QXViewController.h"
#include "platform/Dialer.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/web/WebView.h"
#include "property/HousePreview.h"
#include "property/HouseSupportView.h"
#include "property/IntroView.h"
#include "property/PhotoView.h"
#include "property/ToveraDetail.h"
#include "service/DemoService.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

QString barTitle(ViewController* screen) {
    return screen->navigationItem()->rightBarButtonItem()->title();
}

void tapTab(ToveraDetail* detail, int index) {
    TabBar* bar = detail->tabBar();
    EXPECT_TRUE(tap(bar->viewForItem(bar->items().value(index))));
    processEvents();
}

Button* pageButton(ToveraDetail* detail, const QString& caption) {
    for (QWidget* child : detail->btnView()->subviews())
        if (auto* button = qobject_cast<Button*>(child);
            button && button->titleForState(Button::Normal) == caption)
            return button;
    return nullptr;
}

class ToveraDetailDemo : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
    }

    ToveraDetail* openProject(const std::string& id) {
        Route route = Route::toObject(Destination::Project, id);
        auto* detail = qobject_cast<ToveraDetail*>(Navigator::build(route));
        open(detail);
        EXPECT_TRUE(waitFor([&] { return !detail->hf()->nameLbl()->text().isEmpty(); }));
        return detail;
    }
};

TEST_F(ToveraDetailDemo, ProjectOpensOnItsOverview) {
    ToveraDetail* detail = openProject("1001");
    ASSERT_TRUE(waitFor([&] { return !detail->dataArray().empty(); }));
    EXPECT_EQ(detail->title(), QStringLiteral("新房详情"));
    EXPECT_EQ(barTitle(detail), QStringLiteral("关注"));
    for (const char* caption : {"概况", "简介", "交通", "相册", "咨询", "资讯", "评论"})
        EXPECT_TRUE(pageButton(detail, QString::fromUtf8(caption))) << caption;
    HousePreview* hf = detail->hf();
    EXPECT_EQ(detail->currentPage(), hf);
    EXPECT_TRUE(isOnScreen(hf));
    EXPECT_EQ(hf->nameLbl()->text(), QStringLiteral("翠湖名邸"));
    EXPECT_EQ(hf->nameLbl()->tag(), 1001);
    EXPECT_EQ(hf->stateLbl()->text(), QStringLiteral("住宅 待售"));
    EXPECT_EQ(hf->priceLbl()->text(), QStringLiteral("15200元/平方米"));
    EXPECT_TRUE(hf->addressBtn()->isEnabled());
    ASSERT_TRUE(hf->pin().has_value());
    EXPECT_NEAR(hf->pin()->latitude, 31.856176, 1e-6);
    EXPECT_NEAR(hf->pin()->longitude, 117.325391, 1e-6);
    EXPECT_FALSE(hf->sellText()->text().isEmpty());
    EXPECT_NE(hf->sellText()->text(), QStringLiteral("暂无"));
    EXPECT_FALSE(hf->moreBtn()->isHidden());
    // One latest item, asked for with a dictionary of its own.
    const auto sells = demoService()->requestsTo("house/sell_list.aspx");
    ASSERT_EQ(sells.size(), 1u);
    EXPECT_EQ(sells[0].params.getStringValueForKey("size", ""), "1");
    EXPECT_EQ(sells[0].params.getStringValueForKey("id", ""), "1001");
    EXPECT_FALSE(sells[0].params.contains("api"));
}

TEST_F(ToveraDetailDemo, EveryPageButtonShowsItsPage) {
    ToveraDetail* detail = openProject("1001");
    ASSERT_TRUE(tapSettled(pageButton(detail, QStringLiteral("简介"))));
    auto* intro = qobject_cast<IntroView*>(detail->currentPage());
    ASSERT_TRUE(intro);
    ASSERT_TRUE(waitFor(
        [&] { return intro->webView()->visibleText().contains(QStringLiteral("翠湖名邸")); }));
    EXPECT_FALSE(isOnScreen(detail->hf()));

    ASSERT_TRUE(tapSettled(pageButton(detail, QStringLiteral("交通"))));
    auto* support = qobject_cast<HouseSupportView*>(detail->currentPage());
    ASSERT_TRUE(support);
    ASSERT_TRUE(waitFor(
        [&] { return support->webView()->visibleText().contains(QStringLiteral("站点:")); }));

    ASSERT_TRUE(tapSettled(pageButton(detail, QStringLiteral("评论"))));
    ASSERT_TRUE(detail->pageScreen());
    ASSERT_TRUE(
        waitFor([&] { return !demoService()->requestsTo("system/comment_list.aspx").empty(); }));
    processEvents();
    if (currentAlert()) ADD_FAILURE() << currentAlert()->message.toStdString();

    ASSERT_TRUE(tapSettled(pageButton(detail, QStringLiteral("资讯"))));
    ASSERT_TRUE(waitFor([&] { return !demoService()->requestsTo("news/search.aspx").empty(); }));
    EXPECT_EQ(
        demoService()->requestsTo("news/search.aspx").back().params.getStringValueForKey("hid", ""),
        "1001");

    ASSERT_TRUE(tapSettled(pageButton(detail, QStringLiteral("概况"))));
    EXPECT_EQ(detail->currentPage(), detail->hf());
    EXPECT_TRUE(isOnScreen(detail->hf()));
}

TEST_F(ToveraDetailDemo, FollowThenUnfollowSendsOneThenZero) {
    login("demo", "demo1234");
    // A followed-projects list beneath must reload when shown again.
    auto* followed = new QXViewController;
    followed->param().setUid(session().userId().value_or(""));
    open(followed);
    ToveraDetail* detail = openProject("1004");
    ASSERT_EQ(barTitle(detail), QStringLiteral("关注"));
    tapRightButton(detail);
    ASSERT_TRUE(waitFor([&] { return barTitle(detail) == QStringLiteral("取消关注"); }));
    EXPECT_TRUE(followed->param().param().contains("refresh"));
    tapRightButton(detail);
    ASSERT_TRUE(waitFor([&] { return barTitle(detail) == QStringLiteral("关注"); }));
    const auto focus = demoService()->requestsTo("user/focus.aspx");
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].params.getStringValueForKey("operate", ""), "1");
    EXPECT_EQ(focus[1].params.getStringValueForKey("operate", ""), "0");
    EXPECT_EQ(focus[0].params.getStringValueForKey("id", ""), "1004");
    // The follow never touched the detail's own parameters.
    EXPECT_FALSE(detail->param().param().contains("operate"));
    EXPECT_FALSE(detail->param().param().contains("api"));
}

TEST_F(ToveraDetailDemo, TwoQuickTapsOnFollowLeaveTheProjectFollowed) {
    login("demo", "demo1234");
    ToveraDetail* detail = openProject("1004");
    ASSERT_TRUE(waitFor([&] { return !detail->detail().empty(); }));
    ASSERT_EQ(barTitle(detail), QStringLiteral("关注"));
    // Both taps land before a reply (the service holds both answers back):
    // both ask to follow, and the second reply must not turn the shown
    // state back.
    service::Fault slow;
    slow.kind = service::Fault::Kind::kDelay;
    slow.count = 2;
    slow.delay = std::chrono::milliseconds(400);
    demoService()->injectFault("user/focus.aspx", slow);
    tapRightButton(detail);
    tapRightButton(detail);
    EXPECT_EQ(barTitle(detail), QStringLiteral("关注"));
    ASSERT_TRUE(waitFor([&] { return barTitle(detail) == QStringLiteral("取消关注"); }));
    EXPECT_FALSE(waitFor([&] { return barTitle(detail) == QStringLiteral("关注"); },
                         std::chrono::milliseconds(1500)));
    const auto focus = demoService()->requestsTo("user/focus.aspx");
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[1].params.getStringValueForKey("operate", ""), "1");
}

TEST_F(ToveraDetailDemo, SalesCallDialsTheNumberAsTheHomeListDoes) {
    ToveraDetail* detail = openProject("1003");
    platform::Dialer::shared().clearRequests();
    tapTab(detail, ToveraDetail::kCall);
    ASSERT_TRUE(currentActionSheet().has_value());
    EXPECT_TRUE(
        currentActionSheet()->buttons.contains(QStringLiteral("拨打:0551-65551234 转 8001?")));
    ASSERT_TRUE(answerActionSheet(0));
    ASSERT_EQ(platform::Dialer::shared().requests().size(), 1u);
    EXPECT_EQ(platform::Dialer::shared().requests()[0], "tel:0551-65551234,8001");
}

TEST_F(ToveraDetailDemo, OverviewButtonsOpenTheirScreens) {
    ToveraDetail* detail = openProject("1001");
    ASSERT_TRUE(waitFor([&] { return !detail->dataArray().empty(); }));
    HousePreview* hf = detail->hf();
    const struct {
        Button* button;
        QString title;
    } cases[] = {{hf->addressBtn(), QStringLiteral("地图")},
                 {hf->lookBtn(), QStringLiteral("搜索关注楼盘")},
                 {hf->buyBtn(), QStringLiteral("搜索购买楼盘")},
                 {hf->oldhouseBtn(), QStringLiteral("二手房")},
                 {hf->moreBtn(), QStringLiteral("销售信息")}};
    for (const auto& c : cases) {
        hf->setContentOffset(QPointF(0, std::max(0.0, c.button->frame().top() - 100)));
        processEvents();
        ASSERT_TRUE(tapSettled(c.button)) << c.title.toStdString();
        ASSERT_TRUE(waitFor([&] { return top() != detail; }))
            << c.title.toStdString() << " top " << top()->title().toStdString() << " stack "
            << nav()->viewControllers().size();
        EXPECT_EQ(top()->title(), c.title);
        // The member search tells a signed-out user that it needs a login.
        processEvents();
        if (currentAlert()) answerAlert(0);
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
}

TEST_F(ToveraDetailDemo, PhotoPagerTurnsToAPhotoThatOpensTheViewerThere) {
    ToveraDetail* detail = openProject("1001");
    ASSERT_TRUE(waitFor([&] { return !detail->dataArray().empty(); }));
    PhotoView* pager = detail->hf()->photoView();
    const std::size_t count = pager->picsArray().size();
    ASSERT_GE(count, 2u);
    ASSERT_TRUE(pager->imageButton(int(count) - 1));
    ASSERT_TRUE(tapSettled(pager->rightButton()));
    ASSERT_TRUE(waitFor([&] { return pager->index() == 1; }));
    ASSERT_TRUE(tapSettled(pager->imageButton(1)));
    ImageViewShow* viewer = ImageViewShow::inWindow(window());
    ASSERT_TRUE(waitFor([&] { return viewer->isVisible(); }));
    EXPECT_EQ(viewer->imgurlArray().size(), count);
    EXPECT_EQ(viewer->idx(), 1);
    viewer->setHidden(true);
}

// ---- Scripted replies ------------------------------------------------------

const char* kOddDetail =
    R"({"error_code":200,"id":"77","name":"无类盘","tel":"","state":"9","price":"0",)"
    R"("area":"","property":"","address":"滨湖路1号","selladdress":"","num_look":"2",)"
    R"("num_oldhouse":"0","map":"117.2|31.8","photos":[],"focused":"0"})";

class ToveraDetailScripted : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        useService(server_.base());
    }

    void answer(std::function<std::string(const std::string& path)> body) {
        server_.respond([body](const httplib::Request& request, httplib::Response& response) {
            response.set_content(gb18030::fromUtf8Lossy(body(request.path)), "application/json");
        });
    }

    ToveraDetail* openProject() {
        auto* detail = new ToveraDetail;
        detail->setHid(77);
        return open(detail);
    }

    tovera::testing::ScriptedServer server_;
};

TEST_F(ToveraDetailScripted, OddDetailStillReadsRight) {
    answer([](const std::string& path) -> std::string {
        if (path.find("sell_list") != std::string::npos)
            return R"({"error_code":200,"result":[],"total":0})";
        return kOddDetail;
    });
    ToveraDetail* detail = openProject();
    HousePreview* hf = detail->hf();
    ASSERT_TRUE(waitFor([&] { return hf->nameLbl()->text() == QStringLiteral("无类盘"); }));
    // No class: "住宅"; a state past the list: no state name.
    EXPECT_EQ(hf->stateLbl()->text(), QStringLiteral("住宅 "));
    EXPECT_EQ(hf->priceLbl()->text(), QStringLiteral("一房一价"));
    EXPECT_EQ(hf->buyBtn()->titleForState(Button::Normal), QStringLiteral("0人"));
    ASSERT_TRUE(hf->pin().has_value());
    EXPECT_DOUBLE_EQ(hf->pin()->latitude, 31.8);
    EXPECT_DOUBLE_EQ(hf->pin()->longitude, 117.2);
    EXPECT_EQ(hf->sellText()->text(), QStringLiteral("暂无"));
    EXPECT_TRUE(hf->sellDate()->isHidden());
    EXPECT_TRUE(hf->moreBtn()->isHidden());
    // No photo: a tap on the photo strip opens nothing.
    EXPECT_TRUE(tap(hf->photoView()));
    // No number: the toast, and no sheet.
    tapTab(detail, ToveraDetail::kCall);
    EXPECT_EQ(currentToast(), QStringLiteral("没有提供相关号码!"));
    EXPECT_FALSE(currentActionSheet().has_value());
}

TEST_F(ToveraDetailScripted, MapWithoutBarDisablesTheAddress) {
    Dict detail{{"id", "5"}, {"name", "甲"}, {"address", "乙路"}, {"map", "117.2,31.8"}};
    HousePreview preview(QRectF(0, 0, 320, 331));
    preview.setDetail(detail);
    EXPECT_FALSE(preview.pin().has_value());
    EXPECT_FALSE(preview.addressBtn()->isEnabled());
    detail.set("state", "1");
    detail.set("catname", "商铺");
    EXPECT_EQ(HousePreview::stateText(detail), QStringLiteral("商铺 在售"));
    detail.set("state", "-1");
    EXPECT_EQ(HousePreview::stateText(detail), QStringLiteral("商铺 "));
}

TEST_F(ToveraDetailScripted, FailuresShowTheirAlertsAndRetryKeepsOneSaleNews) {
    int detailFailures = 1;
    std::mutex mutex;
    answer([&](const std::string& path) -> std::string {
        if (path.find("sell_list") != std::string::npos)
            return R"({"error_code":200,"result":[{"selltxt":"加推","update_at":"今天","hid":"77"}],"total":1})";
        std::lock_guard lock(mutex);
        if (detailFailures > 0) {
            --detailFailures;
            return R"({"error_code":500,"msg":"x"})";
        }
        return kOddDetail;
    });
    ToveraDetail* detail = openProject();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    EXPECT_EQ(currentAlert()->buttons,
              (QStringList{QStringLiteral("确定"), QStringLiteral("返回")}));
    ASSERT_TRUE(waitFor([&] { return detail->dataArray().size() == 1; }));
    ASSERT_TRUE(answerAlert(0));
    ASSERT_TRUE(
        waitFor([&] { return detail->hf()->nameLbl()->text() == QStringLiteral("无类盘"); }));
    ASSERT_TRUE(waitFor([&] { return server_.received().size() >= 4; }));
    processEvents();
    EXPECT_EQ(detail->dataArray().size(), 1u);
    EXPECT_EQ(detail->hf()->sellText()->text(), QStringLiteral("加推"));

    // A refusal shows its message; an unreadable reply "出错了".
    answer([](const std::string&) -> std::string {
        return R"({"error_code":200,"code":1,"msg":"该楼盘不存在"})";
    });
    ToveraDetail* refused = openProject();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("该楼盘不存在"));
    while (currentAlert())
        answerAlert(0), processEvents();
    EXPECT_EQ(top(), refused);

    answer([](const std::string&) -> std::string { return "{\"error_code\":200,"; });
    openProject();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("出错了"));
    while (currentAlert())
        answerAlert(0), processEvents();

    // "返回" leaves the project.
    answer([](const std::string&) -> std::string { return R"({"error_code":500,"msg":"x"})"; });
    ToveraDetail* failed = openProject();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    ASSERT_TRUE(answerAlert(1));
    ASSERT_TRUE(waitFor([&] { return top() != failed; }));
}

TEST_F(ToveraDetailScripted, IntroductionOfOneCharacterReadsNone) {
    answer(
        [](const std::string&) -> std::string { return R"({"error_code":200,"introduce":"x"})"; });
    auto* root = new ViewController;
    showRoot(root);
    auto* intro = new IntroView(QRectF(0, 0, 320, 300));
    root->view()->addSubview(intro);
    intro->param().setRid("77");
    intro->reloadData();
    ASSERT_TRUE(
        waitFor([&] { return intro->webView()->visibleText().contains(QStringLiteral("暂无")); }));
}

TEST_F(ToveraDetailScripted, TransportShowsMarkupOfTheServiceAsText) {
    answer([](const std::string&) -> std::string {
        return R"({"error_code":200,"loction":"<b>湖站","traffic":[{"busname":"1路","busline":"<b>湖站—火车站"}],"supporting":"学校&医院"})";
    });
    auto* root = new ViewController;
    showRoot(root);
    auto* support = new HouseSupportView(QRectF(0, 0, 320, 300));
    root->view()->addSubview(support);
    support->param().setRid("77");
    support->reloadData();
    ASSERT_TRUE(waitFor(
        [&] { return support->webView()->visibleText().contains(QStringLiteral("火车站")); }));
    const QString shown = support->webView()->visibleText();
    EXPECT_TRUE(shown.contains(QStringLiteral("站点:<b>湖站"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("学校&医院")));

    Dict reply{{"loction", "<b>湖站"}, {"supporting", ""}};
    const QString html = HouseSupportView::pageHtml(reply);
    EXPECT_EQ(html.count(QStringLiteral("<font color=\"red\">&lt;b&gt;湖站</font>")), 1);
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));
    // A stop named like the markup leaves the markup whole.
    Dict font{{"loction", "br"},
              {"traffic", Array{Value(Dict{{"busname", "br"}, {"busline", "x"}})}}};
    EXPECT_TRUE(HouseSupportView::pageHtml(font).contains(
        QStringLiteral("<br/><font color=\"red\">br</font><br/>x")));

    // A refusal is a toast, and the page is still built.
    answer([](const std::string&) -> std::string {
        return R"({"error_code":200,"code":1,"msg":"该楼盘不存在"})";
    });
    support->reloadData();
    ASSERT_TRUE(waitFor([] { return currentToast() == QStringLiteral("该楼盘不存在"); }));
    EXPECT_FALSE(currentAlert().has_value());
}

}  // namespace
