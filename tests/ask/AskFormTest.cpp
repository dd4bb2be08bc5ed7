// The posting form as its openers use it, every type: labels, fields,
// photo maximum and length limits; the photo sheet and the checks before a
// post; what reaches the demo service; and what follows a post, a refusal
// and a signed-out "提交".
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include "ask/AskDetail.h"
#include "ask/AskForm.h"
#include "ask/AskHome.h"
#include "ask/AskList.h"
#include "framework/ActivityView.h"
#include "framework/ButtonsView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/PhotoPreview.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "service/DemoService.h"
#include "tests/ask/AskUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class AskFormTest : public tovera::testing::AskUiTest {};

TEST_F(AskFormTest, EveryTypeShowsItsLabelsFieldsAndPhotoMaximum) {
    struct Case {
        std::string type;
        QString subject, content, photo;
        bool subjectShown, cityShown, bodyShown;
        int maxPhotos;
    };
    const Case cases[] = {
        {"1", "主题", "直播消息", "现场图片", false, false, true, 2},
        {"2", "标题", "内容", "图片", false, false, true, 2},
        {"3", "主题", "回答内容", "图片", false, false, true, 2},
        {"4", "主题", "转载内容", "图片", true, false, true, 2},
        {"5", "直播主题", "内容", "现场图片", true, true, false, 1},
        {"6", "主题", "话题内容", "图片", false, false, true, 1},
        {"7", "咨询主题", "咨询内容", "图片", true, false, true, 2},
        {"8", "主题", "回复内容", "图片", false, false, true, 2},
        {"12", "咨询主题", "咨询内容", "图片", true, false, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + c.type);
        AskForm* form = openForm(c.type);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->titleLbl()->text(), c.subject);
        EXPECT_EQ(form->contentLbl()->text(), c.content);
        EXPECT_EQ(form->picLbl()->text(), c.photo);
        EXPECT_EQ(isOnScreen(form->titleField()), c.subjectShown);
        EXPECT_EQ(isOnScreen(form->cityBtn()), c.cityShown);
        EXPECT_EQ(isOnScreen(form->contentText()), c.bodyShown);
        EXPECT_EQ(form->preView()->max(), c.maxPhotos);
        // The rows stack top-down, the photo button last.
        const QWidget* above =
            c.bodyShown ? static_cast<QWidget*>(form->contentText()) : form->cityBtn();
        EXPECT_LT(above->geometry().bottom(), form->picLbl()->geometry().top());
        EXPECT_LT(form->picLbl()->frame().bottom(), form->photoBtn()->frame().bottom());
        // More photos than the type takes keep the newest.
        for (int i = 0; i < c.maxPhotos + 1; ++i)
            pickPhoto(form, picture(40 + i, 40));
        ASSERT_EQ(form->preView()->images().size(), c.maxPhotos);
        EXPECT_EQ(form->preView()->images().front().size().width(), 40 + c.maxPhotos);
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
}

TEST_F(AskFormTest, LongTextsAreRefusedOnlyWhereTheTypeLimitsThem) {
    const QString full(200, QChar(u'字'));
    for (const std::string type : {"1", "5", "7"}) {
        SCOPED_TRACE("type " + type);
        AskForm* form = openForm(type);
        const bool limited = type != "7";
        QWidget* input =
            type == "5" ? static_cast<QWidget*>(form->titleField()) : form->contentText();
        auto text = [&] {
            return type == "5" ? form->titleField()->text() : form->contentText()->text();
        };
        ASSERT_TRUE(platform::ui::testing::type(input, full));
        EXPECT_EQ(text().size(), 200);
        ASSERT_TRUE(platform::ui::testing::type(input, QStringLiteral("多")));
        EXPECT_EQ(text().size(), limited ? 200 : 201);
        // Pasting is an edit like any other.
        QApplication::clipboard()->setText(QStringLiteral("粘贴的文字"));
        if (type == "5")
            form->titleField()->lineEdit()->paste();
        else
            form->contentText()->editor()->paste();
        processEvents();
        EXPECT_EQ(text().size(), limited ? 200 : 206);
        // Text at the limit can still be corrected.
        pressKey(Qt::Key_Backspace);
        processEvents();
        EXPECT_EQ(text().size(), limited ? 199 : 205);
        ASSERT_TRUE(platform::ui::testing::type(input, QStringLiteral("改")));
        EXPECT_TRUE(text().endsWith(QStringLiteral("改")));
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
}

TEST_F(AskFormTest, TheChecksRunInOrderAndSendNothingWhenOneFails) {
    login("demo", "demo1234");
    struct Case {
        std::string type;
        QString subject, body;
        bool photo;
        QString toast;  // empty: the post goes out
    };
    const Case cases[] = {
        {"7", "", "内容", false, "咨询主题不能为空!"},
        {"7", "", "", false, "咨询内容不能为空!"},
        {"7", "标题", "", false, "咨询内容不能为空!"},
        {"5", "新楼开盘直播", "", false, "您还没有选择图片"},
        {"5", "", "", true, "直播主题不能为空!"},
        // A new topic has no subject to check.
        {"6", "", "", false, "话题内容不能为空!"},
        {"6", "", "话题", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + c.type + " " + c.toast.toStdString());
        AskForm* form = openForm(c.type);
        if (c.photo) pickPhoto(form, picture(10, 10));
        fill(form, c.subject, c.body);
        const std::size_t before = postsReceived();
        submit(form);
        if (c.toast.isEmpty()) {
            ASSERT_TRUE(waitFor([&] { return postsReceived() == before + 1; }));
        } else {
            EXPECT_EQ(currentToast(), c.toast);
            EXPECT_EQ(postsReceived(), before);
            EXPECT_EQ(top(), form);
            nav()->popViewControllerAnimated(false);
        }
        processEvents();
        fastForward(std::chrono::seconds(2));
    }
}

TEST_F(AskFormTest, SignedOutSubmitShowsTheLoginPromptSendsNothingAndKeepsTheText) {
    AskForm* form = openForm("7");
    fill(form, QStringLiteral("标题"), QStringLiteral("内容"));
    submit(form);
    const std::optional<OverlayInfo> prompt = currentAlert();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->message, QStringLiteral("您还没有登录，请登录!"));
    ASSERT_TRUE(answerAlert(QStringLiteral("取消")));
    EXPECT_EQ(postsReceived(), 0u);
    EXPECT_EQ(top(), form);
    EXPECT_EQ(form->titleField()->text(), QStringLiteral("标题"));
}

TEST_F(AskFormTest, ARefusedOrFailedPostKeepsTheFormAndItsContent) {
    login("demo", "demo1234");
    AskForm* form = openForm("7");
    fill(form, QStringLiteral("小区停车位够吗"), QStringLiteral("想了解一下"));
    pickPhoto(form, picture(30, 30));
    for (service::Fault::Kind kind :
         {service::Fault::Kind::kRefusal, service::Fault::Kind::kDrop}) {
        service::Fault fault;
        fault.kind = kind;
        fault.msg = "发布太频繁";
        demoService()->injectFault("user/messagepost.aspx", fault);
        submit(form);
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
        if (kind == service::Fault::Kind::kRefusal) {
            EXPECT_EQ(currentAlert()->message, QStringLiteral("发布太频繁"));
        }
        ASSERT_TRUE(answerAlert(0));
        processEvents();
        EXPECT_EQ(top(), form);
        EXPECT_EQ(form->titleField()->text(), QStringLiteral("小区停车位够吗"));
        EXPECT_EQ(form->contentText()->text(), QStringLiteral("想了解一下"));
        EXPECT_EQ(form->preView()->images().size(), 1);
    }
}

TEST_F(AskFormTest, AQuestionWithTwoPhotosOpensItsDetailAndTheCentreReloadsItsListing) {
    login("demo", "demo1234");
    auto* home = open(new AskHome);
    const std::size_t listsAsked = demoService()->requestsTo("ask/list.aspx").size();
    ASSERT_TRUE(tapSettled(findByText(home->btnView(), QStringLiteral("我的咨询"))));
    ASSERT_TRUE(waitFor([&] {
        return demoService()->requestsTo("ask/list.aspx").size() > listsAsked &&
               !ActivityView::shared()->isShowing();
    }));
    const int mineBefore = home->asklistController()->total();

    home->showAskForm();
    processEvents();
    auto* form = qobject_cast<AskForm*>(top());
    ASSERT_TRUE(form);
    fill(form, QStringLiteral("学区划分什么时候公布"), QStringLiteral("今年的学区划分有消息吗"));
    pickPhoto(form, picture(800, 400, Qt::red), 0);  // the camera: the file dialog here
    pickPhoto(form, picture(100, 900, Qt::blue));
    submit(form);

    const auto sent = demoService()->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].params.getStringValueForKey("type", ""), "7");
    EXPECT_EQ(sent[0].params.getStringValueForKey("title", ""), "学区划分什么时候公布");
    EXPECT_EQ(sent[0].pictures.size(), 2u);
    // "pic1" is the newest photo, each scaled to fit 320 by 320.
    for (const auto& [name, bytes] : sent[0].pictures) {
        const QImage got = QImage::fromData(QByteArray::fromStdString(bytes));
        EXPECT_LE(got.width(), AskForm::kPhotoSide);
        EXPECT_LE(got.height(), AskForm::kPhotoSide);
        EXPECT_EQ(got.pixelColor(1, 1).blue() > 200, name == "pic1") << name;
    }

    auto* detail = qobject_cast<AskDetail*>(top());
    ASSERT_TRUE(detail);
    EXPECT_EQ(nav()->viewControllers().size(), 3);  // the form gave way to the question
    ASSERT_TRUE(waitFor([&] { return !detail->detail().empty(); }));
    EXPECT_EQ(detail->detail().getStringValueForKey("title", ""), "学区划分什么时候公布");
    EXPECT_EQ(NSUtil::explode(detail->detail().getStringValueForKey("image", ""), "|").size(), 2u);

    nav()->popViewControllerAnimated(false);
    processEvents();
    ASSERT_EQ(top(), home);
    ASSERT_TRUE(waitFor([&] { return home->asklistController()->total() == mineBefore + 1; }));
    Button* selected = NSUtil::getSelectedButton(home->btnView());
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->currentTitle(), QStringLiteral("我的咨询"));
    EXPECT_EQ(home->asklistController()->param().type(), "3");
}

TEST_F(AskFormTest, ASuccessWithoutTheNewIdIsAFailureAndOpensNothing) {
    login("demo", "demo1234");
    for (const std::string type : {"7", "5"}) {
        SCOPED_TRACE("type " + type);
        AskForm* form = openForm(type);
        fill(form, QStringLiteral("标题"), type == "7" ? QStringLiteral("内容") : QString());
        form->requestDidLoad(nullptr, Value(Dict{{"code", "0"}, {"msg", "发布成功"}}));
        processEvents();
        const std::optional<OverlayInfo> alert = currentAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title, QStringLiteral("出错了"));
        ASSERT_TRUE(answerAlert(0));
        EXPECT_EQ(top(), form);
        EXPECT_EQ(form->titleField()->text(), QStringLiteral("标题"));
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
}

TEST_F(AskFormTest, AnAnswerMarksTheScreenBeneathAndCloses) {
    login("wangfang", "wang12345");
    auto* beneath = open(new AskList);
    ASSERT_TRUE(waitFor([&] { return !beneath->items().empty(); }));
    AskForm* form = openForm("3", "60003");
    fill(form, {}, QStringLiteral("实验小学附近的几个小区都不错"));
    submit(form);
    ASSERT_TRUE(waitFor([&] { return top() == beneath; }));
    EXPECT_EQ(currentToast(), QStringLiteral("发布成功"));
    const auto sent = demoService()->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].params.getStringValueForKey("id", ""), "60003");
    EXPECT_EQ(sent[0].params.getStringValueForKey("type", ""), "3");
}

TEST_F(AskFormTest, EnterWalksFromTheSubjectToTheTextAndPostsFromThere) {
    login("wangfang", "wang12345");
    open(new AskList);
    QPointer<AskForm> form = openForm("7");
    ASSERT_TRUE(platform::ui::testing::type(form->titleField(), QStringLiteral("周末看房团")));
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(form->contentText()->isFirstResponder());
    EXPECT_EQ(postsReceived(), 0u);
    ASSERT_TRUE(platform::ui::testing::type(form->contentText(), QStringLiteral("有一起的吗")));
    pressKey(Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(platform::ui::testing::type(form->contentText(), QStringLiteral("周六上午")));
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return !form || top() != form; })) << "the question opens";
    const auto sent = demoService()->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].params.getStringValueForKey("title", ""), "周末看房团");
    EXPECT_EQ(sent[0].params.getStringValueForKey("text", ""), "有一起的吗\n周六上午");
}

TEST_F(AskFormTest, ANewLiveRoomGoesOutWithTheChosenCityAndOpensTheRoom) {
    login("demo", "demo1234");
    auto* beneath = open(new AskList);
    service::Fault slow;
    slow.kind = service::Fault::Kind::kDelay;
    slow.delay = std::chrono::milliseconds(300);
    demoService()->injectFault("system/citylist.aspx", slow);
    AskForm* form = openForm("5");
    const int home = form->cityBtn()->tag();
    // Confirming before the city list is in takes nothing.
    form->chooseCity();
    ASSERT_TRUE(form->pkArray().empty());
    ASSERT_TRUE(tap(form->pkView()->confirmButton()));
    EXPECT_EQ(form->cityBtn()->tag(), home);

    ASSERT_TRUE(waitFor([&] { return !form->pkArray().empty(); }));
    ASSERT_TRUE(tapSettled(form->cityBtn()));
    JVPickView* picker = form->pkView();
    ASSERT_FALSE(picker->isHidden());
    const int row = picker->titles().indexOf(QStringLiteral("芜湖"));
    ASSERT_GE(row, 0);
    picker->pickerView()->selectRow(row, 0);
    ASSERT_TRUE(tapSettled(picker->confirmButton()));
    EXPECT_TRUE(picker->isHidden());
    EXPECT_EQ(form->cityBtn()->currentTitle(), QStringLiteral("芜湖"));
    const int chosen = form->cityBtn()->tag();
    EXPECT_EQ(chosen, 3402);

    fill(form, QStringLiteral("芜湖新盘开盘直播"), {});
    pickPhoto(form, picture(640, 480));
    // A cancelled choice adds nothing.
    pickPhoto(form, QImage());
    EXPECT_EQ(form->preView()->images().size(), 1);
    submit(form);

    const auto sent = demoService()->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].params.getStringValueForKey("cityid", ""), std::to_string(chosen));
    EXPECT_EQ(sent[0].params.getStringValueForKey("api", ""), "");  // not the city list's
    EXPECT_EQ(sent[0].pictures.size(), 1u);
    ASSERT_TRUE(waitFor([&] { return top() != form; }));
    // The new room opens in the form's place.
    EXPECT_EQ(top()->title(), QStringLiteral("直播室"));
    ASSERT_EQ(nav()->viewControllers().size(), 3);
    EXPECT_EQ(nav()->viewControllers().at(1), beneath);
    EXPECT_TRUE(beneath->param().param().contains("refresh"));
}

}  // namespace
