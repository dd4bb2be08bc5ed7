// Writing comments as a user does, against the demo service: tapping the
// drawn tab items, bar buttons and emoticons, typing into the form, and
// reading what the article and the comment list show afterwards.
#include "comments/CommentCells.h"
#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "framework/FaceController.h"
#include "framework/GridView.h"
#include "framework/RootScreenServices.h"
#include "news/NewsInfo.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextView.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

#include <QPlainTextEdit>
#include <QPointer>

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

constexpr const char* kArticleId = "50001";

class CommentInputTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
    }

    // The article, shown with its body and its newest comments, once they
    // are laid out.
    NewsInfo* openArticle() {
        auto* info = new NewsInfo;
        info->param().setRid(kArticleId);
        open(info);
        EXPECT_TRUE(waitFor([&] { return !info->titleLable()->text().isEmpty(); }));
        CommentCells* cells = info->commentTable()->cells();
        EXPECT_TRUE(waitFor([&] { return cells->count() > 0 && cells->needReload(); }));
        fastForward(std::chrono::milliseconds(600));
        EXPECT_TRUE(cells->measured());
        return info;
    }
    // The count the article's "评论(n)" button shows, or -1 before it shows one.
    static int commentCount(NewsInfo* info) {
        const QString title = info->navigationItem()->rightBarButtonItem()->title();
        if (!title.startsWith(QStringLiteral("评论(")) || !title.endsWith(')')) return -1;
        return title.mid(3, title.size() - 4).toInt();
    }
    // Taps the drawn button titled `title` in the navigation bar.
    void tapBarButton(const QString& title) {
        View* button = findByText(nav()->view(), title);
        ASSERT_NE(button, nullptr) << title.toStdString();
        ASSERT_TRUE(tapSettled(button));
        processEvents();
    }
    // The article's "评论" tab item, tapped: the comment form.
    CommentForm* writeFromTabBar(NewsInfo* info) {
        TabBar* bar = info->tabBar();
        EXPECT_TRUE(tapSettled(bar->viewForItem(bar->items().at(NewsInfo::kWriteComment))));
        processEvents();
        return qobject_cast<CommentForm*>(top());
    }
    // Taps the emoticon button and then the face at `position` of the
    // picker, with the screens sliding as they do in the application.
    void pickFace(CommentForm* form, int position) {
        ASSERT_TRUE(tapSettled(form->montionBtn()));
        processEvents();
        auto* picker = qobject_cast<FaceController*>(top());
        ASSERT_NE(picker, nullptr) << "the picker is open";
        Animation::setEnabled(true);
        const bool tapped = tapSettled(picker->gridView()->getItemAtPosition(position));
        fastForward(std::chrono::seconds(1));
        Animation::setEnabled(false);
        ASSERT_TRUE(tapped);
        processEvents();
    }
    std::size_t posts() const { return demoService()->requestsTo("user/messagepost.aspx").size(); }
};

TEST_F(CommentInputTest, APickedEmoticonGoesInAtTheCursorAndTheTextIsKept) {
    NewsInfo* info = openArticle();
    CommentForm* form = writeFromTabBar(info);
    ASSERT_NE(form, nullptr) << (top() ? top()->metaObject()->className() : "none");
    ASSERT_TRUE(type(form->commentText(), QStringLiteral("环境好交通便利")));
    // The cursor goes back before "交通便利".
    for (int i = 0; i < 4; ++i)
        pressKey(Qt::Key_Left);

    pickFace(form, 2);
    ASSERT_EQ(top(), form) << "the picker goes back to the form, not past it";
    EXPECT_EQ(form->commentText()->text(), QStringLiteral("环境好[Face3]交通便利"));
    EXPECT_TRUE(RootScreenServices::shared().getParam("face").isNull()) << "used once";
    EXPECT_EQ(posts(), 0u);

    // Typing carries on after the code, with the keyboard still on the text.
    EXPECT_TRUE(form->commentText()->isFirstResponder());
    ASSERT_TRUE(type(form->commentText(), QStringLiteral("，")));
    EXPECT_EQ(form->commentText()->text(), QStringLiteral("环境好[Face3]，交通便利"));

    // A second pick at the end, then the post carries both codes.
    form->commentText()->editor()->moveCursor(QTextCursor::End);
    pickFace(form, 9);
    ASSERT_EQ(top(), form);
    EXPECT_EQ(form->commentText()->text(), QStringLiteral("环境好[Face3]，交通便利[Face10]"));
    QPointer<CommentForm> closing(form);
    tapBarButton(QStringLiteral("提交"));
    ASSERT_TRUE(waitFor([&] { return top() == info && !closing; })) << "the form closes";
    ASSERT_EQ(posts(), 1u);
    EXPECT_EQ(demoService()->requestsTo("user/messagepost.aspx")[0].params.getStringValueForKey(
                  "text", ""),
              "环境好[Face3]，交通便利[Face10]");

    // The next comment starts empty: no emoticon is left over for it.
    CommentForm* next = writeFromTabBar(info);
    ASSERT_NE(next, nullptr) << (top() ? top()->metaObject()->className() : "none");
    EXPECT_TRUE(next->commentText()->text().isEmpty());
}

TEST_F(CommentInputTest, EnterPostsTheCommentAndShiftEnterBreaksTheLine) {
    NewsInfo* info = openArticle();
    CommentForm* form = writeFromTabBar(info);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(type(form->commentText(), QStringLiteral("第一行")));
    pressKey(Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(type(form->commentText(), QStringLiteral("第二行")));
    EXPECT_EQ(posts(), 0u);
    EXPECT_EQ(form->commentText()->text(), QStringLiteral("第一行\n第二行"));

    QPointer<CommentForm> closing(form);
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return top() == info && !closing; })) << "the form closes";
    ASSERT_EQ(posts(), 1u);
    EXPECT_EQ(demoService()->requestsTo("user/messagepost.aspx")[0].params.getStringValueForKey(
                  "text", ""),
              "第一行\n第二行");
}

TEST_F(CommentInputTest, APostFromTheCommentListShowsInTheListAndInTheArticlesCount) {
    login("李华", "lihua123");
    NewsInfo* info = openArticle();
    ASSERT_TRUE(waitFor([&] { return commentCount(info) > 0; }));
    const int before = commentCount(info);

    tapBarButton(QStringLiteral("评论(%1)").arg(before));
    auto* detail = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(detail, nullptr);
    CommentList* list = detail->commentList();
    ASSERT_TRUE(waitFor([&] { return !list->commentArray().empty(); }));

    tapBarButton(QStringLiteral("发表评论"));
    auto* form = qobject_cast<CommentForm*>(top());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(type(form->commentText(), QStringLiteral("楼层采光怎么样")));
    tapBarButton(QStringLiteral("提交"));
    ASSERT_TRUE(waitFor([&] { return top() == detail; }));
    ASSERT_TRUE(waitFor([&] {
        const Array& rows = list->commentArray();
        return !rows.empty() &&
               rows[0].getStringValueForKey("commenthtml", "").find("楼层采光怎么样") !=
                   std::string::npos;
    })) << "the list loads again with the new comment";
    EXPECT_EQ(list->tableView()->tag(), before + 1);

    // Back on the article: the count and the newest comments follow.
    nav()->popViewControllerAnimated(false);
    processEvents();
    ASSERT_EQ(top(), info);
    EXPECT_TRUE(waitFor([&] { return commentCount(info) == before + 1; }))
        << info->navigationItem()->rightBarButtonItem()->title().toStdString();
    EXPECT_TRUE(waitFor([&] {
        const Array& rows = info->commentTable()->commentArray();
        return !rows.empty() &&
               rows[0].getStringValueForKey("commenthtml", "").find("楼层采光怎么样") !=
                   std::string::npos;
    }));
}

}  // namespace
