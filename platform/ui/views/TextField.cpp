#include "platform/ui/views/TextField.h"

#include "platform/ui/views/Font.h"
#include "platform/ui/views/TextChange.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QSignalBlocker>

namespace tovera::platform::ui {

TextField::TextField(QWidget* parent) : TextField(QRectF(), parent) {}

TextField::TextField(const QRectF& frame, QWidget* parent) : Control(frame, parent) {
    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; }"));
    edit_->setFont(Font::system(15));
    edit_->installEventFilter(this);
    edit_->show();
    connect(edit_, &QLineEdit::textEdited, this, &TextField::edited);
    connect(edit_, &QLineEdit::returnPressed, this, &TextField::performReturn);
    layoutSubviews();
}

// While the delegate is asked about an edit, the text is still the one
// before it, as the edit has not been accepted yet.
QString TextField::text() const {
    return askingDelegate_ ? lastText_ : edit_->text();
}

void TextField::setText(const QString& text) {
    lastText_ = text;
    const QSignalBlocker block(edit_);
    edit_->setText(text);
}

QString TextField::placeholder() const {
    return edit_->placeholderText();
}

void TextField::setPlaceholder(const QString& placeholder) {
    edit_->setPlaceholderText(placeholder);
}

void TextField::setFont(const QFont& font) {
    edit_->setFont(font);
}

void TextField::setTextColor(const QColor& color) {
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, color);
    edit_->setPalette(palette);
}

void TextField::setTextAlignment(Qt::Alignment alignment) {
    edit_->setAlignment(alignment | Qt::AlignVCenter);
}

bool TextField::isSecureTextEntry() const {
    return edit_->echoMode() == QLineEdit::Password;
}

void TextField::setSecureTextEntry(bool secure) {
    edit_->setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal);
}

void TextField::setKeyboardType(KeyboardType type) {
    keyboardType_ = type;
    Qt::InputMethodHints hints = Qt::ImhNone;
    switch (type) {
        case KeyboardType::NumberPad:
            hints = Qt::ImhDigitsOnly;
            break;
        case KeyboardType::PhonePad:
            hints = Qt::ImhDialableCharactersOnly;
            break;
        case KeyboardType::EmailAddress:
            hints = Qt::ImhEmailCharactersOnly;
            break;
        case KeyboardType::Url:
            hints = Qt::ImhUrlCharactersOnly;
            break;
        case KeyboardType::Default:
            break;
    }
    edit_->setInputMethodHints(hints);
}

void TextField::setBorderStyle(BorderStyle style) {
    border_ = style;
    layoutSubviews();
    update();
}

void TextField::setClearButtonShown(bool shown) {
    edit_->setClearButtonEnabled(shown);
}

void TextField::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    edit_->setEnabled(enabled);
}

bool TextField::becomeFirstResponder() {
    if (!isEnabled() || !isVisible()) return false;
    window()->activateWindow();
    edit_->setFocus(Qt::OtherFocusReason);
    return edit_->hasFocus();
}

void TextField::resignFirstResponder() {
    if (edit_->hasFocus()) edit_->clearFocus();
}

bool TextField::isFirstResponder() const {
    return edit_->hasFocus();
}

void TextField::performReturn() {
    QPointer<TextField> guard(this);
    if (auto* d = delegate_.get()) d->textFieldShouldReturn(this);
    if (guard) emit editingDidEndOnExit(this);
}

void TextField::chainReturns(const QList<TextField*>& fields, std::function<void()> submit) {
    // The Enter key of a real keyboard only: the on-screen keyboard's return
    // key keeps its own meaning ("下一项" moves on, "完成" puts it away).
    for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
        TextField* next = fields[i + 1];
        connect(fields[i]->edit_, &QLineEdit::returnPressed, next,
                [next] { next->becomeFirstResponder(); });
    }
    if (fields.isEmpty()) return;
    connect(fields.last()->edit_, &QLineEdit::returnPressed, fields.last(),
            [submit = std::move(submit)] { submit(); });
}

TextField* TextField::owning(QWidget* input) {
    auto* field = input ? qobject_cast<TextField*>(input->parentWidget()) : nullptr;
    return field && field->edit_ == input ? field : nullptr;
}

QString TextField::visibleText() const {
    return edit_->text().isEmpty() ? edit_->placeholderText() : edit_->text();
}

void TextField::edited(const QString& text) {
    const TextChange change = TextChange::between(lastText_, text, edit_->cursorPosition());
    bool accepted = true;
    if (auto* d = delegate_.get()) {
        askingDelegate_ = true;
        accepted = d->shouldChangeCharactersInRange(this, change.location, change.length,
                                                    change.replacement);
        askingDelegate_ = false;
    }
    if (!accepted) {
        const QSignalBlocker block(edit_);
        edit_->setText(lastText_);
        edit_->setCursorPosition(change.location + change.length);
        return;
    }
    lastText_ = text;
    emit editingChanged(this);
}

bool TextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn) {
            if (auto* d = delegate_.get(); d && !d->textFieldShouldBeginEditing(this)) {
                QMetaObject::invokeMethod(
                    edit_, [this] { edit_->clearFocus(); }, Qt::QueuedConnection);
                return false;
            }
            if (auto* d = delegate_.get()) d->textFieldDidBeginEditing(this);
            emit editingDidBegin(this);
        } else if (event->type() == QEvent::FocusOut) {
            if (auto* d = delegate_.get()) d->textFieldDidEndEditing(this);
            emit editingDidEnd(this);
        }
    }
    return Control::eventFilter(watched, event);
}

void TextField::layoutSubviews() {
    if (!edit_) return;
    double inset = 0;
    switch (border_) {
        case BorderStyle::RoundedRect:
            inset = 8;
            break;
        case BorderStyle::Line:
        case BorderStyle::Bezel:
            inset = 4;
            break;
        case BorderStyle::None:
            break;
    }
    const QRectF b = bounds().adjusted(inset, 0, -inset, 0);
    edit_->setGeometry(b.toRect());
}

void TextField::paintEvent(QPaintEvent* event) {
    Control::paintEvent(event);
    if (border_ == BorderStyle::None) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds().adjusted(0.5, 0.5, -0.5, -0.5);
    switch (border_) {
        case BorderStyle::RoundedRect:
            painter.setBrush(Qt::white);
            painter.setPen(QPen(QColor(0xA8, 0xA8, 0xA8), 1));
            painter.drawRoundedRect(b, 6, 6);
            break;
        case BorderStyle::Line:
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(b);
            break;
        case BorderStyle::Bezel:
            painter.setBrush(Qt::white);
            painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
            painter.drawRect(b);
            break;
        case BorderStyle::None:
            break;
    }
}

}  // namespace tovera::platform::ui
