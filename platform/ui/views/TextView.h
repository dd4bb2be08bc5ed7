// A multi-line text: editable (with a 1-point grey frame and the keyboard
// when focused) or read-only (drawn like a label, wrapping, letting taps
// through to the views beneath). Its delegate may refuse any single edit.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

#include <QFont>

#include <functional>

class QPlainTextEdit;

namespace tovera::platform::ui {

class TextView;

class TextViewDelegate {
public:
    virtual ~TextViewDelegate() = default;
    virtual bool textViewShouldBeginEditing(TextView*) { return true; }
    virtual void textViewDidBeginEditing(TextView*) {}
    virtual void textViewDidEndEditing(TextView*) {}
    /// One edit: replacing `length` characters at `location` by `replacement`.
    virtual bool shouldChangeTextInRange(TextView*, int /*location*/, int /*length*/,
                                         const QString& /*replacement*/) {
        return true;
    }
    virtual void textViewDidChange(TextView*) {}
};

class TextView : public View {
    Q_OBJECT
public:
    explicit TextView(QWidget* parent = nullptr);
    explicit TextView(const QRectF& frame, QWidget* parent = nullptr);

    TextViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(TextViewDelegate* delegate) { delegate_ = delegate; }

    QString text() const;
    /// Sets the text without asking the delegate; the cursor goes to its end.
    void setText(const QString& text);
    /// Puts `text` at the cursor in place of the selection, as typing it
    /// would (the delegate is asked); the cursor ends after it.
    void insertText(const QString& text);
    void setFont(const QFont& font);
    QFont font() const;
    void setTextColor(const QColor& color);
    void setTextAlignment(Qt::Alignment alignment);

    bool isEditable() const { return editable_; }
    void setEditable(bool editable);

    /// The height the text needs at the view's width (content size).
    QSizeF contentSize() const;
    /// The size the text needs within `size.width()`.
    QSizeF sizeThatFits(const QSizeF& size) const override;

    bool becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;

    /// For a desktop keyboard: Enter runs `submit` as the form's own button
    /// does, and Shift+Enter starts a new line. The on-screen keyboard's
    /// return key still types a line break.
    void setSubmitOnReturn(std::function<void()> submit) { submit_ = std::move(submit); }

    QPlainTextEdit* editor() const { return edit_; }
    QString visibleText() const override { return text(); }

protected:
    void layoutSubviews() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();

    QPlainTextEdit* edit_ = nullptr;
    std::function<void()> submit_;
    QString lastText_;
    bool editable_ = true;
    bool settingText_ = false;
    struct Pending {
        int position = -1;
        int removed = 0;
        int added = 0;
    } pending_;
    WeakDelegate<TextViewDelegate> delegate_;
};

}  // namespace tovera::platform::ui
