#include "platform/ui/overlays/AlertView.h"

#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

namespace tovera::platform::ui {

namespace {

constexpr double kWidth = 270;
constexpr double kButtonHeight = 44;
constexpr double kMargin = 16;

}  // namespace

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
                     const QStringList& buttons, QObject* parent)
    : ModalOverlay(title, buttons, parent), message_(message), delegate_(delegate) {}

void AlertView::show() {
    present();
}

AlertView* AlertView::current() {
    const auto overlays = visibleOverlays();
    for (auto it = overlays.rbegin(); it != overlays.rend(); ++it)
        if (auto* alert = qobject_cast<AlertView*>(*it)) return alert;
    return nullptr;
}

void AlertView::buildPresentation(View* dimmer) {
    auto* box = new View(dimmer);
    box->setBackgroundColor(QColor(0xF7, 0xF7, 0xF7));
    box->setCornerRadius(10);
    double y = kMargin;
    auto addText = [&](const QString& text, const QFont& font) {
        if (text.isEmpty()) return;
        auto* label = new Label(box);
        label->setFont(font);
        label->setNumberOfLines(0);
        label->setLineBreakMode(Label::LineBreak::WordWrap);
        label->setTextAlignment(Qt::AlignHCenter);
        label->setText(text);
        const double h = label->sizeThatFits(QSizeF(kWidth - 2 * kMargin, 0)).height();
        label->setFrame(QRectF(kMargin, y, kWidth - 2 * kMargin, h));
        y += h + 6;
    };
    addText(title(), Font::boldSystem(17));
    addText(message_, Font::system(14));
    y += kMargin - 6;
    const int count = numberOfButtons();
    auto* separator = new View(QRectF(0, y, kWidth, 1), box);
    separator->setBackgroundColor(QColor(0xD0, 0xD0, 0xD4));
    y += 1;
    if (count == 2) {
        const double w = (kWidth - 1) / 2;
        makeButton(box, 0)->setFrame(QRectF(0, y, w, kButtonHeight));
        auto* middle = new View(QRectF(w, y, 1, kButtonHeight), box);
        middle->setBackgroundColor(QColor(0xD0, 0xD0, 0xD4));
        makeButton(box, 1)->setFrame(QRectF(w + 1, y, w, kButtonHeight));
        y += kButtonHeight;
    } else {
        for (int i = 0; i < count; ++i) {
            makeButton(box, i)->setFrame(QRectF(0, y, kWidth, kButtonHeight));
            y += kButtonHeight;
            if (i + 1 < count) {
                auto* line = new View(QRectF(0, y, kWidth, 1), box);
                line->setBackgroundColor(QColor(0xD0, 0xD0, 0xD4));
                y += 1;
            }
        }
    }
    y += 4;
    const QRectF area = dimmer->bounds();
    box->setFrame(QRectF(area.center().x() - kWidth / 2, area.center().y() - y / 2, kWidth, y));
}

void AlertView::notifyClicked(int index) {
    if (auto* d = delegate_.get()) d->alertViewClickedButtonAtIndex(this, index);
}

void AlertView::notifyWillDismiss(int index) {
    if (auto* d = delegate_.get()) d->alertViewWillDismiss(this, index);
}

void AlertView::notifyDidDismiss(int index) {
    if (auto* d = delegate_.get()) d->alertViewDidDismiss(this, index);
}

}  // namespace tovera::platform::ui
