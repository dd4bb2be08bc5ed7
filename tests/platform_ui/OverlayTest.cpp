#include "platform/Alert.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/overlays/Toast.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"

#include <QPointer>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using namespace std::chrono_literals;

namespace {

struct Answers : QObject, AlertViewDelegate, ActionSheetDelegate {
    QList<int> clicked;
    QList<int> dismissed;
    int tag = -1;
    void alertViewClickedButtonAtIndex(AlertView* alert, int index) override {
        clicked << index;
        tag = alert->tag();
    }
    void alertViewDidDismiss(AlertView*, int index) override { dismissed << index; }
    void actionSheetClickedButtonAtIndex(ActionSheet*, int index) override { clicked << index; }
};

}  // namespace

using OverlayTest = UiTest;

TEST_F(OverlayTest, AlertIsFoundAndAnsweredByIndexWithoutBlocking) {
    Answers answers;
    auto* alert = new AlertView("提示", "您确定要退出登录吗?", &answers, {"确定", "取消"});
    alert->setTag(7);
    alert->setCancelButtonIndex(1);
    QPointer<AlertView> guard(alert);
    alert->show();  // returns at once
    auto shown = currentAlert();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->title, "提示");
    EXPECT_EQ(shown->message, "您确定要退出登录吗?");
    EXPECT_EQ(shown->buttons, (QStringList{"确定", "取消"}));
    EXPECT_EQ(shown->tag, 7);
    ASSERT_TRUE(answerAlert(0));
    EXPECT_EQ(answers.clicked, QList<int>{0});
    EXPECT_EQ(answers.dismissed, QList<int>{0});
    EXPECT_EQ(answers.tag, 7);
    EXPECT_FALSE(currentAlert());
    processEvents();
    EXPECT_TRUE(guard.isNull()) << "an alert nobody owns goes after it is answered";
}

TEST_F(OverlayTest, AnOwnedAlertCanBeShownAgainAndAGoneDelegateIsSkipped) {
    QObject owner;
    auto* answers = new Answers;
    AlertView alert("提示", "加载失败，请重试!", answers, {"确定"}, &owner);
    for (int round = 0; round < 2; ++round) {
        alert.show();
        ASSERT_TRUE(answerAlert("确定"));
    }
    EXPECT_EQ(answers->clicked, (QList<int>{0, 0}));
    delete answers;  // the screen that listened is gone
    alert.show();
    EXPECT_TRUE(answerAlert(0));
    EXPECT_FALSE(alert.isVisible());
}

TEST_F(OverlayTest, NewestAlertIsOnTopAndLogicLayerAlertsUseTheToolkit) {
    int chosen = -1;
    tovera::platform::showAlert({"提示", "first", {"确定"}, 1, {}});
    tovera::platform::showAlert(
        {"出错了", "second", {"确定", "取消"}, 2, [&](int i) { chosen = i; }});
    ASSERT_TRUE(currentAlert());
    EXPECT_EQ(currentAlert()->message, "second");
    answerAlert(1);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(currentAlert()->message, "first");
    answerAlert(0);
    EXPECT_FALSE(currentAlert());
    EXPECT_TRUE(tovera::platform::takeRecordedAlerts().empty());
}

TEST_F(OverlayTest, ActionSheetOrdersDestructiveFirstAndCancelLast) {
    Answers answers;
    ActionSheet* sheet =
        ActionSheet::create("拨打:0551-12345678", &answers, "取消", "确定", {}, nullptr);
    sheet->showInView(window());
    auto shown = currentActionSheet();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->buttons, (QStringList{"确定", "取消"}));
    EXPECT_EQ(shown->destructiveIndex, 0);
    EXPECT_EQ(shown->cancelIndex, 1);
    ASSERT_TRUE(answerActionSheet(0));
    EXPECT_EQ(answers.clicked, QList<int>{0});
    EXPECT_FALSE(currentActionSheet());

    ActionSheet* upload =
        ActionSheet::create("选择上传方式", &answers, "取消", {}, {"相机拍照", "本地图片"});
    upload->showInView(nullptr);
    EXPECT_EQ(currentActionSheet()->buttons, (QStringList{"相机拍照", "本地图片", "取消"}));
    answerActionSheet(2);
    EXPECT_EQ(answers.clicked.last(), 2);
}

TEST_F(OverlayTest, ToastsVanishAfterTheirDuration) {
    // The timer clock also moves with real time, so the checks before a
    // deadline keep half a duration of room for a slow machine.
    Toast::show("订阅成功!");
    EXPECT_EQ(currentToast(), "订阅成功!");
    fastForward(500ms);
    EXPECT_EQ(currentToast(), "订阅成功!");
    fastForward(600ms);
    EXPECT_EQ(currentToast(), "");
    Toast::Options longer;
    longer.durationMs = 3000;
    longer.gravity = Toast::Gravity::Bottom;
    Toast::show("内容不能为空", longer);
    fastForward(1500ms);
    EXPECT_EQ(currentToast(), "内容不能为空");
    fastForward(1600ms);
    EXPECT_TRUE(Toast::visible().isEmpty());
}
