// News search: the newest articles with their count, a keyword, paging, the
// cancel button, no matches, and a row opening its article.
#include <QString>

#include <algorithm>

#include "news/NewsInfo.h"
#include "news/NewsSearch.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/SearchBar.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class NewsSearchScreen : public tovera::testing::NewsListsUiTest {
protected:
    void SetUp() override {
        NewsListsUiTest::SetUp();
        useDemo();
        search_ = push(new NewsSearch);
        ASSERT_TRUE(replies(1));
    }
    // Waits until the service answered `n` search requests and the screen
    // shows the last one.
    bool replies(std::size_t n) { return waitForRequests("news/search.aspx", n) && settled(); }
    QString header() { return search_->headerView()->text(); }
    void searchFor(const QString& keyword) {
        search_->searchBar()->setText(keyword);
        search_->searchBarSearchButtonClicked(search_->searchBar());
    }
    Dict lastRequest() { return requestsTo("news/search.aspx").back(); }

    NewsSearch* search_ = nullptr;
};

TEST_F(NewsSearchScreen, OpensWithTheNewestArticlesAndTheirCount) {
    const int total = search_->total();
    EXPECT_GT(total, 10);
    EXPECT_EQ(header(), QStringLiteral("共有%1条符合条件的资讯").arg(total));
    EXPECT_EQ(search_->headerView()->textAlignment(), Qt::AlignLeft);
    EXPECT_EQ(search_->items().size(), 10u);
    EXPECT_EQ(search_->tableView()->tag(), total);
    EXPECT_EQ(search_->tableView()->tableFooterView(), search_->loadMoreView());
    EXPECT_FALSE(lastRequest().contains("q"));
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
}

TEST_F(NewsSearchScreen, TheCountHidesTheRowsScrollingUnderItAndKeepsAMargin) {
    Label* header = search_->headerView();
    ASSERT_TRUE(isOnScreen(header));
    const QImage before = renderAsShown(header);
    const QRect text = boundsWhere(before, isInk);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left() / before.devicePixelRatio(), 8) << "the text keeps off the edge";

    // The header stays at the top while the rows move up under it; nothing
    // of them shows through.
    ASSERT_TRUE(drag(search_->tableView(), {160, 300}, {0, -200}));
    processEvents();
    ASSERT_GT(search_->tableView()->contentOffset().y(), 100);
    EXPECT_TRUE(renderAsShown(header) == before) << "the rows show through the header";
}

TEST_F(NewsSearchScreen, KeywordPagesAndCancel) {
    searchFor(QStringLiteral("合肥"));
    ASSERT_TRUE(replies(2));
    EXPECT_EQ(lastRequest().getStringValueForKey("q", ""), "合肥");
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
    const int matches = search_->total();
    ASSERT_GT(matches, 10);
    EXPECT_EQ(header(), QStringLiteral("共有%1条符合条件的资讯").arg(matches));
    for (const Value& row : search_->items()) {
        const std::string text =
            row.getStringValueForKey("title", "") + row.getStringValueForKey("text", "");
        EXPECT_NE(text.find("合肥"), std::string::npos) << text;
    }

    search_->loadMore(search_->loadMoreView());
    // A further page shows no loading overlay: wait for its rows.
    ASSERT_TRUE(waitFor([&] { return search_->items().size() > 10; }));
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "2");
    EXPECT_EQ(lastRequest().getStringValueForKey("more", ""), "1");
    EXPECT_EQ(lastRequest().getStringValueForKey("q", ""), "合肥");
    EXPECT_EQ(search_->items().size(), std::size_t(std::min(matches, 20)));

    // The drawn 取消 ends the search, whatever was typed since: the text
    // goes and every article shows again, from page 1.
    SearchBar* bar = search_->searchBar();
    bar->setText(QStringLiteral("别的"));
    ASSERT_TRUE(tap(bar->cancelButton()));
    ASSERT_TRUE(replies(4));
    EXPECT_EQ(bar->text(), QString());
    EXPECT_EQ(lastRequest().getStringValueForKey("q", "?"), "");
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
    EXPECT_GT(search_->total(), matches);
    EXPECT_EQ(search_->items().size(), 10u);
    // With nothing typed there is nothing to cancel.
    EXPECT_FALSE(bar->cancelButton()->isEnabled());
    ASSERT_TRUE(type(bar->textField(), QStringLiteral("x")));
    EXPECT_TRUE(bar->cancelButton()->isEnabled());
}

// With only a mouse to act: the keyboard stand-in's "搜索" key runs the search.
TEST_F(NewsSearchScreen, TheKeyboardsSearchKeySearches) {
    SearchBar* bar = search_->searchBar();
    ASSERT_TRUE(tap(bar->textField()));
    ASSERT_TRUE(type(bar->textField(), QStringLiteral("合肥")));
    ASSERT_TRUE(waitFor([] { return Keyboard::shared().isVisible(); }));
    View* key = findByText(Window::keyWindow(), QStringLiteral("搜索"));
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(tap(key));
    ASSERT_TRUE(replies(2));
    EXPECT_EQ(lastRequest().getStringValueForKey("q", ""), "合肥");
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
    EXPECT_TRUE(waitFor([] { return !Keyboard::shared().isVisible(); }));
}

TEST_F(NewsSearchScreen, NoMatchesShowsZeroAndTheEmptyText) {
    searchFor(QStringLiteral("没有这样的资讯"));
    ASSERT_TRUE(replies(2));
    EXPECT_EQ(header(), QStringLiteral("共有0条符合条件的资讯"));
    EXPECT_TRUE(search_->items().empty());
    auto* footer = qobject_cast<Label*>(search_->tableView()->tableFooterView());
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), QStringLiteral("暂无"));
}

TEST_F(NewsSearchScreen, ARowOpensItsArticle) {
    const std::string id = search_->items()[1].getStringValueForKey("id", "");
    search_->didSelectRowAtIndexPath(search_->tableView(), IndexPath{0, 1});
    auto* article = qobject_cast<NewsInfo*>(top());
    ASSERT_NE(article, nullptr);
    EXPECT_EQ(article->param().rid(), id);
}

TEST_F(NewsSearchScreen, AFailedSearchKeepsTheListItHeld) {
    const int total = search_->total();
    service::Fault fault;
    fault.kind = service::Fault::Kind::kRefusal;
    fault.msg = "搜索太频繁";
    useDemo().injectFault("news/search.aspx", fault);
    searchFor(QStringLiteral("合肥"));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("搜索太频繁"));
    answerAlert(0);
    EXPECT_EQ(search_->total(), total);
    EXPECT_EQ(search_->items().size(), 10u);
    EXPECT_EQ(header(), QStringLiteral("共有%1条符合条件的资讯").arg(total));
}

}  // namespace
