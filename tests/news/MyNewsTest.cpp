// The personal feed: the last-look slot each kind writes, replies that carry
// "code", the settings button, and cells that are reused for entries of
// other kinds.
#include <QRegularExpression>
#include <QString>

#include <string>
#include <utility>

#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "framework/NetButton.h"
#include "news/MyNews.h"
#include "news/MyNewsItem.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "news/NewsList.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class MyNewsScreen : public tovera::testing::NewsListsUiTest {
protected:
    MyNews* openFeed(const std::string& type) {
        auto* feed = new MyNews;
        feed->param().setType(type);
        return push(feed);
    }
    // The last-look times held by the session and the preference.
    void setTimes(const std::vector<std::string>& times) {
        if (times.empty())
            platform::preferences().remove("lastupdatetime");
        else
            platform::preferences().setList("lastupdatetime", times);
        session().lastUpdateTime() = times.empty() ? std::vector<std::string>(4, "0") : times;
    }
    std::vector<std::string> stored() {
        return platform::preferences().list("lastupdatetime").value_or(std::vector<std::string>{});
    }
};

bool isStamp(const std::string& text) {
    static const QRegularExpression stamp(QStringLiteral(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)"));
    return stamp.match(QString::fromStdString(text)).hasMatch();
}

TEST_F(MyNewsScreen, EachRequestWritesOnlyItsKindsSlot) {
    const struct {
        const char* type;
        std::vector<std::string> before;  // empty: no preference
        int slot;                         // -1: none written
    } cases[] = {
        {"2", {}, 1},
        {"2", {"a", "b", "c", "d"}, 1},
        {"1", {"a", "b", "c", "d"}, 0},
        {"3", {"a", "b", "c", "d"}, 2},
        {"0", {"a", "b", "c", "d"}, -1},
        {"9", {"a", "b", "c", "d"}, -1},
    };
    useDemo();
    signIn();
    for (const auto& c : cases) {
        setTimes(c.before);
        MyNews* feed = openFeed(c.type);
        ASSERT_TRUE(waitFor([&] { return feed->tableView()->tableFooterView() != nullptr; }))
            << c.type;
        const std::vector<std::string> after = stored();
        ASSERT_EQ(after.size(), 4u) << c.type;
        for (int i = 0; i < 4; ++i) {
            const std::string was = c.before.empty() ? "0" : c.before[std::size_t(i)];
            if (i == c.slot)
                EXPECT_TRUE(isStamp(after[std::size_t(i)])) << c.type << " " << after[i];
            else
                EXPECT_EQ(after[std::size_t(i)], was) << c.type << " slot " << i;
        }
        EXPECT_EQ(session().lastUpdateTime(), after) << c.type;
        backToRoot();
    }
}

TEST_F(MyNewsScreen, LoadingMoreStampsAgainAndSendsMore) {
    useDemo();
    signIn();
    MyNews* feed = openFeed("1");
    ASSERT_TRUE(waitForRequests("user/searchmsg.aspx", 1) && settled());
    ASSERT_EQ(feed->tableView()->tableFooterView(), feed->loadMoreView());
    setTimes({"0", "0", "0", "0"});
    feed->loadMore(feed->loadMoreView());
    // A further page shows no loading overlay: wait for its rows.
    ASSERT_TRUE(waitFor([&] { return feed->items().size() == 20; }));
    const Dict request = requestsTo("user/searchmsg.aspx").back();
    EXPECT_EQ(request.getStringValueForKey("page", ""), "2");
    EXPECT_EQ(request.getStringValueForKey("more", ""), "1");
    EXPECT_EQ(request.getStringValueForKey("type", ""), "1");
    EXPECT_TRUE(isStamp(stored()[0]));
    EXPECT_EQ(feed->items().size(), 20u);
}

TEST_F(MyNewsScreen, ARepliesCodeIsAnErrorAndAddsNothing) {
    const struct {
        const char* body;
        QString title;
        QString message;
    } cases[] = {
        {R"({"error_code":200,"code":0,"msg":"暂时没有推荐","result":[{"id":"1"}],"total":1})",
         "出错了", "暂时没有推荐"},
        {R"({"error_code":200,"code":1,"msg":"您还没有登录，请登录!"})", "提示",
         "您还没有登录，请登录!"},
    };
    for (const auto& c : cases) {
        scripted_.reply(c.body);
        MyNews* feed = openFeed("2");
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << c.body;
        EXPECT_EQ(currentAlert()->title, c.title);
        EXPECT_EQ(currentAlert()->message, c.message);
        answerAlert(0);
        EXPECT_TRUE(feed->items().empty()) << c.body;
        EXPECT_EQ(feed->param().page(), "1");
        backToRoot();
    }
}

TEST_F(MyNewsScreen, AFailedFurtherPageKeepsTheRowsAndAsksForItAgain) {
    service::DemoService& demo = useDemo();
    signIn();
    MyNews* feed = openFeed("1");
    ASSERT_TRUE(waitForRequests("user/searchmsg.aspx", 1) && settled());
    const struct {
        const char* name;
        service::Fault::Kind kind;
        QString message;
    } faults[] = {{"refused", service::Fault::Kind::kRefusal, "操作失败"},
                  {"unreadable", service::Fault::Kind::kGarbage, "出错了"}};
    for (const auto& f : faults) {
        service::Fault fault;
        fault.kind = f.kind;
        demo.injectFault("user/searchmsg.aspx", fault);
        feed->loadMore(feed->loadMoreView());
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << f.name;
        EXPECT_EQ(currentAlert()->message, f.message) << f.name;
        answerAlert(0);
        EXPECT_EQ(feed->items().size(), 10u) << f.name;
        EXPECT_EQ(feed->param().page(), "1") << f.name;
        EXPECT_FALSE(feed->loadMoreView()->isSelected()) << f.name;
    }
    feed->loadMore(feed->loadMoreView());
    ASSERT_TRUE(waitFor([&] { return feed->items().size() == 20; }));
    EXPECT_EQ(requestsTo("user/searchmsg.aspx").back().getStringValueForKey("page", ""), "2");
    EXPECT_EQ(feed->items().size(), 20u);
}

TEST_F(MyNewsScreen, SettingsButtonFollowsTheKind) {
    const struct {
        const char* type;
        const char* title;
        int tag;
        const char* opens;
    } cases[] = {{"1", "置业信息", 0, "修改置业信息"},
                 {"2", "设置", 1, "关注设置"},
                 {"3", "设置", 2, "订阅设置"}};
    scripted_.reply(R"({"error_code":200,"result":[],"total":0})");
    for (const auto& c : cases) {
        MyNews* feed = openFeed(c.type);
        BarButtonItem* button = feed->navigationItem()->rightBarButtonItem();
        EXPECT_EQ(button->title(), QString::fromUtf8(c.title));
        EXPECT_EQ(button->tag(), c.tag);
        // Signed out: only the login prompt.
        button->trigger();
        ASSERT_TRUE(currentAlert().has_value());
        answerAlert(1);
        EXPECT_EQ(top(), feed);
        backToRoot();
    }
    session().setUid("1", "token", "3401");
    for (const auto& c : cases) {
        MyNews* feed = openFeed(c.type);
        feed->navigationItem()->rightBarButtonItem()->trigger();
        EXPECT_EQ(top()->title(), QString::fromUtf8(c.opens)) << c.type;
        backToRoot();
    }
}

TEST_F(MyNewsScreen, AReusedCellShowsOnlyItsOwnEntry) {
    MyNewsItem cell;
    const struct {
        Dict entry;
        QString caption;
        int kind;
        bool comment;
        QString commentTitle;
        bool picture;
    } rows[] = {
        {Dict{{"id", "7"},
              {"classtype", "3"},
              {"catname", "二手房"},
              {"title", "房源"},
              {"pics", "http://127.0.0.1:1/a.jpg"}},
         "二手房", 3, false, "评论", true},
        {Dict{{"id", "8"}, {"classtype", "1"}, {"cid", "4"}, {"title", "资讯"}, {"comment", "12"}},
         "", 1, true, "评论(12)", false},
        {Dict{{"id", "9"}, {"catname", "楼盘"}, {"classtype", "2"}}, "楼盘", 2, true, "评论",
         false},
    };
    for (const auto& row : rows) {
        cell.setInfo(row.entry);
        const std::string id = row.entry.getStringValueForKey("id", "");
        EXPECT_EQ(cell.typeName()->currentTitle(), row.caption) << id;
        EXPECT_EQ(cell.typeName()->titleLabel()->tag(), row.kind) << id;
        EXPECT_EQ(cell.typeName()->imageView()->tag(), row.entry.getIntValueForKey("cid", 1));
        EXPECT_EQ(cell.comment()->isHidden(), !row.comment) << id;
        EXPECT_EQ(cell.comment()->currentTitle(), row.commentTitle) << id;
        EXPECT_EQ(cell.comment()->titleLabel()->tag(), std::stoi(id));
        EXPECT_EQ(cell.titleLabel()->tag(), std::stoi(id));
        EXPECT_EQ(cell.imgShow()->isHidden(), !row.picture) << id;
        EXPECT_DOUBLE_EQ(cell.introText()->frame().x(), row.picture ? 96 : 20) << id;
        EXPECT_DOUBLE_EQ(cell.introText()->frame().right(), 315) << id;
        EXPECT_EQ(cell.user()->text(), QStringLiteral("来自:"));
    }
}

TEST_F(MyNewsScreen, CommentKindsOfEntryKinds) {
    const std::pair<int, int> kinds[] = {{1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}};
    for (const auto& [classtype, kind] : kinds)
        EXPECT_EQ(MyNewsItem::commentKind(classtype), kind) << classtype;
}

TEST_F(MyNewsScreen, SubscribedNewsOpensArticlesCategoriesAndComments) {
    useDemo();
    signIn();
    MyNews* feed = openFeed("3");
    ASSERT_TRUE(waitFor([&] { return !feed->items().empty(); }));
    const Value first = feed->items()[0];
    EXPECT_EQ(first.getStringValueForKey("classtype", ""), "1");

    feed->didSelectRowAtIndexPath(feed->tableView(), IndexPath{0, 0});
    auto* article = qobject_cast<NewsInfo*>(top());
    ASSERT_NE(article, nullptr);
    EXPECT_EQ(article->param().rid(), first.getStringValueForKey("id", ""));
    nav()->popViewControllerAnimated(false);
    processEvents();

    auto* cell =
        qobject_cast<MyNewsItem*>(feed->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    cell->typeName()->sendTap();
    auto* list = qobject_cast<NewsList*>(top());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title().toStdString(), first.getStringValueForKey("catname", ""));
    EXPECT_EQ(list->param().type(), first.getStringValueForKey("cid", ""));
    nav()->popViewControllerAnimated(false);
    processEvents();

    cell->comment()->sendTap();
    auto* comments = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->commentList()->param().ptype(), "1");
    EXPECT_EQ(comments->commentList()->param().rid(), first.getStringValueForKey("id", ""));
}

TEST_F(MyNewsScreen, CategoryOfAnotherKindOpensTheNewsHomeWithoutItsStrip) {
    useDemo();
    MyNewsItem cell;
    auto* host = push(new platform::ui::ViewController);
    cell.setHost(host);
    cell.setInfo(Dict{{"id", "1001"}, {"classtype", "2"}, {"catname", "楼盘动态"}, {"cid", "0"}});
    cell.btnPressed(cell.typeName());
    auto* news = qobject_cast<News*>(top());
    ASSERT_NE(news, nullptr);
    EXPECT_FALSE(news->showsBtnsView());
    ASSERT_TRUE(waitFor([&] { return !news->newsListController()->items().empty(); }));
    EXPECT_EQ(news->newsListController()->param().type(), "2");
}

}  // namespace
