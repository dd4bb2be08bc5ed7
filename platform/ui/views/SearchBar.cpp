#include "platform/ui/views/SearchBar.h"

#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/SegmentedControl.h"

#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>

namespace tovera::platform::ui {

namespace {

constexpr double kBarHeight = 44;
constexpr double kCancelWidth = 52;

}  // namespace

SearchBar::SearchBar(QWidget* parent) : SearchBar(QRectF(0, 0, kScreenWidth, kBarHeight), parent) {}

SearchBar::SearchBar(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    field_ = new TextField(this);
    field_->setBorderStyle(TextField::BorderStyle::RoundedRect);
    field_->setReturnKeyType(TextField::ReturnKey::Search);
    field_->setDelegate(this);
    field_->setClearButtonShown(true);
    connect(field_, &Control::editingChanged, this, [this] {
        updateCancel();
        if (auto* d = delegate_.get()) d->searchBarTextDidChange(this, field_->text());
    });
    cancel_ = new Button(this);
    cancel_->setTitle(QStringLiteral("取消"));
    cancel_->setFont(Font::boldSystem(13));
    cancel_->setBackgroundColor(QColor(0x7E, 0x8E, 0xA4));
    cancel_->setCornerRadius(5);
    cancel_->setHidden(true);
    updateCancel();
    connect(cancel_, &Control::touchUpInside, this, [this] {
        if (auto* d = delegate_.get()) d->searchBarCancelButtonClicked(this);
    });
    scopes_ = new SegmentedControl({}, this);
    scopes_->setHidden(true);
    connect(scopes_, &Control::valueChanged, this, [this] {
        if (auto* d = delegate_.get())
            d->selectedScopeButtonIndexDidChange(this, scopes_->selectedSegmentIndex());
    });
    layoutSubviews();
}

QString SearchBar::text() const {
    return field_->text();
}

void SearchBar::setText(const QString& text) {
    field_->setText(text);
    updateCancel();
    if (auto* d = delegate_.get()) d->searchBarTextDidChange(this, text);
}

QString SearchBar::placeholder() const {
    return field_->placeholder();
}

void SearchBar::setPlaceholder(const QString& placeholder) {
    field_->setPlaceholder(placeholder);
}

// With nothing typed there is nothing to cancel.
void SearchBar::updateCancel() {
    cancel_->setEnabled(!field_->text().isEmpty());
}

void SearchBar::setShowsCancelButton(bool shows) {
    showsCancel_ = shows;
    cancel_->setHidden(!shows);
    layoutSubviews();
}

void SearchBar::setScopeButtonTitles(const QStringList& titles) {
    scopeTitles_ = titles;
    scopes_->removeAllSegments();
    for (int i = 0; i < titles.size(); ++i)
        scopes_->insertSegmentWithTitle(titles[i], i);
    if (!titles.isEmpty()) scopes_->setSelectedSegmentIndex(0);
    layoutSubviews();
}

void SearchBar::setShowsScopeBar(bool shows) {
    showsScope_ = shows;
    scopes_->setHidden(!shows);
    layoutSubviews();
}

int SearchBar::selectedScopeButtonIndex() const {
    return scopes_->selectedSegmentIndex();
}

void SearchBar::setSelectedScopeButtonIndex(int index) {
    if (index == scopes_->selectedSegmentIndex()) return;
    scopes_->chooseSegment(index);
}

void SearchBar::setTintColor(const QColor& color) {
    tint_ = color;
    scopes_->setTintColor(color.darker(130));
    update();
}

bool SearchBar::becomeFirstResponder() {
    return field_->becomeFirstResponder();
}

void SearchBar::resignFirstResponder() {
    field_->resignFirstResponder();
}

bool SearchBar::isFirstResponder() const {
    return field_->isFirstResponder();
}

QSizeF SearchBar::sizeThatFits(const QSizeF& size) const {
    return QSizeF(size.width(), showsScope_ ? 2 * kBarHeight : kBarHeight);
}

bool SearchBar::textFieldShouldBeginEditing(TextField*) {
    auto* d = delegate_.get();
    return !d || d->searchBarShouldBeginEditing(this);
}

void SearchBar::textFieldDidBeginEditing(TextField*) {
    if (auto* d = delegate_.get()) d->searchBarTextDidBeginEditing(this);
}

void SearchBar::textFieldDidEndEditing(TextField*) {
    if (auto* d = delegate_.get()) d->searchBarTextDidEndEditing(this);
}

bool SearchBar::textFieldShouldReturn(TextField*) {
    if (auto* d = delegate_.get()) d->searchBarSearchButtonClicked(this);
    return false;
}

void SearchBar::layoutSubviews() {
    if (!field_) return;
    const QRectF b = bounds();
    const double right = showsCancel_ ? kCancelWidth + 10 : 0;
    field_->setFrame(QRectF(8, 7, std::max(0.0, b.width() - 16 - right), 30));
    cancel_->setFrame(QRectF(b.width() - kCancelWidth - 8, 7, kCancelWidth, 30));
    scopes_->setFrame(QRectF(8, kBarHeight + 7, std::max(0.0, b.width() - 16), 30));
}

void SearchBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF b = bounds();
    QLinearGradient gradient(b.topLeft(), b.bottomLeft());
    gradient.setColorAt(0, tint_.lighter(115));
    gradient.setColorAt(1, tint_.darker(108));
    painter.fillRect(b, gradient);
    painter.fillRect(QRectF(0, b.height() - 1, b.width(), 1), tint_.darker(140));
}

}  // namespace tovera::platform::ui
