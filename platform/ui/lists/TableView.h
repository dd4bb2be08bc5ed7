// A table list in the plain or grouped style: sections of rows with header
// titles or views, row heights from the delegate, a table header and footer
// view. Only the rows on screen have cells: cells that scroll away go back
// to a pool under their reuse identifier, so a list of many thousands of
// rows builds about as many cells as fit on the screen.
#pragma once

#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/lists/TableViewCell.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>

#include <optional>
#include <vector>

namespace tovera::platform::ui {

class TableView;

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(TableView*) { return 1; }
    virtual int numberOfRowsInSection(TableView*, int section) = 0;
    /// A cell for the row: one dequeued from the table, or a new one (the
    /// table adopts cells that have no parent).
    virtual TableViewCell* cellForRowAtIndexPath(TableView*, const IndexPath& indexPath) = 0;
    virtual QString titleForHeaderInSection(TableView*, int /*section*/) { return {}; }
    virtual QString titleForFooterInSection(TableView*, int /*section*/) { return {}; }
};

class TableViewDelegate : public ScrollViewDelegate {
public:
    /// Returned by the height operations to mean "the table's default".
    static constexpr double kAutomaticHeight = -1;

    virtual double heightForRowAtIndexPath(TableView*, const IndexPath&) {
        return kAutomaticHeight;
    }
    virtual double heightForHeaderInSection(TableView*, int) { return kAutomaticHeight; }
    virtual double heightForFooterInSection(TableView*, int) { return kAutomaticHeight; }
    /// Views for section headers and footers; the delegate keeps ownership
    /// (the table only shows them).
    virtual View* viewForHeaderInSection(TableView*, int) { return nullptr; }
    virtual View* viewForFooterInSection(TableView*, int) { return nullptr; }
    virtual void willDisplayCell(TableView*, TableViewCell*, const IndexPath&) {}
    /// Another row to select instead, or nothing to select none.
    virtual std::optional<IndexPath> willSelectRowAtIndexPath(TableView*,
                                                              const IndexPath& indexPath) {
        return indexPath;
    }
    virtual void didSelectRowAtIndexPath(TableView*, const IndexPath&) {}
    virtual void didDeselectRowAtIndexPath(TableView*, const IndexPath&) {}
    virtual void accessoryButtonTappedForRowWithIndexPath(TableView*, const IndexPath&) {}
};

class TableView : public ScrollView {
    Q_OBJECT
public:
    enum class Style { Plain, Grouped };
    enum class ScrollPosition { None, Top, Middle, Bottom };
    enum class SeparatorStyle { None, SingleLine };

    explicit TableView(Style style = Style::Plain, QWidget* parent = nullptr);
    TableView(const QRectF& frame, Style style, QWidget* parent = nullptr);
    ~TableView() override;

    Style style() const { return style_; }
    TableViewDataSource* dataSource() const { return dataSource_.get(); }
    void setDataSource(TableViewDataSource* dataSource);
    TableViewDelegate* delegate() const { return tableDelegate_.get(); }
    /// Also the scroll view's delegate.
    void setDelegate(TableViewDelegate* delegate);

    /// Asks the data source and delegate again and rebuilds the rows on screen.
    void reloadData();

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);
    double sectionHeaderHeight() const { return headerHeight_; }
    void setSectionHeaderHeight(double height) { headerHeight_ = height; }
    double sectionFooterHeight() const { return footerHeight_; }
    void setSectionFooterHeight(double height) { footerHeight_ = height; }
    SeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(SeparatorStyle style);
    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }

    /// Views above the first section and below the last (the table takes
    /// them as subviews; a view replaced is hidden, not deleted).
    View* tableHeaderView() const { return tableHeader_; }
    void setTableHeaderView(View* view);
    View* tableFooterView() const { return tableFooter_; }
    void setTableFooterView(View* view);
    View* backgroundView() const { return backgroundView_; }
    void setBackgroundView(View* view);

    /// A pooled cell with the identifier, ready for another row, or null.
    TableViewCell* dequeueReusableCellWithIdentifier(const QString& identifier);

    int numberOfSections() const { return int(sections_.size()); }
    int numberOfRowsInSection(int section) const;
    /// The cell of a row on screen, or null.
    TableViewCell* cellForRowAtIndexPath(const IndexPath& indexPath) const;
    QList<TableViewCell*> visibleCells() const;
    QList<IndexPath> indexPathsForVisibleRows() const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell* cell) const;
    std::optional<IndexPath> indexPathForRowAtPoint(const QPointF& contentPoint) const;

    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRowAtIndexPath(const std::optional<IndexPath>& indexPath, bool animated,
                              ScrollPosition position);
    void deselectRowAtIndexPath(const IndexPath& indexPath, bool animated);
    void scrollToRowAtIndexPath(const IndexPath& indexPath, ScrollPosition position, bool animated);
    /// Selects a row as a tap on it does, asking and telling the delegate.
    void chooseRowAtIndexPath(const IndexPath& indexPath);

    /// Content rectangles of a section, a row, a section header or footer.
    QRectF rectForSection(int section) const;
    QRectF rectForRowAtIndexPath(const IndexPath& indexPath) const;
    QRectF rectForHeaderInSection(int section) const;
    QRectF rectForFooterInSection(int section) const;

    /// Row changes are shown by reloading the table.
    void reloadRowsAtIndexPaths(const QList<IndexPath>&) { reloadData(); }
    void insertRowsAtIndexPaths(const QList<IndexPath>&) { reloadData(); }
    void deleteRowsAtIndexPaths(const QList<IndexPath>&) { reloadData(); }
    void beginUpdates() {}
    void endUpdates() { reloadData(); }

    /// Cells built for the table so far (tests and measurements).
    int cellsAdopted() const { return cellsAdopted_; }

    // Told by cells.
    void cellTapped(TableViewCell* cell);
    void accessoryTapped(TableViewCell* cell);

protected:
    void contentOffsetChanged() override;
    void layoutSubviews() override;

private:
    struct Section {
        double top = 0;  // content y of the section's header
        double header = 0;
        double footer = 0;
        std::vector<double> rowTops;  // content y of each row
        std::vector<double> rowHeights;
        QString headerTitle;
        QString footerTitle;
        double bottom() const;
    };

    void computeGeometry();
    void layoutRows();
    void layoutSupplementaryViews(const QRectF& visible);
    View* sectionView(int section, bool header);
    void recycle(TableViewCell* cell);
    TableViewCell* makeCell(const IndexPath& indexPath);
    double cellX() const;
    double cellWidth() const;

    Style style_;
    WeakDelegate<TableViewDataSource> dataSource_;
    WeakDelegate<TableViewDelegate> tableDelegate_;
    double rowHeight_ = 44;
    double headerHeight_;
    double footerHeight_;
    SeparatorStyle separatorStyle_ = SeparatorStyle::SingleLine;
    bool allowsSelection_ = true;
    QPointer<View> tableHeader_;
    QPointer<View> tableFooter_;
    QPointer<View> backgroundView_;
    std::vector<Section> sections_;
    double rowsBottom_ = 0;
    QMap<IndexPath, QPointer<TableViewCell>> visible_;
    QHash<QString, QList<QPointer<TableViewCell>>> pool_;
    // Section header and footer views, per section, while on screen or kept.
    QHash<int, QPointer<View>> headers_;
    QHash<int, QPointer<View>> footers_;
    std::optional<IndexPath> selected_;
    int cellsAdopted_ = 0;
    bool laying_ = false;
};

}  // namespace tovera::platform::ui
