// A tab bar: items side by side (picture, title, badge), at most one
// selected; tapping an item selects it and tells the delegate. The items
// belong to the bar (by Qt parent) and survive being taken off it, so a
// screen can keep its full list and show a part.
#pragma once

#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

#include <QList>
#include <QPointer>

namespace tovera::platform::ui {

class TabBar;

class TabBarDelegate {
public:
    virtual ~TabBarDelegate() = default;
    virtual void tabBarDidSelectItem(TabBar*, TabBarItem*) {}
};

class TabBar : public View {
    Q_OBJECT
public:
    explicit TabBar(QWidget* parent = nullptr);
    explicit TabBar(const QRectF& frame, QWidget* parent = nullptr);

    TabBarDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(TabBarDelegate* delegate) { delegate_ = delegate; }

    QList<TabBarItem*> items() const;
    /// Shows these items (adopting those without a parent); the selection
    /// is cleared when its item is no longer shown.
    void setItems(const QList<TabBarItem*>& items, bool animated = false);
    /// The selected item, or null.
    TabBarItem* selectedItem() const { return selected_; }
    /// Selects without telling the delegate; null clears the selection.
    void setSelectedItem(TabBarItem* item);
    int indexOfItem(const TabBarItem* item) const;
    /// Taps the item at `index` as a user would (the delegate hears it).
    void chooseItem(int index);

    void setBackgroundImage(const Image& image);
    void setSelectedTintColor(const QColor& color);
    QColor selectedTintColor() const { return selectedTint_; }

    /// The view that shows an item (tests tap it), or null.
    View* viewForItem(const TabBarItem* item) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;

private:
    void rebuild();

    QList<QPointer<TabBarItem>> items_;
    QList<View*> itemViews_;
    QPointer<TabBarItem> selected_;
    Image background_;
    QColor selectedTint_{0x3C, 0xA4, 0xFF};
    WeakDelegate<TabBarDelegate> delegate_;
};

}  // namespace tovera::platform::ui
