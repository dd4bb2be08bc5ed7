#include "platform/ui/lists/TableView.h"

#include "platform/Log.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

#include <algorithm>

namespace tovera::platform::ui {

namespace {

constexpr double kGroupInset = 10;
constexpr double kGroupedTitleHeader = 45;
constexpr double kGroupedTitleFooter = 30;
constexpr double kGroupedGap = 10;
constexpr double kPlainTitleMargin = 10;

View* makeTitleView(const QString& title, bool grouped, bool header) {
    // A plain title keeps a margin at both sides; a grouped one is already
    // placed with its group's inset.
    const double margin = grouped ? 0 : kPlainTitleMargin;
    auto* view = new View(QRectF(0, 0, 320, 22));
    view->setProperty("toveraTableMade", true);
    auto* label = new Label(QRectF(margin, 0, 320 - 2 * margin, 22), view);
    label->setText(title);
    label->setAutoresizingMask(View::FlexibleSize);
    if (grouped) {
        label->setFont(header ? Font::boldSystem(17) : Font::system(15));
        label->setTextColor(QColor(0x4C, 0x56, 0x6C));
        label->setShadowColor(Qt::white);
        label->setShadowOffset(QPointF(0, 1));
        label->setNumberOfLines(0);
        label->setLineBreakMode(Label::LineBreak::WordWrap);
        label->setTextAlignment(header ? Qt::AlignLeft : Qt::AlignHCenter);
    } else {
        view->setBackgroundColor(QColor(0x8E, 0x9C, 0xAD, 235));
        label->setFont(Font::boldSystem(17));
        label->setTextColor(Qt::white);
        label->setShadowColor(QColor(0, 0, 0, 90));
    }
    return view;
}

}  // namespace

double TableView::Section::bottom() const {
    const double rows = rowTops.empty() ? top + header : rowTops.back() + rowHeights.back();
    return rows + footer;
}

TableView::TableView(Style style, QWidget* parent) : TableView(QRectF(), style, parent) {}

TableView::TableView(const QRectF& frame, Style style, QWidget* parent)
    : ScrollView(frame, parent),
      style_(style),
      headerHeight_(style == Style::Grouped ? kGroupedGap : 22),
      footerHeight_(style == Style::Grouped ? kGroupedGap : 22) {
    setAlwaysBounceVertical(true);
    setBackgroundColor(style == Style::Grouped ? QColor(0xDA, 0xE0, 0xE8) : QColor(Qt::white));
}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource* dataSource) {
    dataSource_ = dataSource;
}

void TableView::setDelegate(TableViewDelegate* delegate) {
    tableDelegate_ = delegate;
    ScrollView::setDelegate(delegate);
}

void TableView::setRowHeight(double height) {
    rowHeight_ = std::max(0.0, height);
}

void TableView::setSeparatorStyle(SeparatorStyle style) {
    separatorStyle_ = style;
    for (const auto& cell : visible_)
        if (cell) cell->separator_->setHidden(style == SeparatorStyle::None);
}

void TableView::setTableHeaderView(View* view) {
    if (view == tableHeader_) return;
    if (tableHeader_) tableHeader_->hide();
    tableHeader_ = view;
    if (view) {
        addSubview(view);
        view->show();
    }
    computeGeometry();
    layoutRows();
}

void TableView::setTableFooterView(View* view) {
    if (view == tableFooter_) return;
    if (tableFooter_) tableFooter_->hide();
    tableFooter_ = view;
    if (view) {
        addSubview(view);
        view->show();
    }
    computeGeometry();
    layoutRows();
}

void TableView::setBackgroundView(View* view) {
    if (view == backgroundView_) return;
    if (backgroundView_) backgroundView_->deleteLater();
    backgroundView_ = view;
    if (view) {
        view->setFixedInScroll(true);
        addSubview(view);
        view->lower();
        view->setFrame(QRectF(QPointF(), frame().size()));
    }
}

double TableView::cellX() const {
    return style_ == Style::Grouped ? kGroupInset : 0;
}

double TableView::cellWidth() const {
    return std::max(0.0, frame().width() - 2 * cellX());
}

int TableView::numberOfRowsInSection(int section) const {
    if (section < 0 || section >= int(sections_.size())) return 0;
    return int(sections_[section].rowTops.size());
}

void TableView::reloadData() {
    for (const auto& cell : visible_)
        if (cell) recycle(cell);
    visible_.clear();
    for (auto* map : {&headers_, &footers_}) {
        for (const auto& view : *map) {
            if (!view) continue;
            view->hide();
            if (view->property("toveraTableMade").toBool()) view->deleteLater();
        }
        map->clear();
    }
    selected_.reset();
    computeGeometry();
    layoutRows();
}

void TableView::computeGeometry() {
    TableViewDataSource* ds = dataSource_.get();
    TableViewDelegate* d = tableDelegate_.get();
    const bool grouped = style_ == Style::Grouped;
    double y = tableHeader_ && !tableHeader_->isHidden() ? tableHeader_->frame().height() : 0;
    sections_.clear();
    const int count = ds ? std::max(0, ds->numberOfSectionsInTableView(this)) : 0;
    sections_.resize(size_t(count));
    for (int s = 0; s < count; ++s) {
        Section& sec = sections_[size_t(s)];
        sec.top = y;
        sec.headerTitle = ds->titleForHeaderInSection(this, s);
        sec.footerTitle = ds->titleForFooterInSection(this, s);
        View* headerView = sectionView(s, true);
        double h = d ? d->heightForHeaderInSection(this, s) : TableViewDelegate::kAutomaticHeight;
        if (h < 0) {
            if (headerView && !headerView->property("toveraTableMade").toBool())
                h = headerView->frame().height();
            else if (!sec.headerTitle.isEmpty())
                h = grouped ? kGroupedTitleHeader : headerHeight_;
            else
                h = grouped ? headerHeight_ : 0;
        }
        sec.header = h;
        y += h;
        const int rows = std::max(0, ds->numberOfRowsInSection(this, s));
        sec.rowTops.reserve(size_t(rows));
        sec.rowHeights.reserve(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            double rh =
                d ? d->heightForRowAtIndexPath(this, {s, r}) : TableViewDelegate::kAutomaticHeight;
            if (rh < 0) rh = rowHeight_;
            sec.rowTops.push_back(y);
            sec.rowHeights.push_back(rh);
            y += rh;
        }
        View* footerView = sectionView(s, false);
        double f = d ? d->heightForFooterInSection(this, s) : TableViewDelegate::kAutomaticHeight;
        if (f < 0) {
            if (footerView && !footerView->property("toveraTableMade").toBool())
                f = footerView->frame().height();
            else if (!sec.footerTitle.isEmpty())
                f = grouped ? kGroupedTitleFooter : footerHeight_;
            else
                f = grouped ? footerHeight_ : 0;
        }
        sec.footer = f;
        y += f;
    }
    rowsBottom_ = y;
    if (tableFooter_ && !tableFooter_->isHidden()) y += tableFooter_->frame().height();
    setContentSize(QSizeF(frame().width(), y));
}

View* TableView::sectionView(int section, bool header) {
    auto& map = header ? headers_ : footers_;
    if (auto it = map.find(section); it != map.end() && *it) return *it;
    if (section < 0 || section >= int(sections_.size())) return nullptr;
    View* view = nullptr;
    if (TableViewDelegate* d = tableDelegate_.get())
        view = header ? d->viewForHeaderInSection(this, section)
                      : d->viewForFooterInSection(this, section);
    const QString& title =
        header ? sections_[size_t(section)].headerTitle : sections_[size_t(section)].footerTitle;
    if (!view && !title.isEmpty()) view = makeTitleView(title, style_ == Style::Grouped, header);
    if (!view) return nullptr;
    if (view->parentWidget() != this) addSubview(view);
    map.insert(section, view);
    return view;
}

TableViewCell* TableView::dequeueReusableCellWithIdentifier(const QString& identifier) {
    auto it = pool_.find(identifier);
    if (it == pool_.end()) return nullptr;
    while (!it->isEmpty()) {
        QPointer<TableViewCell> cell = it->takeLast();
        if (!cell) continue;
        cell->prepareForReuse();
        return cell;
    }
    return nullptr;
}

void TableView::recycle(TableViewCell* cell) {
    cell->hide();
    cell->setSelected(false);
    if (cell->reuseIdentifier().isEmpty()) return;
    auto& pool = pool_[cell->reuseIdentifier()];
    if (!pool.contains(cell)) pool.append(cell);
}

TableViewCell* TableView::makeCell(const IndexPath& indexPath) {
    TableViewDataSource* ds = dataSource_.get();
    TableViewCell* cell = ds ? ds->cellForRowAtIndexPath(this, indexPath) : nullptr;
    if (!cell) {
        logLine("table: no cell for a row; showing an empty one");
        cell = new TableViewCell;
    }
    if (!cell->parentWidget()) ++cellsAdopted_;
    if (cell->parentWidget() != this) cell->setParent(this);
    // A pooled cell handed out by the data source leaves the pool.
    if (!cell->reuseIdentifier().isEmpty()) pool_[cell->reuseIdentifier()].removeAll(cell);
    return cell;
}

void TableView::contentOffsetChanged() {
    layoutRows();
}

void TableView::layoutSubviews() {
    ScrollView::layoutSubviews();
    if (backgroundView_) backgroundView_->setFrame(QRectF(QPointF(), frame().size()));
    if (contentSize().width() != frame().width())
        setContentSize(QSizeF(frame().width(), contentSize().height()));
    layoutRows();
}

void TableView::layoutRows() {
    if (laying_) return;
    laying_ = true;
    const QPointF offset = contentOffset();
    const QRectF visibleRect(offset, frame().size());
    const double top = visibleRect.top();
    const double bottom = visibleRect.bottom();

    QList<IndexPath> needed;
    for (int s = 0; s < int(sections_.size()); ++s) {
        const Section& sec = sections_[size_t(s)];
        if (sec.rowTops.empty() || sec.bottom() <= top || sec.top >= bottom) continue;
        // The first row whose bottom is below the top of the visible area.
        auto first = std::upper_bound(sec.rowTops.begin(), sec.rowTops.end(), top);
        size_t r = first == sec.rowTops.begin() ? 0 : size_t(first - sec.rowTops.begin()) - 1;
        for (; r < sec.rowTops.size() && sec.rowTops[r] < bottom; ++r)
            if (sec.rowTops[r] + sec.rowHeights[r] > top) needed << IndexPath{s, int(r)};
    }
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (!needed.contains(it.key()) || !it.value()) {
            if (it.value()) recycle(it.value());
            it = visible_.erase(it);
        } else {
            ++it;
        }
    }
    const bool grouped = style_ == Style::Grouped;
    for (const IndexPath& ip : needed) {
        const Section& sec = sections_[size_t(ip.section)];
        const QRectF rect(cellX(), sec.rowTops[size_t(ip.row)], cellWidth(),
                          sec.rowHeights[size_t(ip.row)]);
        TableViewCell* cell = visible_.value(ip);
        const bool fresh = !cell;
        if (fresh) {
            cell = makeCell(ip);
            visible_.insert(ip, cell);
        }
        const int rows = int(sec.rowTops.size());
        if (grouped) cell->setGroupPosition((ip.row == 0 ? 1 : 0) | (ip.row == rows - 1 ? 2 : 0));
        cell->separator_->setHidden(separatorStyle_ == SeparatorStyle::None ||
                                    (grouped && ip.row == rows - 1));
        cell->setFrame(rect);
        if (fresh) {
            cell->setSelected(selected_ == ip);
            cell->show();
            if (TableViewDelegate* d = tableDelegate_.get()) d->willDisplayCell(this, cell, ip);
        }
    }
    if (tableHeader_)
        tableHeader_->setFrame(QRectF(0, 0, frame().width(), tableHeader_->frame().height()));
    if (tableFooter_)
        tableFooter_->setFrame(
            QRectF(0, rowsBottom_, frame().width(), tableFooter_->frame().height()));
    layoutSupplementaryViews(visibleRect);
    laying_ = false;
}

void TableView::layoutSupplementaryViews(const QRectF& visible) {
    const bool plain = style_ == Style::Plain;
    for (int s = 0; s < int(sections_.size()); ++s) {
        const Section& sec = sections_[size_t(s)];
        const bool onScreen = sec.bottom() > visible.top() && sec.top < visible.bottom();
        for (bool header : {true, false}) {
            const double height = header ? sec.header : sec.footer;
            auto& map = header ? headers_ : footers_;
            View* view = map.value(s);
            if (!onScreen || height <= 0) {
                if (view) view->hide();
                continue;
            }
            if (!view) view = sectionView(s, header);
            if (!view) continue;
            double y = header ? sec.top : sec.bottom() - sec.footer;
            if (header && plain) {
                // Plain headers stay at the top while their section scrolls under them.
                y = std::max(y, visible.top() + contentInset().top);
                y = std::min(y, sec.bottom() - sec.footer - height);
                y = std::max(y, sec.top);
            }
            const double x = plain ? 0 : (view->property("toveraTableMade").toBool() ? 20 : 0);
            view->setFrame(QRectF(x, y, frame().width() - 2 * x, height));
            view->show();
            view->raise();
        }
    }
}

TableViewCell* TableView::cellForRowAtIndexPath(const IndexPath& indexPath) const {
    return visible_.value(indexPath);
}

QList<TableViewCell*> TableView::visibleCells() const {
    QList<TableViewCell*> out;
    for (const auto& cell : visible_)
        if (cell) out << cell;
    return out;
}

QList<IndexPath> TableView::indexPathsForVisibleRows() const {
    return visible_.keys();
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell* cell) const {
    for (auto it = visible_.begin(); it != visible_.end(); ++it)
        if (it.value() == cell) return it.key();
    return {};
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(const QPointF& point) const {
    for (int s = 0; s < int(sections_.size()); ++s) {
        const Section& sec = sections_[size_t(s)];
        auto it = std::upper_bound(sec.rowTops.begin(), sec.rowTops.end(), point.y());
        if (it == sec.rowTops.begin()) continue;
        const size_t r = size_t(it - sec.rowTops.begin()) - 1;
        if (point.y() < sec.rowTops[r] + sec.rowHeights[r]) return IndexPath{s, int(r)};
    }
    return {};
}

void TableView::cellTapped(TableViewCell* cell) {
    if (const auto tapped = indexPathForCell(cell)) chooseRowAtIndexPath(*tapped);
}

void TableView::chooseRowAtIndexPath(const IndexPath& indexPath) {
    const std::optional<IndexPath> tapped = indexPath;
    if (!allowsSelection_) return;
    QPointer<TableView> guard(this);
    std::optional<IndexPath> target = tapped;
    if (TableViewDelegate* d = tableDelegate_.get())
        target = d->willSelectRowAtIndexPath(this, *tapped);
    if (!guard || !target) return;
    if (selected_ && *selected_ != *target) {
        const IndexPath old = *selected_;
        deselectRowAtIndexPath(old, false);
        if (TableViewDelegate* d = tableDelegate_.get()) d->didDeselectRowAtIndexPath(this, old);
        if (!guard) return;
    }
    selected_ = target;
    if (TableViewCell* c = visible_.value(*target)) c->setSelected(true);
    if (TableViewDelegate* d = tableDelegate_.get()) d->didSelectRowAtIndexPath(this, *target);
}

void TableView::accessoryTapped(TableViewCell* cell) {
    const auto indexPath = indexPathForCell(cell);
    if (!indexPath) return;
    if (TableViewDelegate* d = tableDelegate_.get())
        d->accessoryButtonTappedForRowWithIndexPath(this, *indexPath);
}

void TableView::selectRowAtIndexPath(const std::optional<IndexPath>& indexPath, bool animated,
                                     ScrollPosition position) {
    if (selected_) deselectRowAtIndexPath(*selected_, false);
    if (!indexPath) return;
    selected_ = indexPath;
    if (TableViewCell* c = visible_.value(*indexPath)) c->setSelected(true);
    if (position != ScrollPosition::None) scrollToRowAtIndexPath(*indexPath, position, animated);
}

void TableView::deselectRowAtIndexPath(const IndexPath& indexPath, bool animated) {
    if (selected_ == indexPath) selected_.reset();
    if (TableViewCell* c = visible_.value(indexPath)) c->setSelected(false, animated);
}

void TableView::scrollToRowAtIndexPath(const IndexPath& indexPath, ScrollPosition position,
                                       bool animated) {
    const QRectF rect = rectForRowAtIndexPath(indexPath);
    if (rect.isNull()) return;
    const double h = frame().height();
    double y = contentOffset().y();
    switch (position) {
        case ScrollPosition::Top:
            y = rect.top();
            break;
        case ScrollPosition::Middle:
            y = rect.center().y() - h / 2;
            break;
        case ScrollPosition::Bottom:
            y = rect.bottom() - h;
            break;
        case ScrollPosition::None:
            scrollRectToVisible(rect, animated);
            return;
    }
    y = std::clamp(y, minimumOffset().y(), maximumOffset().y());
    setContentOffset(QPointF(contentOffset().x(), y), animated);
}

QRectF TableView::rectForSection(int section) const {
    if (section < 0 || section >= int(sections_.size())) return {};
    const Section& sec = sections_[size_t(section)];
    return QRectF(0, sec.top, frame().width(), sec.bottom() - sec.top);
}

QRectF TableView::rectForRowAtIndexPath(const IndexPath& indexPath) const {
    if (indexPath.section < 0 || indexPath.section >= int(sections_.size())) return {};
    const Section& sec = sections_[size_t(indexPath.section)];
    if (indexPath.row < 0 || indexPath.row >= int(sec.rowTops.size())) return {};
    return QRectF(cellX(), sec.rowTops[size_t(indexPath.row)], cellWidth(),
                  sec.rowHeights[size_t(indexPath.row)]);
}

QRectF TableView::rectForHeaderInSection(int section) const {
    if (section < 0 || section >= int(sections_.size())) return {};
    const Section& sec = sections_[size_t(section)];
    return QRectF(0, sec.top, frame().width(), sec.header);
}

QRectF TableView::rectForFooterInSection(int section) const {
    if (section < 0 || section >= int(sections_.size())) return {};
    const Section& sec = sections_[size_t(section)];
    return QRectF(0, sec.bottom() - sec.footer, frame().width(), sec.footer);
}

}  // namespace tovera::platform::ui
