#include "property/CityList.h"

#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Image;
using platform::ui::ImageView;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {

constexpr int kCheckTag = 1;
constexpr double kCheckMargin = 5;

bool isChecked(const Value& record) {
    return record.getIntValueForKey("checked", 0) != 0;
}

}  // namespace

CityList::CityList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("意向城市"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("确定"), BarButtonItem::Style::Plain, [this] { submit(); }));
}

void CityList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void CityList::viewDidLoad() {
    QXViewController::viewDidLoad();
    reloadData();
}

void CityList::reloadData() {
    QXViewController::reloadData();
    dataArray_.clear();
    doRequest();
}

void CityList::doRequest() {
    session().getSystemCitylist(param().param(), this);
}

void CityList::didLoad(const Value& reply, QXRequest*) {
    for (const Value& city : reply["result"].items()) {
        if (!city.isDict()) continue;
        Dict record = *city.dict();
        if (!selectedString_.empty() && isSelected(record.getStringValueForKey("city", "")))
            record.set("checked", "1");
        dataArray_.push_back(std::move(record));
    }
    tableView_->reloadData();
}

bool CityList::isSelected(const std::string& name) const {
    // Each chosen name is followed by ","; what follows the last "," is no
    // whole name.
    std::string_view rest = selectedString_;
    for (std::size_t comma = rest.find(','); comma != std::string_view::npos;
         comma = rest.find(',')) {
        if (rest.substr(0, comma) == name) return true;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

void CityList::submit() {
    std::string names;
    std::string ids;
    for (const Value& record : dataArray_) {
        if (!isChecked(record)) continue;
        names.insert(0, record.getStringValueForKey("city", "") + ",");
        ids.insert(0, record.getStringValueForKey("cityid", "") + ",");
    }
    for (std::string* text : {&names, &ids}) {
        if (text->empty())
            *text = " ";
        else
            text->pop_back();
    }
    if (platform::ui::NavigationController* nav = navigationController()) {
        const auto stack = nav->viewControllers();
        const auto index = stack.indexOf(this);
        if (index > 0)
            if (auto* below = qobject_cast<QXViewController*>(stack.at(index - 1))) {
                below->param().param().set("citybtn", names);
                below->param().param().set("cityids", ids);
            }
        nav->popViewControllerAnimated(true);
    }
}

// ---- Table ----------------------------------------------------------------

int CityList::numberOfRowsInSection(TableView*, int) {
    return dataArray_.empty() ? 1 : int(dataArray_.size());
}

TableViewCell* CityList::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    const QString identifier = QStringLiteral("CityListCell");
    TableViewCell* cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Default, identifier);
        const Image mark = Image::named(QStringLiteral("selected.png"));
        const QSizeF size = mark.size();
        auto* check = new ImageView(mark);
        check->setTag(kCheckTag);
        check->setFrame(QRectF(320 - kCheckMargin - size.width(),
                               (table->rowHeight() - size.height()) / 2, size.width(),
                               size.height()));
        check->setAutoresizingMask(platform::ui::View::FlexibleLeftMargin);
        cell->contentView()->addSubview(check);
    }
    auto* check = cell->contentView()->viewWithTag(kCheckTag);
    if (dataArray_.empty()) {
        cell->textLabel()->setText(QStringLiteral("暂无"));
        check->setHidden(true);
        return cell;
    }
    const Value& record = dataArray_[path.row];
    cell->textLabel()->setText(QString::fromStdString(record.getStringValueForKey("city", "")));
    cell->textLabel()->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    check->setHidden(!isChecked(record));
    return cell;
}

void CityList::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    if (!dataArray_.empty() && path.row < int(dataArray_.size()))
        if (Dict* record = dataArray_[path.row].dict())
            record->set("checked", isChecked(dataArray_[path.row]) ? "0" : "1");
    table->deselectRowAtIndexPath(path, true);
    table->reloadData();
}

}  // namespace tovera
