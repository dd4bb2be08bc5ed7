#include "property/HouseSearch.h"

#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "platform/Log.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/Label.h"
#include "property/LabelButton.h"
#include "property/ToveraList.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::Control;
using platform::ui::ScrollView;
using platform::ui::TextField;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kGap = 8;
constexpr int kFields = 6;
// The new-build form: price, city, district, class, layout, floor area.
constexpr int kCityField = 2;
constexpr int kDistrictField = 3;
// The second-hand and rental form: layout, price, floor area, district,
// business area, source.
constexpr int kListingDistrictField = 4;
constexpr int kBusinessAreaField = 5;

QString optionTitle(const Value& option) {
    if (!option.isDict()) return QString::fromStdString(option.toText());
    const Dict& dict = *option.dict();
    const std::string name = dict.getStringValueForKey("name", "");
    return QString::fromStdString(dict.contains("name") ? name
                                                        : dict.getStringValueForKey("city", ""));
}

// A dictionary option stands for its "id" (or "cityid"); a plain title for
// its row.
int optionValue(const Value& option, int row) {
    if (!option.isDict()) return row;
    const Dict& dict = *option.dict();
    return Value(dict.getStringValueForKey(dict.contains("id") ? "id" : "cityid", "0")).intValue();
}

std::string decimal(int value) {
    return std::to_string(value);
}

}  // namespace

HouseSearch::HouseSearch(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("筛选条件"));
    param().setApi("tovera");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("筛选"), BarButtonItem::Style::Plain, [this] { doSearch(); }));
}

bool HouseSearch::newBuild() {
    return param().api() == "tovera";
}

void HouseSearch::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(NSUtil::listview_item());
    scrollView_ = new ScrollView(root->bounds(), root);
    keyWord_ = new TextField(QRectF(10, 10, kWidth - 20, 31), scrollView_);
    keyWord_->setBorderStyle(TextField::BorderStyle::RoundedRect);
    keyWord_->setFont(NSUtil::normalFont());
    keyWord_->setPlaceholder(QStringLiteral("关键字"));
    keyWord_->setReturnKeyType(TextField::ReturnKey::Done);
    keyWord_->setDelegate(this);
    TextField::chainReturns({keyWord_}, [this] { doSearch(); });
    setView(root);
}

void HouseSearch::viewDidLoad() {
    QXViewController::viewDidLoad();
    buildForm();
    // While the keyboard shows, the form ends above it with the keyword in
    // sight, and the picker makes way.
    new platform::ui::KeyboardRoom(scrollView_);
    connect(&platform::ui::Keyboard::shared(), &platform::ui::Keyboard::willShow, this,
            [this] { hidePicker(); });
}

void HouseSearch::buildForm() {
    for (LabelButton* old : rows_)
        old->deleteLater();
    rows_.clear();
    const Value captions = NSUtil::config("search")[newBuild() ? 0 : 1];
    const double rowsTop = keyWord_->frame().bottom() + kGap;
    int i = 0;
    for (const Value& caption : captions.items()) {
        auto* row = new LabelButton(QString::fromStdString(caption.toText()), kWidth, scrollView_);
        row->setTag(i + 1);
        row->setFrame(
            QRectF(0, rowsTop + (kGap + LabelButton::kHeight) * i, kWidth, LabelButton::kHeight));
        connect(row->btn(), &Control::touchUpInside, this,
                [this, row](Control*) { btnPressed(row); });
        rows_.push_back(row);
        ++i;
    }
    double bottom = rows_.isEmpty() ? keyWord_->frame().bottom() : rows_.back()->frame().bottom();
    if (!newBuild()) {
        addCheckBoxes(bottom);
        bottom = checks_.back()->frame().bottom();
    }
    scrollView_->setContentSize(QSizeF(kWidth, bottom + kGap));
}

void HouseSearch::addCheckBoxes(double top) {
    const int lastTag = rows_.isEmpty() ? 0 : rows_.back()->tag();
    const QString second =
        param().api() == "oldhouse" ? QStringLiteral("急售") : QStringLiteral("急租");
    double y = top + kGap;
    for (const QString& title : {QStringLiteral("推荐"), second}) {
        auto* box = new Button(QRectF(10, y, 100, 30), scrollView_);
        box->setTag(lastTag + 1 + int(checks_.size()));
        box->setTitle(title);
        box->setFont(NSUtil::normalFont());
        box->setTitleColor(NSUtil::black());
        box->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
        box->setImage(platform::ui::Image::named(QStringLiteral("form_checkbox")));
        box->setImage(platform::ui::Image::named(QStringLiteral("form_checkbox_checked")),
                      Button::Selected);
        connect(box, &Control::touchUpInside, this,
                [box](Control*) { box->setSelected(!box->isSelected()); });
        checks_.push_back(box);
        y = box->frame().bottom() + 5;
    }
}

LabelButton* HouseSearch::row(int tag) const {
    for (LabelButton* row : rows_)
        if (row->tag() == tag) return row;
    return nullptr;
}

std::string HouseSearch::configOf(int tag) {
    static const char* const kNewBuild[kFields] = {"pricelist", "",          "",
                                                   "classic",   "housetype", "square"};
    static const char* const kListing[kFields] = {"housetype", "", "square", "", "", "source"};
    if (tag < 1 || tag > kFields) return {};
    if (!newBuild() && tag == 2) return param().api() == "oldhouse" ? "saleprice" : "rentprice";
    return (newBuild() ? kNewBuild : kListing)[tag - 1];
}

HouseSearch::Service HouseSearch::serviceOf(int tag) {
    if (newBuild()) {
        if (tag == kCityField) return Service::Cities;
        if (tag == kDistrictField) return Service::Districts;
        return Service::None;
    }
    if (tag == kListingDistrictField) return Service::Districts;
    if (tag == kBusinessAreaField) return Service::BusinessAreas;
    return Service::None;
}

int HouseSearch::fieldOf(const Dict& sent) {
    const std::string type = sent.getStringValueForKey("t", "");
    if (type.empty()) return newBuild() ? kCityField : 0;
    if (type == "2") return newBuild() ? kDistrictField : kListingDistrictField;
    if (type == "1" && !newBuild()) return kBusinessAreaField;
    return 0;
}

JVPickView* HouseSearch::picker() {
    if (!pkView_) pkView_ = JVPickView::hiddenIn(view(), this);
    return pkView_;
}

void HouseSearch::btnPressed(LabelButton* row) {
    keyWord_->resignFirstResponder();
    JVPickView* panel = picker();
    // The field whose options are open closes them again, like "取消".
    if (!panel->isHidden() && panel->tag() == row->tag()) {
        hidePicker();
        return;
    }
    panel->setTag(row->tag());
    panel->setWaiting(false);
    pkArray_.clear();
    if (const Service service = serviceOf(row->tag()); service != Service::None) {
        requestOptions(service, row);
        return;
    }
    pkArray_ = NSUtil::config(configOf(row->tag())).items();
    showPicker();
}

// Each option request goes in a dictionary of its own, so that no key of
// an earlier request (a type, a city) changes what it asks for. Every list
// starts with a row that means "no filter": "全部" for districts, "不限"
// for the others.
void HouseSearch::requestOptions(Service service, LabelButton* row) {
    QXParam request;
    request.setApi(param().api());
    std::string city = session().cityId().value_or("0");
    switch (service) {
        case Service::Cities:
            pkArray_.push_back(Dict{{"cityid", "0"}, {"city", "不限"}});
            picker()->setWaiting(true);
            session().getSystemCitylist(request.param(), this);
            return;
        case Service::Districts:
            pkArray_.push_back(Dict{{"id", "0"}, {"name", "全部"}});
            if (newBuild()) {
                if (row->lbl()->tag() <= 0) row->lbl()->setTag(Value(city).intValue());
                city = decimal(row->lbl()->tag());
            }
            request.setType("2");
            break;
        case Service::BusinessAreas:
            pkArray_.push_back(Dict{{"id", "0"}, {"name", "不限"}});
            request.setType("1");
            break;
        case Service::None:
            return;
    }
    request.setString(city, "city");
    picker()->setWaiting(true);
    session().systemCityinfo(request.param(), this);
}

void HouseSearch::didLoad(const Value& reply, QXRequest* request) {
    const Dict sent = request ? request->params() : Dict();
    if (!pkView_ || !pkView_->waiting() || fieldOf(sent) != pkView_->tag()) {
        platform::logLine("dropped options the picker no longer waits for");
        return;
    }
    for (const Value& option : reply["result"].items())
        pkArray_.push_back(option);
    pkView_->setWaiting(false);
    showPicker();
}

void HouseSearch::requestDidFailWithError(QXRequest*, const Error&) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    if (pkView_) pkView_->setWaiting(false);
    // Without a screen the alert pops nothing: the form and what was typed stay.
    RootScreenServices::shared().errAlert(nullptr);
}

void HouseSearch::showPicker() {
    QStringList titles;
    for (const Value& option : pkArray_)
        titles.push_back(optionTitle(option));
    JVPickView* panel = picker();
    panel->showUnder(scrollView_, titles);
    if (LabelButton* chosenRow = row(panel->tag()))
        scrollView_->scrollRectToVisible(chosenRow->frame(), true);
}

void HouseSearch::hidePicker() {
    if (pkView_)
        pkView_->hideUnder(scrollView_);
    else
        scrollView_->setFrame(view()->bounds());
}

void HouseSearch::qxView(View*, Button* button) {
    hidePicker();
    if (!button || button->tag() != JVPickView::kConfirmTag) return;
    LabelButton* field = row(pkView_->tag());
    const int index = pkView_->selectedRow();
    if (!field || index < 0 || index >= int(pkArray_.size())) return;
    chosen(field, index);
}

void HouseSearch::chosen(LabelButton* field, int index) {
    const Value& option = pkArray_[std::size_t(index)];
    field->choose(optionTitle(option), optionValue(option, index));
    // The district field lists the districts of the city chosen here, and
    // the search asks for that city; a district of another city goes.
    if (newBuild() && field->tag() == kCityField) {
        LabelButton* district = row(kDistrictField);
        if (district && district->lbl()->tag() != field->value()) {
            district->lbl()->setTag(field->value());
            district->choose(QStringLiteral("不限"), 0);
        }
    }
}

bool HouseSearch::textFieldShouldReturn(TextField* field) {
    field->resignFirstResponder();
    return true;
}

void HouseSearch::doSearch() {
    keyWord_->resignFirstResponder();
    QXParam record;
    record.setKeyWord(keyWord_->text().toStdString());
    auto value = [this](int tag) {
        LabelButton* field = row(tag);
        return decimal(field ? field->value() : 0);
    };
    // A field left at its "no filter" row ("不限", "全部") sends no title:
    // the placeholder is not a criterion.
    auto title = [this](int tag) {
        LabelButton* field = row(tag);
        return field && field->value() != 0 ? field->chosenTitle().toStdString() : std::string();
    };

    platform::ui::NavigationController* nav = navigationController();
    const QList<platform::ui::ViewController*> stack =
        nav ? nav->viewControllers() : QList<platform::ui::ViewController*>();
    const qsizetype here = stack.indexOf(this);
    platform::ui::ViewController* beneath = here > 0 ? stack[here - 1] : nullptr;

    if (newBuild()) {
        if (auto* list = qobject_cast<ToveraList*>(beneath)) {
            record.setPrice(value(1));
            LabelButton* district = row(kDistrictField);
            record.setCityid(decimal(district ? district->lbl()->tag() : 0));
            record.setArea(value(kDistrictField));
            record.setType(value(4));
            record.setHuxing(value(5));
            record.setSquare(value(6));
            list->doSearch(record);
        }
    } else if (auto* list = qobject_cast<QXViewController*>(beneath)) {
        record.setHuxing(title(1));
        record.setPrice(value(2));
        record.setSquare(value(3));
        record.setArea(title(kListingDistrictField));
        record.setShangquan(value(kBusinessAreaField));
        record.setSource(value(6));
        record.setRemcommand(checks_.size() > 0 && checks_[0]->isSelected() ? "1" : "0");
        record.setHot(checks_.size() > 1 && checks_[1]->isSelected() ? "1" : "0");
        list->setParam(record);
        list->reloadData();
    }
    if (nav) nav->popViewControllerAnimated(true);
}

}  // namespace tovera
