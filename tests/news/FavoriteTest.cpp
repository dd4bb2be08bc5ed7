// The favourites list over the local article store, fed by the article
// screen's favourite item.
#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "news/Favorite.h"
#include "news/NewsInfo.h"
#include "news/NewsItem.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class FavoriteTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        useService(server_.base());
        server_.reply(R"({"error_code":200,"result":[],"total":0})");
        // Two articles read before: the article screen answers from the store.
        for (const char* id : {"7", "8"})
            DSTovera::newsDetailCaches(Dict{{"id", id},
                                            {"title", std::string("文章") + id},
                                            {"text", "<p>正文</p>"},
                                            {"summary", "摘要"},
                                            {"favorite", "0"}});
    }
    NewsInfo* openArticle(const std::string& id) {
        auto* info = new NewsInfo;
        info->param().setRid(id);
        open(info);
        return info;
    }
    tovera::testing::ScriptedServer server_;
};

TEST_F(FavoriteTest, TheListCountsTheMarkedArticlesAndDropsACancelledOne) {
    for (const char* id : {"7", "8"}) {
        NewsInfo* info = openArticle(id);
        ASSERT_FALSE(info->newsDetail().empty());
        info->tabBar()->chooseItem(NewsInfo::kFavorite);
        EXPECT_EQ(currentToast(), "收藏成功!");
    }
    auto* favourites = open(new Favorite);
    ASSERT_EQ(favourites->favoritesArray().size(), 2u);
    EXPECT_EQ(favourites->headerView()->text(), "您收藏的资讯共有2条");
    const QImage header = renderAsShown(favourites->headerView());
    EXPECT_GE(boundsWhere(header, isInk).left() / header.devicePixelRatio(), 8)
        << "the count keeps off the edge";

    auto* row =
        qobject_cast<NewsItem*>(favourites->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_NE(row, nullptr);

    // A mark the store cannot clear (it takes no writes) keeps its row.
    DBConnection::statementWithQuery("PRAGMA query_only = ON").step();
    ASSERT_TRUE(tap(row->cancelButton()));
    processEvents();
    EXPECT_EQ(currentToast(), "操作失败!");
    ASSERT_EQ(favourites->favoritesArray().size(), 2u);
    EXPECT_EQ(favourites->headerView()->text(), "您收藏的资讯共有2条");

    // Once the store takes writes again, the mark clears and the row goes.
    DBConnection::statementWithQuery("PRAGMA query_only = OFF").step();
    ASSERT_TRUE(tap(row->cancelButton()));
    processEvents();
    ASSERT_EQ(favourites->favoritesArray().size(), 1u);
    EXPECT_EQ(favourites->headerView()->text(), "您收藏的资讯共有1条");
    EXPECT_EQ(DSTovera::getFavorite().size(), 1u);

    // The remaining row opens its article, still marked; unmarking it
    // leaves an empty list the next time the list is built.
    favourites->didSelectRowAtIndexPath(favourites->tableView(), IndexPath{0, 0});
    processEvents();
    auto* info = qobject_cast<NewsInfo*>(top());
    ASSERT_NE(info, nullptr);
    TabBarItem* item = info->tabBar()->items().at(NewsInfo::kFavorite);
    EXPECT_EQ(item->title(), "取消收藏");
    info->tabBar()->chooseItem(NewsInfo::kFavorite);
    EXPECT_EQ(currentToast(), "取消收藏成功!");
    EXPECT_EQ(item->title(), "加入收藏");

    auto* again = open(new Favorite);
    EXPECT_TRUE(again->favoritesArray().empty());
    EXPECT_EQ(again->headerView()->text(), "您收藏的资讯共有0条");
    EXPECT_EQ(again->tableView()->tableFooterView(), again->noItemView());
}

}  // namespace
