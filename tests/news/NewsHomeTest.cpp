// The news home: its category strip, "更多", the subscribe toggle, the
// screen without its strip, and what failures leave behind.
#include <QPointer>
#include <QString>

#include "core/Gb18030.h"
#include "framework/ButtonsView.h"
#include "news/Favorite.h"
#include "news/MoreNewCat.h"
#include "news/News.h"
#include "news/NewsList.h"
#include "news/NewsSearch.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::categoriesReply;

namespace {

class NewsHome : public tovera::testing::NewsListsUiTest {
protected:
    // The scripted server answers the categories with `sortBody` and every
    // article list with an empty page.
    void scriptCategories(const std::string& sortBody) {
        scripted_.respond([sortBody](const httplib::Request& request, httplib::Response& response) {
            const bool sort = request.path.find("news/sort.aspx") != std::string::npos;
            response.set_content(
                gb18030::fromUtf8Lossy(sort ? sortBody
                                            : R"({"error_code":200,"result":[],"total":0})"),
                "application/json; charset=GB18030");
        });
    }
    News* openNews(bool strip = true) {
        auto* news = new News;
        news->hasBtnsView(strip);
        return push(news);
    }
    QList<Button*> stripButtons(News* news) {
        QList<Button*> out;
        for (QWidget* child : news->btnsView()->subviews())
            if (auto* b = qobject_cast<Button*>(child)) out << b;
        return out;
    }
    // The strip is built and the loading overlay (which takes the taps
    // while it shows) is gone.
    bool hasButtons(News* news) {
        return waitFor([&] { return !stripButtons(news).isEmpty(); }) && settled();
    }
    // The "t" of every article list request the scripted server received.
    QStringList listTypes() {
        QStringList out;
        for (const auto& r : scripted_.received())
            if (r.path.find("news/search.aspx") != std::string::npos) {
                const auto at = r.target.find("t=");
                out << (at == std::string::npos ? QString()
                                                : QString::fromStdString(r.target.substr(
                                                      at + 2, r.target.find('&', at) - at - 2)));
            }
        return out;
    }
};

TEST_F(NewsHome, StripShowsFourCategoriesAndMoreListsTheRest) {
    const struct {
        int categories;
        int buttons;  // category buttons before "更多"
        double width;
        QStringList more;
    } cases[] = {
        {10, 4, 63, {"分类4", "分类5", "分类6", "分类7", "分类8", "分类9", "分类10"}},
        {3, 3, 79, {"分类1", "分类2", "分类3"}},
        {1, 1, 159, {"分类1"}},
    };
    for (const auto& c : cases) {
        scriptCategories(categoriesReply(c.categories));
        News* news = openNews();
        ASSERT_TRUE(hasButtons(news)) << c.categories;
        const QList<Button*> buttons = stripButtons(news);
        ASSERT_EQ(buttons.size(), c.buttons + 1) << c.categories;
        for (int i = 0; i < buttons.size(); ++i) {
            EXPECT_DOUBLE_EQ(buttons[i]->frame().width(), c.width) << c.categories;
            EXPECT_DOUBLE_EQ(buttons[i]->frame().x(), 1 + i * c.width) << c.categories;
            EXPECT_DOUBLE_EQ(buttons[i]->frame().height(), 28);
        }
        EXPECT_EQ(buttons.last()->currentTitle(), QStringLiteral("更多"));
        EXPECT_TRUE(buttons.first()->isSelected());
        EXPECT_EQ(news->title(), QStringLiteral("资讯-分类1"));
        EXPECT_TRUE(waitFor([&] { return listTypes().contains(QStringLiteral("1")); }));

        ASSERT_TRUE(tap(buttons.last()));
        auto* more = qobject_cast<MoreNewCat*>(top());
        ASSERT_NE(more, nullptr);
        ASSERT_TRUE(waitFor([&] { return !more->dataArray().empty(); }) && settled());
        QStringList names;
        for (const Value& category : more->dataArray())
            names << QString::fromStdString(category.getStringValueForKey("catname", ""));
        EXPECT_EQ(names, c.more);

        // A listed category opens its own article list.
        ASSERT_TRUE(tap(findByText(more->tableView(), c.more.last())));
        auto* list = qobject_cast<NewsList*>(top());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->title(), c.more.last());
        EXPECT_EQ(list->param().type(), std::to_string(c.categories));
        backToRoot();
    }
}

TEST_F(NewsHome, TheListNamedByItsIdIsChosenAndMoreIsNeverChosen) {
    scriptCategories(categoriesReply(6));
    for (const char* id : {"3", "0", "99", ""}) {
        auto* news = new News;
        news->hasBtnsView(true);
        news->view();
        if (*id) news->newsListController()->param().setRid(id);
        push(news);
        ASSERT_TRUE(hasButtons(news)) << id;
        const std::string want = std::string(id) == "3" ? "3" : "1";
        EXPECT_EQ(news->newsListController()->param().type(), want) << id;
        EXPECT_FALSE(stripButtons(news).last()->isSelected()) << id;
    }
}

TEST_F(NewsHome, ChoosingACategorySetsTheToggleFromItsMark) {
    scriptCategories(categoriesReply(4, {3}));
    News* news = openNews();
    ASSERT_TRUE(hasButtons(news));
    TabBarItem* toggle = news->subscribeItem();
    const struct {
        int button;
        const char* title;
        int tag;
    } choices[] = {{1, "订阅资讯", News::kSubscribe},
                   {2, "取消订阅", News::kUnsubscribe},
                   {0, "订阅资讯", News::kSubscribe}};
    for (const auto& [button, title, tag] : choices) {
        ASSERT_TRUE(settled());
        ASSERT_TRUE(tap(stripButtons(news)[button]));
        EXPECT_EQ(toggle->title(), QString::fromUtf8(title)) << button;
        EXPECT_EQ(toggle->tag(), tag) << button;
        EXPECT_EQ(news->title(), QStringLiteral("资讯-分类%1").arg(button + 1));
        EXPECT_EQ(news->newsListController()->param().type(), std::to_string(button + 1));
    }
}

TEST_F(NewsHome, SubscribeToggleFlipsAndNeverLeavesItsApiBehind) {
    service::DemoService& demo = useDemo();
    signIn();
    News* news = openNews();
    ASSERT_TRUE(hasButtons(news));
    // The demo user subscribes to "楼市动态" (cid 1), the first category.
    TabBarItem* toggle = news->subscribeItem();
    EXPECT_EQ(toggle->title(), QStringLiteral("取消订阅"));

    const struct {
        const char* operate;
        const char* toast;
        const char* after;
    } steps[] = {{"0", "取消订阅成功!", "订阅资讯"}, {"2", "订阅成功!", "取消订阅"}};
    std::size_t sent = 0;
    for (const auto& step : steps) {
        news->tabBar()->chooseItem(2);
        ASSERT_TRUE(waitForRequests("user/subscribe.aspx", ++sent));
        const Dict request = requestsTo("user/subscribe.aspx").back();
        EXPECT_EQ(request.getStringValueForKey("operate", ""), step.operate);
        EXPECT_EQ(request.getStringValueForKey("cid", ""), "1");
        EXPECT_EQ(request.getStringValueForKey("uid", ""), "1");
        ASSERT_TRUE(waitFor([&] { return currentToast() == QString::fromUtf8(step.toast); }));
        EXPECT_EQ(toggle->title(), QString::fromUtf8(step.after));
        EXPECT_EQ(news->tabBar()->selectedItem(), nullptr);
        EXPECT_FALSE(news->param().param().contains("api"));
    }
    EXPECT_EQ(demo.requestsTo("user/subscribe.aspx").size(), 2u);

    // The next category reply builds the strip again (it is not taken for
    // a subscribe reply), and the service kept the subscription.
    news->refresh(nullptr);
    ASSERT_TRUE(waitFor([&] { return stripButtons(news).size() == 5; }));
    EXPECT_EQ(news->dataArray().front().getStringValueForKey("subscribed", ""), "1");
    EXPECT_EQ(toggle->title(), QStringLiteral("取消订阅"));
}

TEST_F(NewsHome, ToggleWithoutSignInOnlyPromptsForLogin) {
    useDemo();
    News* news = openNews();
    ASSERT_TRUE(hasButtons(news));
    news->tabBar()->chooseItem(2);
    const auto alert = currentAlert();
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->message, QStringLiteral("您还没有登录，请登录!"));
    answerAlert(1);
    processEvents();
    EXPECT_TRUE(requestsTo("user/subscribe.aspx").empty());
    EXPECT_EQ(news->subscribeItem()->title(), QStringLiteral("订阅资讯"));
}

TEST_F(NewsHome, WithoutTheStripTheGivenCategoryIsShown) {
    useDemo();
    auto* news = new News;
    news->param().setType("2");
    push(news);
    ASSERT_TRUE(waitFor([&] { return !news->newsListController()->items().empty(); }));
    EXPECT_TRUE(news->btnsView()->isHidden());
    EXPECT_DOUBLE_EQ(news->contentView()->frame().y(), 0);
    for (const Dict& request : requestsTo("news/search.aspx"))
        EXPECT_EQ(request.getStringValueForKey("type", ""), "2");
    ASSERT_TRUE(waitFor([&] { return news->title() == QStringLiteral("资讯-政策法规"); }));
    EXPECT_TRUE(stripButtons(news).isEmpty());
}

TEST_F(NewsHome, TabItemsOpenSearchAndFavourites) {
    scriptCategories(categoriesReply(4));
    News* news = openNews();
    ASSERT_TRUE(hasButtons(news));
    news->tabBar()->chooseItem(0);
    EXPECT_NE(qobject_cast<NewsSearch*>(top()), nullptr);
    EXPECT_EQ(news->tabBar()->selectedItem(), nullptr);
    nav()->popViewControllerAnimated(false);
    processEvents();
    news->tabBar()->chooseItem(1);
    EXPECT_NE(qobject_cast<Favorite*>(top()), nullptr);
}

TEST_F(NewsHome, FailuresShowTheirAlertAndLeaveTheStripAsItWas) {
    const struct {
        const char* name;
        std::string body;
        QString title;
        QString message;
    } cases[] = {
        {"refusal", R"({"error_code":200,"code":1,"msg":"维护中"})", "提示", "维护中"},
        {"service error", R"({"error_code":500,"msg":"x"})", "提示", "加载失败，请重试!"},
        {"unreadable", "<html>", "提示", "出错了"},
    };
    for (const auto& c : cases) {
        scriptCategories(c.body);
        News* news = openNews();
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << c.name;
        EXPECT_EQ(currentAlert()->title, c.title) << c.name;
        EXPECT_EQ(currentAlert()->message, c.message) << c.name;
        EXPECT_TRUE(stripButtons(news).isEmpty()) << c.name;
        EXPECT_TRUE(news->dataArray().empty()) << c.name;
        EXPECT_TRUE(listTypes().isEmpty()) << c.name;
        answerAlert(0);
        processEvents();
        backToRoot();
    }
}

TEST_F(NewsHome, AFailedReloadKeepsTheStrip) {
    scriptCategories(categoriesReply(6, {2}));
    News* news = openNews();
    ASSERT_TRUE(hasButtons(news));
    ASSERT_TRUE(tap(stripButtons(news)[1]));
    ASSERT_TRUE(settled());
    scriptCategories(R"({"error_code":200,"code":1,"msg":"维护中"})");
    news->refresh(nullptr);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    answerAlert(0);
    processEvents();
    EXPECT_EQ(stripButtons(news).size(), 5);
    EXPECT_TRUE(stripButtons(news)[1]->isSelected());
    EXPECT_EQ(news->dataArray().size(), 4u);
    EXPECT_EQ(news->subscribeItem()->title(), QStringLiteral("取消订阅"));
}

TEST_F(NewsHome, FailedSubscribeLeavesTheToggleAndMarks) {
    service::DemoService& demo = useDemo();
    signIn();
    QPointer<News> news = openNews();
    ASSERT_TRUE(hasButtons(news));
    // The load-failure alert takes the failed screen away when dismissed,
    // so the dropped connection comes last.
    const struct {
        const char* name;
        service::Fault::Kind kind;
        QString message;
    } faults[] = {{"refused", service::Fault::Kind::kRefusal, "操作失败"},
                  {"garbage", service::Fault::Kind::kGarbage, "出错了"},
                  {"dropped", service::Fault::Kind::kDrop, "加载失败，请重试!"}};
    for (const auto& f : faults) {
        service::Fault fault;
        fault.kind = f.kind;
        demo.injectFault("user/subscribe.aspx", fault);
        news->tabBar()->chooseItem(2);
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << f.name;
        EXPECT_EQ(currentAlert()->message, f.message) << f.name;
        EXPECT_EQ(news->subscribeItem()->title(), QStringLiteral("取消订阅")) << f.name;
        EXPECT_EQ(news->dataArray().front().getStringValueForKey("subscribed", ""), "1");
        EXPECT_TRUE(currentToast().isEmpty()) << f.name;
        answerAlert(0);
        processEvents();
    }
    EXPECT_TRUE(waitFor([&] { return news.isNull(); }));
}

}  // namespace
