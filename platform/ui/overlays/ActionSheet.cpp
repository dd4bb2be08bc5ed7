#include "platform/ui/overlays/ActionSheet.h"

#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

namespace tovera::platform::ui {

namespace {

constexpr double kMargin = 8;
constexpr double kButtonHeight = 44;

}  // namespace

ActionSheet::ActionSheet(const QString& title, ActionSheetDelegate* delegate,
                         const QStringList& buttons, QObject* parent)
    : ModalOverlay(title, buttons, parent), delegate_(delegate) {}

ActionSheet* ActionSheet::create(const QString& title, ActionSheetDelegate* delegate,
                                 const QString& cancel, const QString& destructive,
                                 const QStringList& others, QObject* parent) {
    auto* sheet = new ActionSheet(title, delegate, {}, parent);
    if (!destructive.isEmpty())
        sheet->setDestructiveButtonIndex(sheet->addButtonWithTitle(destructive));
    for (const QString& other : others)
        sheet->addButtonWithTitle(other);
    if (!cancel.isEmpty()) sheet->setCancelButtonIndex(sheet->addButtonWithTitle(cancel));
    return sheet;
}

void ActionSheet::showInView(QWidget*) {
    present();
}

ActionSheet* ActionSheet::current() {
    const auto overlays = visibleOverlays();
    for (auto it = overlays.rbegin(); it != overlays.rend(); ++it)
        if (auto* sheet = qobject_cast<ActionSheet*>(*it)) return sheet;
    return nullptr;
}

void ActionSheet::buildPresentation(View* dimmer) {
    const QRectF area = dimmer->bounds();
    const double width = area.width() - 2 * kMargin;
    auto* group = new View(dimmer);
    group->setBackgroundColor(QColor(0xF7, 0xF7, 0xF7));
    group->setCornerRadius(10);
    double y = 0;
    if (!title().isEmpty()) {
        auto* label = new Label(group);
        label->setFont(Font::system(13));
        label->setTextColor(QColor(0x6D, 0x6D, 0x72));
        label->setTextAlignment(Qt::AlignHCenter);
        label->setNumberOfLines(0);
        label->setLineBreakMode(Label::LineBreak::WordWrap);
        label->setText(title());
        const double h = label->sizeThatFits(QSizeF(width - 24, 0)).height();
        label->setFrame(QRectF(12, 12, width - 24, h));
        y = h + 24;
    }
    for (int i = 0; i < numberOfButtons(); ++i) {
        if (i == cancelButtonIndex()) continue;
        if (y > 0) {
            auto* line = new View(QRectF(0, y, width, 1), group);
            line->setBackgroundColor(QColor(0xD0, 0xD0, 0xD4));
            y += 1;
        }
        makeButton(group, i)->setFrame(QRectF(0, y, width, kButtonHeight));
        y += kButtonHeight;
    }
    double bottom = area.bottom() - kMargin;
    if (cancelButtonIndex() >= 0 && cancelButtonIndex() < numberOfButtons()) {
        auto* cancel = new View(dimmer);
        cancel->setBackgroundColor(Qt::white);
        cancel->setCornerRadius(10);
        cancel->setFrame(QRectF(kMargin, bottom - kButtonHeight, width, kButtonHeight));
        makeButton(cancel, cancelButtonIndex())->setFrame(QRectF(0, 0, width, kButtonHeight));
        bottom -= kButtonHeight + kMargin;
    }
    group->setFrame(QRectF(kMargin, bottom - y, width, y));
    group->setHidden(y == 0);
}

void ActionSheet::notifyClicked(int index) {
    if (auto* d = delegate_.get()) d->actionSheetClickedButtonAtIndex(this, index);
}

void ActionSheet::notifyWillDismiss(int index) {
    if (auto* d = delegate_.get()) d->actionSheetWillDismiss(this, index);
}

void ActionSheet::notifyDidDismiss(int index) {
    if (auto* d = delegate_.get()) d->actionSheetDidDismiss(this, index);
}

}  // namespace tovera::platform::ui
