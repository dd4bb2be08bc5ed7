// The article screen against scripted replies and the demo service: the
// local article store, favourites, picture links, the comment block and
// the failure paths.
#include <QRegularExpression>

#include "comments/CommentCells.h"
#include "comments/CommentForm.h"
#include "comments/CommentItem.h"
#include "comments/CommentTableView.h"
#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Gb18030.h"
#include "framework/ImageViewShow.h"
#include "news/NewsInfo.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

const char* kArticle =
    R"({"error_code":200,"id":"7","title":"新盘加推","text":"<html><body><p>正文第一段</p></body></html>",)"
    R"("source":"本站","update_at":"2026-01-02 10:00","comment":"2","images":"","summary":"摘要"})";
const char* kTwoComments =
    R"({"error_code":200,"total":2,"result":[)"
    R"({"id":"1","uid":"3","user":"甲","update_at":"","commenthtml":"好[Face1]","agree":"4","disagree":"0","catname":"","title":"","classtype":"2","cid":"7"},)"
    R"({"id":"2","uid":"4","user":"乙","update_at":"","commenthtml":"不错","agree":"0","disagree":"1","catname":"","title":"","classtype":"2","cid":"7"}]})";

class NewsInfoTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        useService(server_.base());
        server_.respond([](const httplib::Request& request, httplib::Response& response) {
            std::string body = kTwoComments;
            if (request.path.find("news/detail.aspx") != std::string::npos) {
                // The article of the id asked for.
                body = kArticle;
                body.replace(body.find("\"7\""), 3, "\"" + request.get_param_value("id") + "\"");
            }
            response.set_content(gb18030::fromUtf8Lossy(body), "application/json");
        });
    }

    NewsInfo* openArticle(const std::string& id) {
        auto* info = new NewsInfo;
        info->param().setRid(id);
        open(info);
        return info;
    }
    int requestsTo(const std::string& path) const {
        int count = 0;
        for (const auto& request : server_.received())
            if (request.path.find(path) != std::string::npos) ++count;
        return count;
    }
    static bool commentsShown(NewsInfo* info) {
        return info->commentTable()->commentArray().size() == 2;
    }

    tovera::testing::ScriptedServer server_;
};

TEST_F(NewsInfoTest, AnArticleOpenedTwiceIsFetchedOnceAndShownFromTheStore) {
    NewsInfo* info = openArticle("7");
    ASSERT_TRUE(waitFor([&] { return info->titleLable()->text() == "新盘加推"; }));
    EXPECT_EQ(info->msgLable()->text(), "本站 2026-01-02 10:00");
    ASSERT_TRUE(waitFor([&] { return commentsShown(info); }));
    EXPECT_EQ(info->navigationItem()->rightBarButtonItem()->title(), "评论(2)");
    nav()->popViewControllerAnimated(false);
    processEvents();

    NewsInfo* again = openArticle("7");
    EXPECT_EQ(again->titleLable()->text(), "新盘加推") << "answered at once from the store";
    EXPECT_TRUE(again->contentText()->visibleText().contains("正文第一段") || waitFor([&] {
                    return again->contentText()->visibleText().contains("正文第一段");
                }));
    EXPECT_EQ(requestsTo("news/detail.aspx"), 1);
    ASSERT_TRUE(DSTovera::newsDetailCachesForId(7).has_value());
    EXPECT_EQ(DSTovera::newsDetailCachesForId(7)->getStringValueForKey("summary", ""), "摘要");
}

TEST_F(NewsInfoTest, TheCommentBlockAsksForTheThreeNewestAndSitsUnderTheBody) {
    NewsInfo* info = openArticle("7");
    ASSERT_TRUE(waitFor([&] { return commentsShown(info); }));
    const auto& requests = server_.received();
    const auto list = std::find_if(requests.rbegin(), requests.rend(), [](const auto& r) {
        return r.path.find("system/comment_list.aspx") != std::string::npos;
    });
    ASSERT_NE(list, requests.rend());
    for (const char* part : {"size=3", "count=3", "id=7", "type=1", "page=1"})
        EXPECT_NE(list->target.find(part), std::string::npos) << part << " in " << list->target;
    EXPECT_GE(info->commentTable()->frame().top(), info->contentText()->frame().bottom());
    // Once the bodies rendered and the rows were measured again, the block
    // holds its rows and the scroll area reaches its bottom.
    ASSERT_TRUE(waitFor([&] { return info->commentTable()->cells()->needReload(); }));
    fastForward(std::chrono::milliseconds(600));
    ASSERT_TRUE(info->commentTable()->cells()->measured());
    EXPECT_GE(info->scrollView()->contentSize().height(),
              info->commentTable()->frame().bottom() - 1);
    // Every row is as tall as its cell needs: the vote bar under the body shows.
    TableView* table = info->commentTable()->tableView();
    for (int row = 0; row < 2; ++row) {
        CommentItem* cell = info->commentTable()->cells()->builtCell(row);
        ASSERT_NE(cell, nullptr);
        EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, row}).height(), cell->rowHeight());
        EXPECT_GE(cell->rowHeight(),
                  cell->mainView()->frame().top() + cell->btnView()->frame().bottom());
        EXPECT_DOUBLE_EQ(cell->btnView()->frame().top(), cell->commentWeb()->frame().bottom());
    }
}

TEST_F(NewsInfoTest, FavouriteGoesOnAndOffAndAFailedWriteChangesNothing) {
    NewsInfo* info = openArticle("7");
    ASSERT_TRUE(waitFor([&] { return info->titleLable()->text() == "新盘加推"; }));
    TabBarItem* item = info->tabBar()->items().at(NewsInfo::kFavorite);
    EXPECT_EQ(item->title(), "加入收藏");

    info->tabBar()->chooseItem(NewsInfo::kFavorite);
    EXPECT_EQ(currentToast(), "收藏成功!");
    EXPECT_EQ(item->title(), "取消收藏");
    EXPECT_EQ(DSTovera::isfavorite(7), 1);
    EXPECT_EQ(info->tabBar()->selectedItem(), nullptr);

    info->tabBar()->chooseItem(NewsInfo::kFavorite);
    EXPECT_EQ(currentToast(), "取消收藏成功!");
    EXPECT_EQ(item->title(), "加入收藏");
    EXPECT_EQ(DSTovera::isfavorite(7), 0);

    // The store loses the article: the mark and the title stay as they were.
    DBConnection::statementWithQuery("DELETE FROM `newsdetail`").step();
    info->tabBar()->chooseItem(NewsInfo::kFavorite);
    EXPECT_EQ(currentToast(), "操作失败!");
    EXPECT_EQ(item->title(), "加入收藏");
    EXPECT_EQ(info->newsDetail().getIntValueForKey("favorite", 0), 0);
}

TEST_F(NewsInfoTest, PictureLinksOpenTheViewerAndOtherLinksLoadInPlace) {
    NewsInfo* info = openArticle("7");
    ASSERT_TRUE(waitFor([&] { return info->titleLable()->text() == "新盘加推"; }));
    struct Case {
        const char* url;
        bool intercepted;
    } cases[] = {
        {"http://pic.example/a.jpeg", true}, {"http://pic.example/a.png", true},
        {"http://pic.example/a.gif", true},  {"http://pic.example/a.jpg", true},
        {"http://pic.example/a.JPG", false}, {"http://pic.example/page.html", false},
    };
    for (const Case& c : cases) {
        ImageViewShow* viewer = ImageViewShow::inWindow(window());
        viewer->setHidden(true);
        const bool proceeds = info->shouldStartLoadWithRequest(info->contentText(), QUrl(c.url),
                                                               NavigationType::LinkClicked);
        EXPECT_EQ(proceeds, !c.intercepted) << c.url;
        EXPECT_EQ(!viewer->isHidden(), c.intercepted) << c.url;
        if (c.intercepted) {
            EXPECT_EQ(viewer->imgurlArray(), std::vector<std::string>{c.url});
        }
    }
}

TEST_F(NewsInfoTest, FailuresShowTheirAlertsAndKeepTheStoreAsItWas) {
    struct Case {
        const char* name;
        std::function<void(httplib::Response&)> answer;
        QString message;
    } cases[] = {
        {"refusal",
         [](httplib::Response& r) {
             r.set_content(
                 gb18030::fromUtf8Lossy(R"({"error_code":200,"code":1,"msg":"该资讯不存在"})"),
                 "application/json");
         },
         "该资讯不存在"},
        {"malformed",
         [](httplib::Response& r) { r.set_content("{\"error_code\":200,", "application/json"); },
         "出错了"},
        {"server fault",
         [](httplib::Response& r) {
             r.set_content(R"({"error_code":500,"msg":"x"})", "application/json");
         },
         "加载失败，请重试!"},
    };
    int id = 100;
    for (const Case& c : cases) {
        server_.respond(
            [&c](const httplib::Request&, httplib::Response& response) { c.answer(response); });
        NewsInfo* info = openArticle(std::to_string(++id));
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << c.name;
        EXPECT_EQ(currentAlert()->message, c.message) << c.name;
        EXPECT_FALSE(DSTovera::newsDetailCachesForId(id).has_value()) << c.name;
        EXPECT_TRUE(info->titleLable()->text().isEmpty()) << c.name;
        answerAlert(0);
        processEvents();
    }
}

TEST_F(NewsInfoTest, AnUnreachableServiceShowsTheLoadFailure) {
    useService("http://127.0.0.1:" + std::to_string(test::unusedPort()));
    openArticle("9");
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, "加载失败，请重试!");
    EXPECT_FALSE(DSTovera::newsDetailCachesForId(9).has_value());
}

class NewsInfoDemoTest : public tovera::testing::NewsUiTest {};

TEST_F(NewsInfoDemoTest, ACommentWrittenFromTheTabBarIsAmongTheNewestOnReturn) {
    startDemoService();
    auto* info = new NewsInfo;
    info->param().setRid("50001");
    open(info);
    ASSERT_TRUE(waitFor([&] { return !info->titleLable()->text().isEmpty(); }));
    ASSERT_TRUE(waitFor([&] { return info->commentTable()->tableView()->tableHeaderView(); }));

    info->tabBar()->chooseItem(NewsInfo::kWriteComment);
    processEvents();
    auto* form = qobject_cast<CommentForm*>(top());
    ASSERT_NE(form, nullptr);
    const QString text = QStringLiteral("小区环境很好[Face2]");
    form->commentText()->setText(text);
    tapRightButton(form);
    ASSERT_TRUE(waitFor([&] { return top() == info; }));
    ASSERT_TRUE(waitFor([&] {
        const Array& rows = info->commentTable()->commentArray();
        return !rows.empty() &&
               rows[0].getStringValueForKey("commenthtml", "").find("小区环境很好") !=
                   std::string::npos;
    }));
    EXPECT_LE(info->commentTable()->commentArray().size(), 3u);
    EXPECT_FALSE(info->param().param().contains("refresh")) << "the flag is used once";
}

}  // namespace
