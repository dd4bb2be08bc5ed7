// A row picker: one or more components (columns) of rows, one selected row
// in each, shown on the middle band. Dragging or the wheel moves a column by
// rows, a tap on a row above or below moves it there; the delegate hears
// the row chosen.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

#include <QList>

namespace tovera::platform::ui {

class PickerView;

class PickerViewDataSource {
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(PickerView*) { return 1; }
    virtual int numberOfRowsInComponent(PickerView*, int component) = 0;
};

class PickerViewDelegate {
public:
    virtual ~PickerViewDelegate() = default;
    virtual QString titleForRow(PickerView*, int row, int component) = 0;
    virtual void didSelectRow(PickerView*, int /*row*/, int /*component*/) {}
};

class PickerView : public View {
    Q_OBJECT
public:
    /// The standard picker is 216 points high.
    explicit PickerView(QWidget* parent = nullptr);
    explicit PickerView(const QRectF& frame, QWidget* parent = nullptr);

    void setDataSource(PickerViewDataSource* dataSource) { dataSource_ = dataSource; }
    void setDelegate(PickerViewDelegate* delegate) { delegate_ = delegate; }

    void reloadAllComponents();
    void reloadComponent(int component);
    int numberOfComponents() const { return int(rows_.size()); }
    int numberOfRowsInComponent(int component) const;
    /// -1 when the component has no rows.
    int selectedRowInComponent(int component) const;
    /// Moves the component to the row without telling the delegate.
    void selectRow(int row, int component, bool animated = false);
    /// Moves to the row as a user would (the delegate hears it).
    void chooseRow(int row, int component);
    void setShowsSelectionIndicator(bool shows);

    static constexpr double kRowHeight = 44;

    QString titleForRow(int row, int component) const;
    /// The titles of the selected rows, separated by spaces.
    QString visibleText() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int componentAt(double x) const;
    QRectF componentRect(int component) const;
    void settle(int component);

    WeakDelegate<PickerViewDataSource> dataSource_;
    WeakDelegate<PickerViewDelegate> delegate_;
    QList<int> rows_;          // rows per component
    QList<double> positions_;  // fractional row at the middle band, per component
    QList<int> selected_;
    bool indicator_ = true;
    int dragComponent_ = -1;
    double dragStartY_ = 0;
    double dragStartPosition_ = 0;
    bool dragged_ = false;
};

}  // namespace tovera::platform::ui
