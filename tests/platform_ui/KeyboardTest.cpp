#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/overlays/KeyboardBar.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/SearchBar.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// Refuses any edit at position 200 or beyond, as the posting form does.
struct Limit : TextFieldDelegate, TextViewDelegate {
    QStringList seen;
    int returns = 0;
    bool shouldChangeCharactersInRange(TextField*, int location, int length,
                                       const QString& replacement) override {
        seen << QString("%1,%2,%3").arg(location).arg(length).arg(replacement);
        return location < 200;
    }
    bool shouldChangeTextInRange(TextView*, int location, int, const QString&) override {
        return location < 200;
    }
    bool textFieldShouldReturn(TextField* field) override {
        ++returns;
        field->resignFirstResponder();
        return false;
    }
};

struct SearchRecorder : SearchBarDelegate {
    QStringList events;
    void searchBarSearchButtonClicked(SearchBar* bar) override {
        events << "search:" + bar->text();
    }
    void searchBarCancelButtonClicked(SearchBar*) override { events << "cancel"; }
    void selectedScopeButtonIndexDidChange(SearchBar*, int index) override {
        events << QString("scope:%1").arg(index);
    }
};

class KeyboardTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Keyboard& keyboard = Keyboard::shared();
        QObject::connect(&keyboard, &Keyboard::willShow, window(), [this](const KeyboardInfo& i) {
            events << "willShow";
            shown = i.frameEnd;
        });
        QObject::connect(&keyboard, &Keyboard::didShow, window(), [this] { events << "didShow"; });
        QObject::connect(&keyboard, &Keyboard::willHide, window(),
                         [this] { events << "willHide"; });
        QObject::connect(&keyboard, &Keyboard::didHide, window(), [this] { events << "didHide"; });
    }
    QStringList events;
    QRectF shown;
};

}  // namespace

TEST_F(KeyboardTest, FocusShowsA216PointKeyboardAndBlurHidesIt) {
    auto* field = new TextField(QRectF(10, 100, 300, 31));
    auto* text = new TextView(QRectF(10, 150, 300, 100));
    window()->addSubview(field);
    window()->addSubview(text);
    ASSERT_TRUE(field->becomeFirstResponder());
    ASSERT_TRUE(waitFor([&] { return events.contains("didShow"); }));
    EXPECT_EQ(events, (QStringList{"willShow", "didShow"}));
    EXPECT_EQ(shown, QRectF(0, 480 - 216, 320, 216));
    EXPECT_TRUE(Keyboard::shared().isVisible());

    // Moving to another text input keeps the keyboard up (it is told again).
    events.clear();
    ASSERT_TRUE(text->becomeFirstResponder());
    ASSERT_TRUE(waitFor([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events, (QStringList{"willShow", "didShow"}));

    events.clear();
    text->resignFirstResponder();
    ASSERT_TRUE(waitFor([&] { return events.contains("didHide"); }));
    EXPECT_EQ(events, (QStringList{"willHide", "didHide"}));
    EXPECT_FALSE(Keyboard::shared().isVisible());
}

TEST_F(KeyboardTest, TheKeyboardStandInPutsItselfAway) {
    auto* field = new TextField(QRectF(10, 100, 300, 31));
    window()->addSubview(field);
    field->becomeFirstResponder();
    ASSERT_TRUE(waitFor([&] { return Keyboard::shared().isVisible(); }));
    ASSERT_TRUE(tap(findByText(window(), "收起键盘")));
    EXPECT_TRUE(waitFor([&] { return !Keyboard::shared().isVisible(); }));
    EXPECT_FALSE(field->isFirstResponder());
}

TEST_F(KeyboardTest, ShouldChangeHooksLimitTextFieldsAndTextViews) {
    Limit limit;
    auto* field = new TextField(QRectF(10, 100, 300, 31));
    field->setDelegate(&limit);
    auto* text = new TextView(QRectF(10, 150, 300, 100));
    text->setDelegate(&limit);
    window()->addSubview(field);
    window()->addSubview(text);

    const QString full(200, QChar(u'字'));
    field->setText(full);  // set by code: not asked
    EXPECT_TRUE(limit.seen.isEmpty());
    field->lineEdit()->setCursorPosition(200);
    type(field, "多");
    EXPECT_EQ(field->text(), full) << "the 201st character is refused";
    field->lineEdit()->setCursorPosition(0);
    type(field, "首");
    EXPECT_EQ(field->text(), "首" + full.left(200)) << "an edit at position 0 is allowed";
    EXPECT_EQ(limit.seen.last(), "0,0,首");

    text->setText(full);
    text->becomeFirstResponder();
    text->editor()->moveCursor(QTextCursor::End);
    type(text, "尾");  // typed at the end
    EXPECT_EQ(text->text().size(), 200);

    // Typing in a short field goes through, one character at a time.
    auto* other = new TextField(QRectF(10, 300, 300, 31));
    other->setDelegate(&limit);
    window()->addSubview(other);
    int changes = 0;
    QObject::connect(other, &Control::editingChanged, [&] { ++changes; });
    type(other, "合肥ab");
    EXPECT_EQ(other->text(), "合肥ab");
    EXPECT_EQ(changes, 4);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(limit.returns, 1);
    EXPECT_FALSE(other->isFirstResponder());
}

TEST_F(KeyboardTest, SearchBarReportsSearchCancelAndScopes) {
    SearchRecorder recorder;
    auto* bar = new SearchBar(QRectF(0, 64, 320, 88));
    bar->setDelegate(&recorder);
    bar->setShowsCancelButton(true);
    bar->setScopeButtonTitles({"用户", "关注楼盘", "购买楼盘"});
    bar->setShowsScopeBar(true);
    bar->setPlaceholder("输入用户名");
    window()->addSubview(bar);
    EXPECT_EQ(bar->sizeThatFits({320, 0}).height(), 88);
    type(bar->textField(), "张三");
    pressKey(Qt::Key_Return);
    tap(bar->cancelButton());
    bar->setSelectedScopeButtonIndex(2);
    EXPECT_EQ(recorder.events, (QStringList{"search:张三", "cancel", "scope:2"}));
    EXPECT_EQ(bar->selectedScopeButtonIndex(), 2);
}

// The stand-in's return key takes its title from the input's return key
// type and does what that key does; a click on the stand-in never takes the
// keyboard from the input.
TEST_F(KeyboardTest, TheReturnKeyFollowsTheInputsReturnKeyType) {
    Limit limit;
    SearchRecorder recorder;
    auto* plain = new TextField(QRectF(10, 30, 300, 31));
    auto* first = new TextField(QRectF(10, 70, 300, 31));
    first->setReturnKeyType(TextField::ReturnKey::Next);
    auto* last = new TextField(QRectF(10, 110, 300, 31));
    last->setReturnKeyType(TextField::ReturnKey::Done);
    last->setDelegate(&limit);
    auto* text = new TextView(QRectF(10, 150, 300, 40));
    auto* bar = new SearchBar(QRectF(0, 200, 320, 44));
    bar->setDelegate(&recorder);
    for (QWidget* view : std::initializer_list<QWidget*>{plain, first, last, text, bar})
        window()->addSubview(view);
    auto returnKey = [] { return findByClass<KeyboardBar>(Window::keyWindow())->returnKey(); };
    auto focusOn = [](QWidget* view) {
        ASSERT_TRUE(tap(view));
        ASSERT_TRUE(waitFor([] { return Keyboard::shared().isVisible(); }));
    };

    const struct {
        QWidget* input;
        QString title;  // empty: no return key
    } cases[] = {
        {plain, ""}, {first, "下一项"}, {last, "完成"}, {text, ""}, {bar->textField(), "搜索"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        focusOn(c.input);
        ASSERT_TRUE(waitFor([&] { return returnKey()->isHidden() == c.title.isEmpty(); }));
        if (!c.title.isEmpty()) {
            EXPECT_EQ(returnKey()->currentTitle(), c.title);
        }
    }

    // "下一项" moves to the next input, in the order the form was built.
    focusOn(first);
    ASSERT_TRUE(tap(findByText(window(), "下一项")));
    ASSERT_TRUE(waitFor([&] { return last->isFirstResponder(); }));
    // A click on the stand-in away from its keys leaves the keyboard up.
    ASSERT_TRUE(tap(findByText(window(), "键盘")));
    processEvents();
    EXPECT_TRUE(last->isFirstResponder());
    EXPECT_TRUE(Keyboard::shared().isVisible());
    // "完成" is the return of the last field, then the keyboard goes.
    ASSERT_TRUE(tap(findByText(window(), "完成")));
    EXPECT_EQ(limit.returns, 1);
    EXPECT_TRUE(waitFor([] { return !Keyboard::shared().isVisible(); }));

    // "搜索" is the search bar's search button.
    focusOn(bar->textField());
    type(bar->textField(), "合肥");
    ASSERT_TRUE(tap(findByText(window(), "搜索")));
    EXPECT_EQ(recorder.events, QStringList{"search:合肥"});
    // The delegates go before the window does.
    bar->setDelegate(nullptr);
    last->setDelegate(nullptr);
}
