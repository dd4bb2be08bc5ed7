#include "framework/JVPickView.h"

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::PickerView;

JVPickView::JVPickView(double width, QWidget* parent) : View(QRectF(0, 0, width, kHeight), parent) {
    setBackgroundColor(Qt::white);
    auto* bar = new View(QRectF(0, 0, width, kBarHeight), this);
    bar->setBackgroundColor(NSUtil::skinColor());
    SkinChange::follow(bar, [bar] { bar->setBackgroundColor(NSUtil::skinColor()); });
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

JVPickView* JVPickView::hiddenIn(platform::ui::View* parent, QXViewDelegate* delegate) {
    auto* panel = new JVPickView(parent->bounds().width(), parent);
    panel->setDelegate(delegate);
    panel->setHidden(true);
    return panel;
}

void JVPickView::showUnder(platform::ui::ScrollView* form, const QStringList& titles) {
    setTitles(titles);
    auto* parent = qobject_cast<View*>(parentWidget());
    if (!parent) return;
    const QRectF area = parent->bounds();
    setFrame(QRectF(0, area.height() - kHeight, area.width(), kHeight));
    setHidden(false);
    parent->bringSubviewToFront(this);
    if (form) form->setFrame(QRectF(0, 0, area.width(), area.height() - kHeight));
}

void JVPickView::hideUnder(platform::ui::ScrollView* form) {
    setHidden(true);
    if (auto* parent = qobject_cast<View*>(parentWidget()); parent && form)
        form->setFrame(parent->bounds());
}

void JVPickView::setTitles(const QStringList& titles) {
    titles_ = titles;
    picker_->reloadAllComponents();
    if (!titles_.isEmpty()) picker_->selectRow(0, 0);
}

int JVPickView::selectedRow() const {
    return picker_->selectedRowInComponent(0);
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
