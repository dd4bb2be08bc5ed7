#include "platform/ui/views/TextView.h"

#include "platform/ui/views/Font.h"
#include "platform/ui/views/TextChange.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

namespace tovera::platform::ui {

namespace {

constexpr double kPadding = 4;

}  // namespace

TextView::TextView(QWidget* parent) : TextView(QRectF(), parent) {}

TextView::TextView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    edit_ = new QPlainTextEdit(this);
    edit_->setFrameShape(QFrame::NoFrame);
    edit_->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: transparent; border: none; }"));
    edit_->setFont(Font::system(15));
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->document()->setDocumentMargin(kPadding);
    edit_->installEventFilter(this);
    edit_->show();
    connect(edit_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                pending_ = {position, removed, added};
            });
    connect(edit_, &QPlainTextEdit::textChanged, this, &TextView::changed);
    setEditable(true);
    layoutSubviews();
}

QString TextView::text() const {
    return edit_->toPlainText();
}

void TextView::setText(const QString& text) {
    settingText_ = true;
    edit_->setPlainText(text);
    settingText_ = false;
    lastText_ = edit_->toPlainText();
    // Writing goes on after a text that was set, as on a phone.
    edit_->moveCursor(QTextCursor::End);
}

void TextView::insertText(const QString& text) {
    edit_->insertPlainText(text);
}

void TextView::setFont(const QFont& font) {
    edit_->setFont(font);
}

QFont TextView::font() const {
    return edit_->font();
}

void TextView::setTextColor(const QColor& color) {
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, color);
    edit_->setPalette(palette);
}

void TextView::setTextAlignment(Qt::Alignment alignment) {
    QTextOption option = edit_->document()->defaultTextOption();
    option.setAlignment(alignment);
    edit_->document()->setDefaultTextOption(option);
}

void TextView::setEditable(bool editable) {
    editable_ = editable;
    edit_->setReadOnly(!editable);
    edit_->setTextInteractionFlags(editable ? Qt::TextEditorInteraction : Qt::NoTextInteraction);
    // A read-only text lets taps through to what holds it (a cell, a button).
    edit_->setAttribute(Qt::WA_TransparentForMouseEvents, !editable);
    edit_->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    setBorder(editable ? 1 : 0, QColor(0xA0, 0xA0, 0xA0));
}

QSizeF TextView::sizeThatFits(const QSizeF& size) const {
    QTextDocument* doc = edit_->document()->clone();
    doc->setDocumentMargin(kPadding);
    doc->setDefaultFont(edit_->font());
    doc->setTextWidth(std::max(1.0, size.width()));
    const QSizeF fitted(size.width(), std::ceil(doc->size().height()));
    delete doc;
    return fitted;
}

QSizeF TextView::contentSize() const {
    return sizeThatFits(frame().size());
}

bool TextView::becomeFirstResponder() {
    if (!editable_ || !isVisible()) return false;
    window()->activateWindow();
    edit_->setFocus(Qt::OtherFocusReason);
    return edit_->hasFocus();
}

void TextView::resignFirstResponder() {
    if (edit_->hasFocus()) edit_->clearFocus();
}

bool TextView::isFirstResponder() const {
    return edit_->hasFocus();
}

void TextView::changed() {
    if (settingText_) return;
    const QString now = edit_->toPlainText();
    if (now == lastText_) return;
    // The document's own report of the edit, when it agrees with the texts;
    // otherwise the difference of the two.
    TextChange change;
    const auto p = pending_;
    if (p.position >= 0 && p.position + p.removed <= lastText_.size() &&
        lastText_.size() - p.removed + p.added == now.size())
        change = TextChange{p.position, p.removed, now.mid(p.position, p.added)};
    else
        change = TextChange::between(lastText_, now, edit_->textCursor().position());
    pending_ = {};
    if (auto* d = delegate_.get();
        d &&
        !d->shouldChangeTextInRange(this, change.location, change.length, change.replacement)) {
        settingText_ = true;
        edit_->setPlainText(lastText_);
        settingText_ = false;
        QTextCursor cursor = edit_->textCursor();
        cursor.setPosition(std::min(int(lastText_.size()), change.location + change.length));
        edit_->setTextCursor(cursor);
        return;
    }
    lastText_ = now;
    if (auto* d = delegate_.get()) d->textViewDidChange(this);
}

bool TextView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::KeyPress && submit_) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter && !(key->modifiers() & Qt::ShiftModifier)) {
                submit_();
                return true;
            }
        }
        if (event->type() == QEvent::FocusIn) {
            if (auto* d = delegate_.get(); d && !d->textViewShouldBeginEditing(this)) {
                QMetaObject::invokeMethod(
                    edit_, [this] { edit_->clearFocus(); }, Qt::QueuedConnection);
                return false;
            }
            if (auto* d = delegate_.get()) d->textViewDidBeginEditing(this);
        } else if (event->type() == QEvent::FocusOut) {
            if (auto* d = delegate_.get()) d->textViewDidEndEditing(this);
        }
    }
    return View::eventFilter(watched, event);
}

void TextView::layoutSubviews() {
    if (edit_) edit_->setGeometry(QRect(QPoint(0, 0), frame().size().toSize()));
}

}  // namespace tovera::platform::ui
