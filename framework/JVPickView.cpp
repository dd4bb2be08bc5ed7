#include "framework/JVPickView.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::PickerView;

JVPickView::JVPickView(double width, QWidget* parent) : View(QRectF(0, 0, width, kHeight), parent) {
    setBackgroundColor(Qt::white);
    auto* bar = new View(QRectF(0, 0, width, kBarHeight), this);
    bar->setBackgroundColor(NSUtil::skinColor());
    auto addButton = [&](const QString& title, int tag, double x) {
        auto* button = new Button(QRectF(x, 7, 60, 30), bar);
        button->setTitle(title);
        button->setTitleColor(NSUtil::black());
        button->setFont(NSUtil::normalFont());
        button->setTag(tag);
        connect(button, &platform::ui::Control::touchUpInside, this,
                [this, button](platform::ui::Control*) { pressed(button); });
        return button;
    };
    cancel_ = addButton(QStringLiteral("取消"), kCancelTag, 8);
    confirm_ = addButton(QStringLiteral("确定"), kConfirmTag, width - 68);

    picker_ = new PickerView(QRectF(0, kBarHeight, width, kHeight - kBarHeight), this);
    picker_->setDataSource(this);
    picker_->setDelegate(this);
}

void JVPickView::setTitles(const QStringList& titles) {
    titles_ = titles;
    picker_->reloadAllComponents();
    if (!titles_.isEmpty()) picker_->selectRow(0, 0);
}

int JVPickView::selectedRow() const {
    return picker_->selectedRowInComponent(0);
}

void JVPickView::selectRow(int row) {
    if (row >= 0 && row < titles_.size()) picker_->selectRow(row, 0);
}

void JVPickView::showAtBottom() {
    if (View* parent = superview()) {
        const QRectF area = parent->bounds();
        setFrame(QRectF(0, area.height() - kHeight, area.width(), kHeight));
        parent->bringSubviewToFront(this);
    }
    setHidden(false);
}

int JVPickView::numberOfRowsInComponent(PickerView*, int) {
    return int(titles_.size());
}

QString JVPickView::titleForRow(PickerView*, int row, int) {
    return row >= 0 && row < titles_.size() ? titles_[row] : QString();
}

void JVPickView::pressed(Button* button) {
    setHidden(true);
    if (QXViewDelegate* delegate = delegate_.get()) delegate->qxView(this, button);
}

}  // namespace tovera
