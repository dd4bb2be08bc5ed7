// The topics against the demo service: posting with a picture, replies and
// the comments on a reply, reposting, deleting by the author only, the rows'
// repost boxes, and the failure alerts.
#include <QImage>

#include "ask/AskForm.h"
#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "community/FowardForm.h"
#include "community/TopicDetail.h"
#include "community/TopicDetailItem.h"
#include "community/TopicHome.h"
#include "community/TopicItem.h"
#include "framework/ActivityView.h"
#include "framework/ButtonsView.h"
#include "framework/NetButton.h"
#include "framework/PhotoPreview.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/overlays/ImagePicker.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "service/DemoService.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// Seed: topic 70001 (by user 18, with a picture and 12 replies), 70002 by
// demo; demo is user 1.
class TopicTest : public tovera::testing::CommunityUiTest {
protected:
    void SetUp() override {
        CommunityUiTest::SetUp();
        session().setCityId("3401");
    }

    TopicHome* openHome() {
        auto* home = open(new TopicHome);
        EXPECT_TRUE(waitFor([&] { return !home->items().empty(); }));
        processEvents();
        return home;
    }
    TopicDetail* openTopic(const std::string& id) {
        auto* detail = new TopicDetail;
        detail->param().setRid(id);
        open(detail);
        EXPECT_TRUE(waitFor([&] { return !detail->items().empty(); }));
        processEvents();
        return detail;
    }
    static QStringList tabTitles(TopicDetail* detail) {
        QStringList titles;
        for (TabBarItem* item : detail->tabBar()->items())
            titles << item->title();
        return titles;
    }
    static void chooseTab(TopicDetail* detail, const QString& title) {
        const QList<TabBarItem*> items = detail->tabBar()->items();
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->title() == title) {
                detail->tabBar()->chooseItem(i);
                processEvents();
                return;
            }
        ADD_FAILURE() << "no tab item " << title.toStdString();
    }
    static void settle() {
        processEvents();
        waitFor([] { return !ActivityView::shared()->isShowing(); });
        processEvents();
    }
    // Waits until the screen on top is a `Screen`.
    template <typename Screen>
    Screen* topAs() {
        waitFor([&] { return qobject_cast<Screen*>(top()) != nullptr; });
        processEvents();
        return qobject_cast<Screen*>(top());
    }
    static std::string id(const Value& record) { return record.getStringValueForKey("id", ""); }
};

TEST_F(TopicTest, ATopicPostedWithAPictureIsInMyTopicsAndOpensWithIt) {
    as("newbie");
    TopicHome* home = openHome();
    EXPECT_EQ(home->title(), QStringLiteral("话题"));
    EXPECT_EQ(sent("topic/list.aspx").back().params["t"].toText(), "1");

    tapRightButton(home);
    auto* form = topAs<AskForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), QStringLiteral("发表话题"));
    EXPECT_EQ(form->param().type(), "6");
    QImage photo(80, 60, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ImagePicker::setNextResult(photo);
    Keyboard::shared().dismiss();
    processEvents();
    ASSERT_TRUE(tapSettled(form->photoBtn()));
    ASSERT_TRUE(answerActionSheet(1));
    ASSERT_TRUE(waitFor([&] { return form->photosScaling() == 0; }));
    processEvents();
    ASSERT_EQ(form->preView()->images().size(), 1);
    ASSERT_TRUE(type(form->contentText(), QStringLiteral("楼下新开了面包店")));
    const std::size_t posts = sent("user/messagepost.aspx").size();
    tapRightButton(form);
    const Dict post = nextRequest("user/messagepost.aspx", posts);
    EXPECT_EQ(post.getStringValueForKey("t", ""), "6");

    // The form closes and the list beneath loads again.
    ASSERT_EQ(topAs<TopicHome>(), home);
    settle();
    ASSERT_TRUE(tapSettled(findByText(home->btnView(), QStringLiteral("我的话题"))));
    ASSERT_TRUE(waitFor([&] {
        return sent("topic/list.aspx").back().params["t"].toText() == "3" && !home->items().empty();
    }));
    settle();
    const Value mine = home->items()[0];
    EXPECT_EQ(mine.getStringValueForKey("title", ""), "楼下新开了面包店");
    EXPECT_FALSE(mine.getStringValueForKey("image", "").empty());
    auto* row = cell<TopicItem>(home->tableView(), 0);
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->picture()->isHidden());
    EXPECT_TRUE(row->sourceView()->isHidden());

    ASSERT_TRUE(tapSettled(row->titleLbl()));
    auto* detail = topAs<TopicDetail>();
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->title(), QStringLiteral("浏览话题"));
    ASSERT_TRUE(waitFor([&] { return !detail->items().empty(); }));
    settle();
    EXPECT_EQ(id(detail->items()[0]), id(mine));
    auto* first = cell<TopicDetailItem>(detail->tableView(), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->picture()->isHidden());
    EXPECT_EQ(first->picture()->imgUrl(), mine.getStringValueForKey("image", ""));
    // The author sees all three items.
    EXPECT_EQ(tabTitles(detail), (QStringList{QStringLiteral("转载"), QStringLiteral("回复"),
                                              QStringLiteral("删除")}));
}

TEST_F(TopicTest, RepliesAndCommentsOnARepliesGoUnderTheirParents) {
    as("zhaolei");
    TopicDetail* detail = openTopic("70002");
    EXPECT_EQ(tabTitles(detail), (QStringList{QStringLiteral("转载"), QStringLiteral("回复")}));
    const int repliesBefore = detail->total();

    chooseTab(detail, QStringLiteral("回复"));
    auto* form = topAs<AskForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), QStringLiteral("回复话题"));
    ASSERT_TRUE(type(form->contentText(), QStringLiteral("手电这招真好用")));
    const std::size_t posts = sent("user/messagepost.aspx").size();
    tapRightButton(form);
    const Dict post = nextRequest("user/messagepost.aspx", posts);
    EXPECT_EQ(post.getStringValueForKey("t", ""), "8");
    EXPECT_EQ(post.getStringValueForKey("ptype", ""), "5");
    EXPECT_EQ(post.getStringValueForKey("id", ""), "70002");

    // Back on the topic, which loads again with the reply last.
    ASSERT_EQ(topAs<TopicDetail>(), detail);
    ASSERT_TRUE(waitFor([&] { return detail->total() == repliesBefore + 1; }));
    settle();
    const Value reply = detail->items().back();
    EXPECT_EQ(reply.getStringValueForKey("text", ""), "手电这招真好用");
    const int row = int(detail->items().size()) - 1;
    detail->tableView()->scrollToRowAtIndexPath({0, row}, TableView::ScrollPosition::Bottom, false);
    processEvents();
    auto* replyCell = cell<TopicDetailItem>(detail->tableView(), row);
    ASSERT_NE(replyCell, nullptr);
    EXPECT_EQ(replyCell->commentBtn()->currentTitle(), QStringLiteral("评论(0)"));
    EXPECT_EQ(replyCell->commentBtn()->tag(), TopicDetailItem::kCommentsTag);

    // Its comment button opens the comments on that reply.
    ASSERT_TRUE(tapSettled(replyCell->commentBtn()));
    auto* comments = topAs<CommentDetail>();
    ASSERT_NE(comments, nullptr);
    CommentList* list = comments->commentList();
    EXPECT_EQ(list->param().type(), "5");
    EXPECT_EQ(list->param().ptype(), "7");
    EXPECT_EQ(list->param().rid(), id(reply));
    comments->postComment();
    auto* commentForm = topAs<CommentForm>();
    ASSERT_NE(commentForm, nullptr);
    ASSERT_TRUE(type(commentForm->commentText(), QStringLiteral("同感")));
    tapRightButton(commentForm);
    ASSERT_EQ(topAs<CommentDetail>(), comments);
    ASSERT_TRUE(waitFor([&] { return list->items().size() == 1; }));
    EXPECT_NE(list->items()[0].getStringValueForKey("commenthtml", "").find("同感"),
              std::string::npos);
    const Dict comment = sent("user/messagepost.aspx").back().params;
    EXPECT_EQ(comment.getStringValueForKey("ptype", ""), "7");
    EXPECT_EQ(comment.getStringValueForKey("id", ""), id(reply));

    // The topic beneath counts the comment on the reply.
    comments->navigationController()->popViewControllerAnimated(false);
    ASSERT_TRUE(waitFor([&] {
        return !detail->items().empty() &&
               detail->items().back().getStringValueForKey("comment", "") == "1";
    }));
    // The comment is on the reply, not a reply of the topic.
    EXPECT_EQ(detail->total(), repliesBefore + 1);
}

TEST_F(TopicTest, ALongTopicPagesItsReplies) {
    TopicDetail* detail = openTopic("70001");
    EXPECT_EQ(detail->total(), 13);  // the topic and 12 replies
    ASSERT_EQ(detail->items().size(), 10u);
    EXPECT_EQ(detail->tableView()->tableFooterView(), detail->loadMoreView());
    // Signed out: repost and reply only.
    EXPECT_EQ(tabTitles(detail).size(), 2);
    detail->loadMore(detail->loadMoreView());
    ASSERT_TRUE(waitFor([&] { return detail->items().size() == 13; }));
    EXPECT_EQ(sent("topic/detail.aspx").back().params["page"].toText(), "2");
    EXPECT_EQ(detail->tableView()->tableFooterView(), nullptr);
    EXPECT_EQ(id(detail->items()[0]), "70001");
}

TEST_F(TopicTest, ARepostSaysSoAndShowsItsSource) {
    as("demo");
    TopicHome* home = openHome();
    auto* row = cell<TopicItem>(home->tableView(), 0);
    ASSERT_NE(row, nullptr);
    const Value source = home->items()[0];
    ASSERT_TRUE(tapSettled(row->fowardBtn()));
    auto* form = topAs<FowardForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), QStringLiteral("转载话题"));
    EXPECT_EQ(
        form->originalLbl()->text(),
        QStringLiteral("转载:") + QString::fromStdString(source.getStringValueForKey("title", "")));

    // Nothing goes out without a reason.
    tapRightButton(form);
    EXPECT_EQ(currentToast(), QStringLiteral("您还没有输入转载理由"));
    EXPECT_TRUE(sent("user/foward.aspx").empty());
    EXPECT_EQ(top(), form);

    ASSERT_TRUE(type(form->commentText(), QStringLiteral("值得一看")));
    ASSERT_TRUE(tap(form->fcommentBtn()));
    EXPECT_TRUE(form->fcommentBtn()->isSelected());
    tapRightButton(form);
    const Dict repost = nextRequest("user/foward.aspx", 0);
    EXPECT_EQ(repost.getStringValueForKey("info", ""), "值得一看");
    EXPECT_EQ(repost.getStringValueForKey("comment", ""), "1");
    EXPECT_EQ(repost.getStringValueForKey("id", ""), id(source));
    EXPECT_EQ(repost.getStringValueForKey("uid", ""), *session().userId());
    ASSERT_EQ(topAs<TopicHome>(), home);
    EXPECT_EQ(currentToast(), QStringLiteral("转载成功"));

    // The list beneath loads again with the repost first, its source boxed.
    ASSERT_TRUE(waitFor([&] {
        return !home->items().empty() &&
               home->items()[0].getStringValueForKey("title", "") == "值得一看";
    }));
    settle();
    auto* first = cell<TopicItem>(home->tableView(), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->sourceView()->isHidden());
    EXPECT_EQ(first->sourceLbl()->text(),
              QStringLiteral("%1:%2").arg(
                  QString::fromStdString(source.getStringValueForKey("user", "")),
                  QString::fromStdString(source.getStringValueForKey("title", ""))));
}

TEST_F(TopicTest, OnlyTheAuthorDeletesAndTheListBeneathReloads) {
    as("demo");
    TopicHome* home = openHome();
    ASSERT_TRUE(tapSettled(findByText(home->btnView(), QStringLiteral("我的话题"))));
    ASSERT_TRUE(waitFor([&] {
        return sent("topic/list.aspx").back().params["t"].toText() == "3" &&
               !home->items().empty() && home->items()[0].getStringValueForKey("uid", "") == "1";
    }));
    settle();
    const std::string doomed = id(home->items()[0]);
    ASSERT_TRUE(tapSettled(cell<TopicItem>(home->tableView(), 0)->titleLbl()));
    auto* detail = topAs<TopicDetail>();
    ASSERT_NE(detail, nullptr);
    ASSERT_TRUE(waitFor([&] { return detail->tabBar()->items().size() == 3; }));

    chooseTab(detail, QStringLiteral("删除"));
    EXPECT_EQ(alertMessage(), QStringLiteral("您确定要删除该话题吗?"));
    ASSERT_TRUE(answer(QStringLiteral("取消")));
    EXPECT_TRUE(sent("user/close.aspx").empty());
    EXPECT_EQ(top(), detail);

    chooseTab(detail, QStringLiteral("删除"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    const Dict close = nextRequest("user/close.aspx", 0);
    EXPECT_EQ(close.getStringValueForKey("t", ""), "3");
    EXPECT_EQ(close.getStringValueForKey("operate", ""), "2");
    EXPECT_EQ(close.getStringValueForKey("id", ""), doomed);
    EXPECT_EQ(close.getStringValueForKey("uid", ""), "1");
    ASSERT_EQ(topAs<TopicHome>(), home);
    EXPECT_EQ(currentToast(), QStringLiteral("删除话题成功"));
    ASSERT_TRUE(waitFor([&] { return !home->items().empty() && id(home->items()[0]) != doomed; }));
    for (const Value& topic : home->items())
        EXPECT_NE(id(topic), doomed);

    // Somebody else's topic offers no deletion.
    TopicDetail* other = openTopic("70001");
    EXPECT_EQ(tabTitles(other), (QStringList{QStringLiteral("转载"), QStringLiteral("回复")}));
}

TEST_F(TopicTest, FailuresShowTheAlerts) {
    auto* missing = new TopicDetail;
    missing->param().setRid("1");
    open(missing);
    EXPECT_EQ(alertMessage(), QStringLiteral("该话题不存在"));
    answerAlert(0);
    EXPECT_TRUE(missing->tabBar()->items().isEmpty());

    TopicHome* home = openHome();
    const std::size_t held = home->items().size();
    demoService()->injectFault("topic/list.aspx", {service::Fault::Kind::kDrop});
    ASSERT_TRUE(tapSettled(findByText(home->btnView(), QStringLiteral("热门话题"))));
    EXPECT_EQ(alertMessage(), QStringLiteral("加载失败，请重试!"));
    EXPECT_EQ(home->items().size(), held);
    answerAlert(0);

    // Signed out, posting asks for the login first and sends nothing.
    auto* signedOut = open(new TopicHome);
    processEvents();
    const std::size_t posts = sent("user/messagepost.aspx").size();
    tapRightButton(signedOut);
    EXPECT_EQ(alertMessage(), QStringLiteral("您还没有登录，请登录!"));
    answerAlert(1);
    EXPECT_EQ(top(), signedOut);
    EXPECT_EQ(sent("user/messagepost.aspx").size(), posts);
}

TEST(TopicRows, TheSourceBoxShowsOnlyForARepost) {
    const Dict plain{{"id", "5"},  {"title", "文字"}, {"user", "甲"},
                     {"uid", "3"}, {"comment", "2"},  {"reprs", Array{}}};
    TopicItem item;
    item.setInfo(plain);
    EXPECT_TRUE(item.sourceView()->isHidden());
    EXPECT_TRUE(item.picture()->isHidden());
    EXPECT_EQ(item.replyBtn()->currentTitle(), QStringLiteral("回复(2)"));
    const double plainHeight = TopicItem::contentHeight(plain);

    Dict wrongType = plain;
    wrongType.set("reprs", "70001");
    item.setInfo(wrongType);
    EXPECT_TRUE(item.sourceView()->isHidden());

    Dict repost = plain;
    repost.set("reprs", Array{Value(Dict{{"id", "9"},
                                         {"title", "原文"},
                                         {"user", "乙"},
                                         {"image", "http://127.0.0.1:1/a.jpg"}})});
    item.setInfo(repost);
    EXPECT_FALSE(item.sourceView()->isHidden());
    EXPECT_EQ(item.sourceLbl()->text(), QStringLiteral("乙:原文"));
    EXPECT_FALSE(item.sourcePicture()->isHidden());
    EXPECT_GT(TopicItem::contentHeight(repost), plainHeight + 60);
    EXPECT_EQ(item.frame().height(), TopicItem::contentHeight(repost));

    // The topic row replies, a reply row lists its comments; a missing
    // count reads 0.
    TopicDetailItem post;
    post.setTag(0);
    post.setInfo(Dict{{"id", "7"}, {"text", "正文"}});
    EXPECT_EQ(post.commentBtn()->currentTitle(), QStringLiteral("回复(0)"));
    EXPECT_EQ(post.commentBtn()->tag(), TopicDetailItem::kReplyTag);
    EXPECT_EQ(post.textView()->tag(), 7);
    EXPECT_TRUE(post.sourceView()->isHidden());
    post.setTag(3);
    post.setInfo(Dict{{"id", "8"}, {"text", "回复"}, {"comment", "4"}, {"reprs", repost["reprs"]}});
    EXPECT_EQ(post.commentBtn()->currentTitle(), QStringLiteral("评论(4)"));
    EXPECT_EQ(post.commentBtn()->tag(), TopicDetailItem::kCommentsTag);
    EXPECT_FALSE(post.sourceView()->isHidden());
    EXPECT_EQ(post.sourceView()->viewWithTag(TopicDetailItem::kSourceOpen)->isHidden(), false);
}

}  // namespace
