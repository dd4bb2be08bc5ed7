// A one-line text input: placeholder, secure entry, return key, border
// styles, and a delegate that may refuse any single edit (length limits) and
// hears begin, end and return. Taking the focus brings up the keyboard.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/Control.h"

#include <QFont>
#include <QList>

#include <functional>

class QLineEdit;

namespace tovera::platform::ui {

class TextField;

class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField*) { return true; }
    virtual void textFieldDidBeginEditing(TextField*) {}
    virtual void textFieldDidEndEditing(TextField*) {}
    /// The return key; the field keeps the keyboard unless the delegate resigns it.
    virtual bool textFieldShouldReturn(TextField*) { return true; }
    /// One edit: replacing `length` characters at `location` by `replacement`.
    virtual bool shouldChangeCharactersInRange(TextField*, int /*location*/, int /*length*/,
                                               const QString& /*replacement*/) {
        return true;
    }
};

class TextField : public Control {
    Q_OBJECT
public:
    enum class BorderStyle { None, Line, Bezel, RoundedRect };
    enum class ReturnKey { Default, Go, Next, Search, Send, Done };
    enum class KeyboardType { Default, NumberPad, PhonePad, EmailAddress, Url };

    explicit TextField(QWidget* parent = nullptr);
    explicit TextField(const QRectF& frame, QWidget* parent = nullptr);

    TextFieldDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }

    /// The text; while the delegate is asked about an edit, the text before it.
    QString text() const;
    /// Sets the text without asking the delegate.
    void setText(const QString& text);
    QString placeholder() const;
    void setPlaceholder(const QString& placeholder);
    void setFont(const QFont& font);
    void setTextColor(const QColor& color);
    void setTextAlignment(Qt::Alignment alignment);
    bool isSecureTextEntry() const;
    void setSecureTextEntry(bool secure);
    ReturnKey returnKeyType() const { return returnKey_; }
    void setReturnKeyType(ReturnKey key) { returnKey_ = key; }
    KeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(KeyboardType type);
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);
    void setClearButtonShown(bool shown);
    void setEnabled(bool enabled) override;

    bool becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;

    /// What the return key does: the delegate hears it, then
    /// editingDidEndOnExit is sent (the keyboard's own key does the same).
    void performReturn();
    /// Links the fields of a form in reading order for a desktop keyboard:
    /// Enter in one puts the caret into the next, and in the last runs
    /// `submit`, as the form's own button does. The on-screen return key is
    /// left as the return key type makes it.
    static void chainReturns(const QList<TextField*>& fields, std::function<void()> submit);
    /// The field whose editor is `input` (the widget that has the keyboard),
    /// or null when `input` is not a field's editor.
    static TextField* owning(QWidget* input);

    /// The Qt editor inside (tests type into it).
    QLineEdit* lineEdit() const { return edit_; }

    QString visibleText() const override;

protected:
    void layoutSubviews() override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void edited(const QString& text);

    QLineEdit* edit_ = nullptr;
    QString lastText_;
    bool askingDelegate_ = false;
    WeakDelegate<TextFieldDelegate> delegate_;
    BorderStyle border_ = BorderStyle::None;
    ReturnKey returnKey_ = ReturnKey::Default;
    KeyboardType keyboardType_ = KeyboardType::Default;
};

}  // namespace tovera::platform::ui
