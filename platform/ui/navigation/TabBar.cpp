#include "platform/ui/navigation/TabBar.h"

#include "platform/ui/views/Control.h"
#include "platform/ui/views/Font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

namespace {

// The view of one item: picture above the title, a badge at the top right.
class ItemView : public Control {
public:
    ItemView(TabBar* bar, TabBarItem* item, QWidget* parent)
        : Control(parent), bar_(bar), item_(item) {}

    QString visibleText() const override { return item_ ? item_->title() : QString(); }
    TabBarItem* item() const { return item_; }

protected:
    void tapped() override {
        Control::tapped();
        if (bar_ && item_ && item_->isEnabled()) bar_->chooseItem(bar_->indexOfItem(item_));
    }

    void paintEvent(QPaintEvent*) override {
        if (!item_) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF b = bounds();
        const bool selected = bar_ && bar_->selectedItem() == item_;
        if (selected) {
            QPainterPath glow;
            glow.addRoundedRect(b.adjusted(2, 2, -2, -2), 4, 4);
            painter.fillPath(glow, QColor(255, 255, 255, 36));
        }
        const Image picture =
            selected && !item_->selectedImage().isNull() ? item_->selectedImage() : item_->image();
        const QRectF iconRect(b.center().x() - 15, 4, 30, 30);
        if (!picture.isNull()) picture.draw(painter, iconRect, ContentMode::ScaleAspectFit);
        painter.setFont(Font::boldSystem(10));
        painter.setPen(!item_->isEnabled() ? QColor(0x60, 0x60, 0x60)
                       : selected          ? bar_->selectedTintColor()
                                           : QColor(0xA8, 0xA8, 0xA8));
        const QRectF titleRect(0, picture.isNull() ? 0 : 34, b.width(),
                               picture.isNull() ? b.height() : 13);
        painter.drawText(titleRect, Qt::AlignCenter, item_->title());
        if (!item_->badgeValue().isEmpty()) {
            const QFont font = Font::boldSystem(12);
            painter.setFont(font);
            const double w =
                std::max(20.0, QFontMetricsF(font).horizontalAdvance(item_->badgeValue()) + 10);
            const QRectF badge(std::min(b.width() - w - 1, b.center().x() + 6), 1, w, 20);
            painter.setBrush(QColor(0xE0, 0x1B, 0x1B));
            painter.setPen(QPen(Qt::white, 1.5));
            painter.drawRoundedRect(badge, 10, 10);
            painter.setPen(Qt::white);
            painter.drawText(badge, Qt::AlignCenter, item_->badgeValue());
        }
    }

private:
    QPointer<TabBar> bar_;
    QPointer<TabBarItem> item_;
};

}  // namespace

TabBar::TabBar(QWidget* parent) : TabBar(QRectF(0, 0, kScreenWidth, kTabBarHeight), parent) {}

TabBar::TabBar(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

QList<TabBarItem*> TabBar::items() const {
    QList<TabBarItem*> out;
    for (const auto& item : items_)
        if (item) out << item;
    return out;
}

void TabBar::setItems(const QList<TabBarItem*>& items, bool) {
    for (const auto& old : items_)
        if (old) disconnect(old, nullptr, this, nullptr);
    items_.clear();
    for (TabBarItem* item : items) {
        if (!item) continue;
        if (!item->parent()) item->setParent(this);
        items_ << item;
        connect(item, &TabBarItem::changed, this, [this] {
            for (View* v : itemViews_)
                v->update();
        });
    }
    if (selected_ && !items.contains(selected_.data())) selected_ = nullptr;
    rebuild();
}

void TabBar::setSelectedItem(TabBarItem* item) {
    selected_ = item && indexOfItem(item) >= 0 ? item : nullptr;
    for (View* v : itemViews_)
        v->update();
}

int TabBar::indexOfItem(const TabBarItem* item) const {
    for (int i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return i;
    return -1;
}

void TabBar::chooseItem(int index) {
    if (index < 0 || index >= items_.size() || !items_[index] || !items_[index]->isEnabled())
        return;
    TabBarItem* item = items_[index];
    setSelectedItem(item);
    if (auto* d = delegate_.get()) d->tabBarDidSelectItem(this, item);
}

void TabBar::setBackgroundImage(const Image& image) {
    background_ = image;
    update();
}

void TabBar::setSelectedTintColor(const QColor& color) {
    selectedTint_ = color;
    update();
}

View* TabBar::viewForItem(const TabBarItem* item) const {
    const int index = indexOfItem(item);
    return index >= 0 && index < itemViews_.size() ? itemViews_[index] : nullptr;
}

void TabBar::rebuild() {
    for (View* v : itemViews_) {
        v->hide();
        v->deleteLater();
    }
    itemViews_.clear();
    for (const auto& item : items_)
        itemViews_ << new ItemView(this, item, this);
    layoutSubviews();
    for (View* v : itemViews_)
        v->show();
}

void TabBar::layoutSubviews() {
    const QRectF b = bounds();
    const int count = int(itemViews_.size());
    if (count == 0) return;
    const double w = b.width() / count;
    for (int i = 0; i < count; ++i)
        itemViews_[i]->setFrame(QRectF(i * w, 0, w, b.height()));
}

void TabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF b = bounds();
    if (!background_.isNull()) {
        background_.draw(painter, b);
        return;
    }
    QLinearGradient gradient(b.topLeft(), b.bottomLeft());
    gradient.setColorAt(0, QColor(0x3A, 0x3A, 0x3A));
    gradient.setColorAt(0.5, QColor(0x1E, 0x1E, 0x1E));
    gradient.setColorAt(1, QColor(0x0A, 0x0A, 0x0A));
    painter.fillRect(b, gradient);
}

}  // namespace tovera::platform::ui
