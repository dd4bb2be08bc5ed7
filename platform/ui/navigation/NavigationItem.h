// What the navigation bar shows for one screen: the title (or a title view),
// the left and right bar buttons, and the item the next screen's back
// button uses. Items are owned by the navigation item.
#pragma once

#include "platform/ui/navigation/BarButtonItem.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace tovera::platform::ui {

class NavigationItem : public QObject {
    Q_OBJECT
public:
    explicit NavigationItem(QObject* parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString& title);
    /// A view shown instead of the title (owned).
    QWidget* titleView() const { return titleView_; }
    void setTitleView(QWidget* view);

    /// The items; setting one takes ownership and deletes the one it replaces.
    BarButtonItem* leftBarButtonItem() const { return left_; }
    void setLeftBarButtonItem(BarButtonItem* item);
    BarButtonItem* rightBarButtonItem() const { return right_; }
    void setRightBarButtonItem(BarButtonItem* item);
    /// The back button the screen above this one shows (default: this title).
    BarButtonItem* backBarButtonItem() const { return back_; }
    void setBackBarButtonItem(BarButtonItem* item);
    bool hidesBackButton() const { return hidesBack_; }
    void setHidesBackButton(bool hides);

signals:
    void changed();

private:
    void replace(QPointer<BarButtonItem>& slot, BarButtonItem* item);

    QString title_;
    QPointer<QWidget> titleView_;
    QPointer<BarButtonItem> left_;
    QPointer<BarButtonItem> right_;
    QPointer<BarButtonItem> back_;
    bool hidesBack_ = false;
};

}  // namespace tovera::platform::ui
