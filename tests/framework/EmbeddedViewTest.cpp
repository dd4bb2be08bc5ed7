#include "framework/ImageTitle.h"
#include "framework/QXRequestView.h"
#include "framework/WebTools.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// A block of a screen that loads a list of its own and pages by buttons.
class Block : public QXRequestView {
public:
    Block(DSTovera& session) : QXRequestView(QRectF(0, 0, 320, 300)), session_(session) {}
    void doRequest() override { session_.systemHome(param().param(), this); }
    void didLoad(const Value&, QXRequest*) override { ++loaded; }
    void requestDidFailWithError(QXRequest* request, const Error& error) override {
        ++failed;
        QXRequestView::requestDidFailWithError(request, error);
    }
    void prePage() override { paged << "pre"; }
    void nextPage() override { paged << "next"; }

    int loaded = 0;
    int failed = 0;
    QStringList paged;

private:
    DSTovera& session_;
};

class Embedded : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        useService(server_.base());
    }
    tovera::testing::ScriptedServer server_;
};

TEST_F(Embedded, ABlockIsRefusedWithItsOwnTitleAndNeverTakesTheScreenAway) {
    showRoot(new ViewController);
    auto* top = new ViewController;
    nav()->pushViewController(top, false);
    auto* block = new Block(session());
    top->view()->addSubview(block);
    processEvents();

    server_.reply(R"({"error_code":200,"code":1,"msg":"没有权限"})");
    block->reloadData();
    block->doRequest();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->title, QStringLiteral("出错了"));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("没有权限"));
    answerAlert(0);
    EXPECT_EQ(block->loaded, 0);

    server_.reply(R"({"error_code":500,"msg":"内部错误"})");
    block->doRequest();
    ASSERT_TRUE(waitFor([&] { return block->failed == 1; }));
    ASSERT_TRUE(currentAlert());
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    answerAlert(0);
    processEvents();
    EXPECT_EQ(nav()->topViewController(), top) << "a block's failure pops nothing";

    server_.list(3);
    block->doRequest();
    ASSERT_TRUE(waitFor([&] { return block->loaded == 1; }));
}

TEST_F(Embedded, ABlockHasItsStripsAndPager) {
    auto* block = new Block(session());
    window()->addSubview(block);
    EXPECT_EQ(block->noItemView()->text(), QStringLiteral("暂无"));
    EXPECT_EQ(block->noItemView()->frame(), QRectF(0, 0, 320, 44));
    EXPECT_EQ(block->headerView()->titleBtn()->currentTitle(), QStringLiteral("最新评论"));
    EXPECT_EQ(block->headerView()->frame().height(), 37);
    View* pager = block->loadMoreView();
    EXPECT_EQ(pager, block->loadMoreView());
    pager->setFrame(QRectF(0, 200, 320, 44));
    block->addSubview(pager);
    processEvents();
    ASSERT_TRUE(tap(findByText(pager, QStringLiteral("下一页"))));
    ASSERT_TRUE(tap(findByText(pager, QStringLiteral("上一页"))));
    EXPECT_EQ(block->paged, (QStringList{"next", "pre"}));
}

TEST_F(Embedded, TheToolsPageGoesBackInItsOwnHistoryFirst) {
    startDemoService();
    showRoot(new ViewController);
    auto* tools = new WebTools;
    nav()->pushViewController(tools, false);
    EXPECT_EQ(tools->title(), QStringLiteral("购房工具"));
    auto leftTitle = [&] {
        BarButtonItem* item = tools->navigationItem()->leftBarButtonItem();
        return item ? item->title() : QString();
    };
    ASSERT_TRUE(waitFor(
        [&] {
            return !tools->webView()->isLoading() && !tools->webView()->visibleText().isEmpty();
        },
        std::chrono::seconds(30)));
    EXPECT_EQ(leftTitle(), QStringLiteral("返回"));
    const QString toolsText = tools->webView()->visibleText();

    tools->webView()->loadRequest(WebTools::toolsUrl().resolved(QUrl("loan.aspx")));
    ASSERT_TRUE(
        waitFor([&] { return leftTitle() == QStringLiteral("后退"); }, std::chrono::seconds(30)));
    ASSERT_TRUE(waitFor([&] { return tools->webView()->visibleText() != toolsText; }));
    tools->navigationItem()->leftBarButtonItem()->trigger();
    // Back on the tools page once its text is read again (the page engine's
    // last answer is in before the screen goes away).
    ASSERT_TRUE(waitFor(
        [&] {
            return leftTitle() == QStringLiteral("返回") &&
                   tools->webView()->visibleText() == toolsText;
        },
        std::chrono::seconds(30)));
    EXPECT_EQ(nav()->topViewController(), tools);
}

}  // namespace
