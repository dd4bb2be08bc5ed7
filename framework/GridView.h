// A vertically scrolling grid of square items, `columNum` to a row with
// `spaceWidth` points between them. Its data source gives the number of
// items and a view for each position (reusing the grid's view there when it
// has one) and hears a touch on an item as soon as it begins.
#pragma once

#include <QList>
#include <QPointer>

#include "platform/ui/lists/DragTracker.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/runtime/WeakDelegate.h"

namespace tovera {

class GridView;

class GridViewDataSource {
public:
    virtual ~GridViewDataSource() = default;
    virtual int numberOfItems(GridView* gridView) = 0;
    /// The view for `position`: the grid's own (getItemAtPosition) or a new one.
    virtual platform::ui::View* viewForItemAtPosition(GridView* gridView, int position) = 0;
    virtual void didSelectItemAtPosition(GridView*, int /*position*/) {}
};

class GridView : public platform::ui::ScrollView {
    Q_OBJECT
public:
    explicit GridView(const QRectF& frame = {}, QWidget* parent = nullptr);

    /// The source asked for items; when unset, the delegate is asked.
    GridViewDataSource* dataSource() const;
    void setDataSource(GridViewDataSource* dataSource) { dataSource_ = dataSource; }
    GridViewDataSource* gridDelegate() const { return delegate_.get(); }
    void setGridDelegate(GridViewDataSource* delegate) { delegate_ = delegate; }

    int columNum() const { return columNum_; }
    void setColumNum(int columns) { columNum_ = columns; }
    int spaceWidth() const { return spaceWidth_; }
    void setSpaceWidth(int space) { spaceWidth_ = space; }

    /// A view kept below the items (replacing an earlier one).
    platform::ui::View* backgroudView() const { return backgroudView_; }
    void setBackgroudView(platform::ui::View* view);

    /// Asks the data source again and lays the items out.
    void reloadData();
    /// The view at `position`, or null out of range.
    platform::ui::View* getItemAtPosition(int position) const;
    const QList<QPointer<platform::ui::View>>& rowdata() const { return rowdata_; }
    /// The side of the square items.
    double itemSide() const;

protected:
    void layoutSubviews() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutItems();
    void watch(QWidget* widget);

    // The press last reported: one press reaches the filter once per widget
    // it propagates through (a copy at each hop), and must select once.
    platform::ui::MouseEventKey lastPress_;
    // The item the last mouse press selected, until its tap ends.
    QPointer<QWidget> pressedItem_;

    platform::ui::WeakDelegate<GridViewDataSource> dataSource_;
    platform::ui::WeakDelegate<GridViewDataSource> delegate_;
    int columNum_ = 3;
    int spaceWidth_ = 1;
    QPointer<platform::ui::View> backgroudView_;
    QList<QPointer<platform::ui::View>> rowdata_;
};

}  // namespace tovera
