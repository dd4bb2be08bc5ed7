#include "community/ProfileEdit.h"

#include <QApplication>

#include "community/CommunityText.h"
#include "community/Profile.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/JVDatePicker.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/QXRadio.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::TextField;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kRow = 38;
constexpr double kCaptionWidth = 96;
constexpr double kControlLeft = 106;
constexpr double kControlWidth = 204;
constexpr const char* kSaveApi = "modify";
constexpr const char* kOptionsApi = "cityinfo";

struct Limit {
    const char* key;
    int max;
};
constexpr Limit kLimits[] = {{"p", 3},   {"qq", 14},       {"p_i", 5},
                             {"f_i", 5}, {"realname", 10}, {"tel", 12}};

QStringList configTitles(const char* key) {
    QStringList titles;
    const Value list = NSUtil::config(key);
    for (const Value& entry : list.items())
        titles.append(QString::fromStdString(entry.toText()));
    return titles;
}

QStringList numbers(int from, int to) {
    QStringList titles;
    for (int n = from; n <= to; ++n)
        titles.append(QString::number(n));
    return titles;
}

QString text(const Dict& record, std::string_view key, std::string_view fallback = "") {
    return QString::fromStdString(record.getStringValueForKey(key, fallback));
}

// The list a list picker shows (service-backed pickers have none).
QStringList listOf(int tag) {
    switch (tag) {
        case ProfileEdit::kEducation:
            return configTitles("edu");
        case ProfileEdit::kBuyState:
            return configTitles("buystate");
        case ProfileEdit::kClassic:
            return configTitles("classic");
        case ProfileEdit::kPrivacy:
            return configTitles("privacy");
        case ProfileEdit::kRooms:
            return numbers(1, 10);
        case ProfileEdit::kHalls:
        case ProfileEdit::kBathrooms:
            return numbers(0, 5);
        case ProfileEdit::kUnit:
            return numbers(1, 9);
        default:
            return {};
    }
}

bool serviceBacked(int tag) {
    return tag == ProfileEdit::kHouse || tag == ProfileEdit::kLocation ||
           tag == ProfileEdit::kArea || tag == ProfileEdit::kPhase || tag == ProfileEdit::kBuilding;
}

}  // namespace

ProfileEdit::ProfileEdit(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("修改个人资料"));
}

int ProfileEdit::section() {
    const int type = Value(param().type()).intValue();
    return type >= 1 && type <= 3 ? type : 1;
}

int ProfileEdit::limitOf(std::string_view key) {
    for (const Limit& limit : kLimits)
        if (key == limit.key) return limit.max;
    return 0;
}

// ---- Pages ------------------------------------------------------------------

void ProfileEdit::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    scrollView_ = new ScrollView(root->bounds(), root);
    scrollView_->setAutoresizingMask(View::FlexibleSize);
    // Every section's controls are made, so that a save sends every field
    // (the ones of other sections as bound from the record); only the
    // section's own are shown.
    const int shown = section();
    for (int page = 1; page <= 3; ++page) {
        top_ = 10;
        page_ = new View(QRectF(0, 0, kWidth, 0), scrollView_);
        page_->setHidden(page != shown);
        if (page == 1) edtBaseInfo();
        if (page == 2) edtPhyInfo();
        if (page == 3) edtBuyInfo();
        page_->setFrame(QRectF(0, 0, kWidth, top_ + 10));
        if (page == shown) scrollView_->setContentSize(QSizeF(kWidth, top_ + 10));
    }
    page_ = nullptr;
    new platform::ui::KeyboardRoom(scrollView_);
    pkView_ = new JVPickView(kWidth, root);
    pkView_->setDelegate(this);
    pkView_->setHidden(true);
    dateView_ = new JVDatePicker(kWidth, root);
    dateView_->setDelegate(this);
    dateView_->setHidden(true);
    setView(root);
}

void ProfileEdit::addCaption(const char* caption) {
    auto* label = new Label(QRectF(10, top_, kCaptionWidth, 30), page_);
    label->setText(QString::fromUtf8(caption));
    label->setFont(NSUtil::normalFont());
    label->setTextColor(NSUtil::black());
}

TextField* ProfileEdit::addField(const char* caption, const char* key) {
    addCaption(caption);
    auto* input = new TextField(QRectF(kControlLeft, top_, kControlWidth, 30), page_);
    input->setBorderStyle(TextField::BorderStyle::RoundedRect);
    input->setFont(NSUtil::normalFont());
    input->setDelegate(this);
    fields_.emplace_back(key, input);
    top_ += kRow;
    return input;
}

Button* ProfileEdit::addChoice(const char* caption, int tag) {
    addCaption(caption);
    auto* button = new Button(QRectF(kControlLeft, top_, kControlWidth, 30), page_);
    button->setFont(NSUtil::normalFont());
    button->setTitleColor(NSUtil::click());
    button->setBorder(1, NSUtil::secondcolor());
    button->setCornerRadius(4);
    button->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    button->setContentEdgeInsets({0, 6, 0, 0});
    if (tag > 0) {
        choices_[tag] = button;
        QObject::connect(button, &Button::touchUpInside, this, [this, tag] { openPicker(tag); });
    }
    top_ += kRow;
    return button;
}

void ProfileEdit::edtBaseInfo() {
    addField("真实姓名:", "realname");
    addCaption("性别:");
    gander_ = new QXRadio(QRectF(kControlLeft, top_, kControlWidth, 30), page_);
    gander_->setLableArray({QStringLiteral("保密"), QStringLiteral("男"), QStringLiteral("女")});
    top_ += kRow;
    addField("电话:", "tel")->setKeyboardType(TextField::KeyboardType::PhonePad);
    addField("邮箱:", "email")->setKeyboardType(TextField::KeyboardType::EmailAddress);
    addField("QQ:", "qq")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addChoice("隐私:", kPrivacy);
}

void ProfileEdit::edtPhyInfo() {
    dateBtn_ = addChoice("出生日期:", 0);
    QObject::connect(dateBtn_, &Button::touchUpInside, this, [this] { openDatePicker(); });
    addChoice("学历:", kEducation);
    addField("行业:", "b");
    addField("家庭人数:", "p")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addField("个人年收入:", "p_i")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addField("家庭年收入:", "f_i")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addField("通讯地址:", "add");
    cityBtn_ = addChoice("意向城市:", 0);
    QObject::connect(cityBtn_, &Button::touchUpInside, this, [this] { openCityList(); });
    addField("期望面积:", "size")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addField("期望单价:", "price")->setKeyboardType(TextField::KeyboardType::NumberPad);
    addChoice("室:", kRooms);
    addChoice("厅:", kHalls);
    addChoice("卫:", kBathrooms);
    addChoice("物业类别:", kClassic);
}

void ProfileEdit::edtBuyInfo() {
    addChoice("购房状态:", kBuyState);
    addChoice("所在城市:", kLocation);
    addChoice("区域:", kArea);
    addChoice("楼盘:", kHouse);
    addChoice("期数:", kPhase);
    addChoice("楼栋:", kBuilding);
    addChoice("单元:", kUnit);
    addField("房号:", "num")->setKeyboardType(TextField::KeyboardType::NumberPad);
}

TextField* ProfileEdit::field(std::string_view key) const {
    for (const auto& [name, input] : fields_)
        if (name == key) return input;
    return nullptr;
}

Button* ProfileEdit::choice(int tag) const {
    const auto found = choices_.find(tag);
    return found == choices_.end() ? nullptr : found->second;
}

// ---- Loading and binding ----------------------------------------------------

void ProfileEdit::viewDidLoad() {
    QXViewController::viewDidLoad();
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("确定"), BarButtonItem::Style::Bordered, [this] { doEdit(); }));
    if (!record_.empty()) {
        bindView();
        return;
    }
    QXViewController::reloadData();
    if (param().rid() == "0") param().setRid(session().userId().value_or("0"));
    session().getUserInfo(param().param(), this);
}

void ProfileEdit::viewWillAppear(bool) {
    // The city list leaves the cities chosen in this screen's parameters.
    Dict& values = param().param();
    if (!values.contains("citybtn")) return;
    const QString names =
        QString::fromStdString(values.getStringValueForKey("citybtn", "")).trimmed();
    cityBtn_->setTitle(names);
    record_.set(
        "cityid",
        QString::fromStdString(values.getStringValueForKey("cityids", "")).trimmed().toStdString());
    values.remove("citybtn");
    values.remove("cityids");
}

void ProfileEdit::bindView() {
    for (const auto& [key, input] : fields_)
        input->setText(text(record_, key));
    const QString gender = text(record_, "gander");
    gander_->setSelected(gender == QStringLiteral("男") ? 1 : gender.size() == 1 ? 2 : 0);

    const int privacy = record_.getIntValueForKey("privacy", 0);
    choice(kPrivacy)->setTitle(listOf(kPrivacy).value(privacy));
    choice(kPrivacy)->setTag(privacy);
    dateBtn_->setTitle(text(record_, "date"));
    cityBtn_->setTitle(text(record_, "city"));
    choice(kEducation)->setTitle(text(record_, "e"));

    QString classic = text(record_, "classic");
    if (classic.isEmpty()) classic = text(record_, "type", "全部");
    choice(kClassic)->setTitle(classic);
    choice(kClassic)->setTag(int(listOf(kClassic).indexOf(classic)) + 1);

    std::vector<std::string> flat = NSUtil::explode(record_.getStringValueForKey("flat", ""), ",");
    if (flat.size() < 3) flat = {"0", "0", "0"};
    choice(kRooms)->setTitle(QString::fromStdString(flat[0]));
    choice(kHalls)->setTitle(QString::fromStdString(flat[1]));
    choice(kBathrooms)->setTitle(QString::fromStdString(flat[2]));

    const QStringList states = listOf(kBuyState);
    const QString state = text(record_, "state", states.value(0).toStdString());
    choice(kBuyState)->setTitle(state);
    choice(kBuyState)->setTag(std::max(0, int(states.indexOf(state))));

    // A bought home keeps its place: every level carries its id.
    const struct {
        int tag;
        const char* name;
        const char* id;
    } places[] = {{kLocation, "location", "cityid"},
                  {kArea, "area", "aid"},
                  {kHouse, "house", "hid"},
                  {kPhase, "lssue", "lid"},
                  {kBuilding, "build", "bid"}};
    for (const auto& place : places) {
        choice(place.tag)->setTitle(text(record_, place.name));
        choice(place.tag)->setTag(record_.getIntValueForKey(place.id, 0));
    }
    if (!record_.contains("location")) {
        choice(kLocation)->setTag(Value(session().cityId().value_or("0")).intValue());
        choice(kLocation)->setTitle(QString());
    }
    choice(kUnit)->setTitle(text(record_, "unit"));

    platform::preferences().setString(PrefKey::kCompletion,
                                      record_.getStringValueForKey("completion", "0"));
}

void ProfileEdit::didLoad(const Value& reply, QXRequest* request) {
    const Dict sent = request ? request->params() : Dict{};
    const std::string api = sent.getStringValueForKey("api", "");
    if (api == kSaveApi) return saved(reply, sent);
    if (api == kOptionsApi) {
        // The answer is for the picker asked last.
        const int tag = pkView_->tag();
        pkView_->setWaiting(false);
        pkArray_.clear();
        QStringList titles;
        for (const Value& row : reply["result"].items()) {
            if (!row.isDict()) continue;
            pkArray_.push_back(row);
            titles.append(QString::fromStdString(
                row.getStringValueForKey("name", row.getStringValueForKey("city", ""))));
        }
        if (titles.isEmpty()) {
            NSUtil::makeText("暂无").show();
            return;
        }
        showOptions(tag, titles);
        return;
    }
    const Dict* fields = reply.dict();
    if (!fields || fields->contains("code")) return;
    record_.merge(*fields);
    bindView();
}

// ---- Pickers ----------------------------------------------------------------

void ProfileEdit::openPicker(int tag) {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    dateView_->setHidden(true);
    if (serviceBacked(tag)) return requestOptions(tag);
    showOptions(tag, listOf(tag));
}

void ProfileEdit::showOptions(int tag, const QStringList& titles) {
    pkView_->setTag(tag);
    pkView_->setTitles(titles);
    if (Button* button = choice(tag))
        pkView_->selectRow(int(titles.indexOf(button->currentTitle())));
    pkView_->showAtBottom();
}

// Each request is a dictionary of its own: a key left from another picker
// would change what the service lists.
void ProfileEdit::requestOptions(int tag) {
    const std::string city = choice(kLocation)->tag() > 0 ? std::to_string(choice(kLocation)->tag())
                                                          : session().cityId().value_or("0");
    Dict request{{"api", kOptionsApi}};
    auto type = [&request](const char* t) {
        request.set("t", t);
        request.set("type", t);
    };
    auto whenSet = [&request, this](const char* key, int from) {
        if (choice(from)->tag() > 0) request.set(key, std::to_string(choice(from)->tag()));
    };
    switch (tag) {
        case kHouse:
            type("3");
            request.set("city", city);
            whenSet("area", kArea);
            break;
        case kArea:
            type("2");
            request.set("city", city);
            break;
        case kPhase:
            type("4");
            whenSet("house", kHouse);
            break;
        case kBuilding:
            type("5");
            request.set("num", std::to_string(choice(kPhase)->tag()));
            whenSet("house", kHouse);
            whenSet("area", kArea);
            break;
        default:
            break;
    }
    pkView_->setTag(tag);
    pkView_->setWaiting(true);
    session().systemCityinfo(request, this);
}

void ProfileEdit::qxView(View* view, Button* button) {
    if (!button || button->tag() < PickerPanel::kConfirmTag) return;
    if (view == dateView_) {
        dateBtn_->setTitle(dateView_->dateText());
        return;
    }
    if (view == pkView_) chosen(pkView_->tag(), pkView_->selectedRow());
}

void ProfileEdit::chosen(int tag, int row) {
    Button* button = choice(tag);
    if (!button || row < 0) return;
    if (serviceBacked(tag)) {
        if (std::size_t(row) >= pkArray_.size()) return;
        const Value& option = pkArray_[std::size_t(row)];
        const bool city = tag == kLocation;
        button->setTitle(
            QString::fromStdString(option.getStringValueForKey(city ? "city" : "name", "")));
        button->setTag(option.getIntValueForKey(city ? "cityid" : "id", 0));
        return;
    }
    const QStringList titles = listOf(tag);
    if (row >= titles.size()) return;
    button->setTitle(titles[row]);
    if (tag == kBuyState || tag == kPrivacy) button->setTag(row);
    if (tag == kClassic) button->setTag(row + 1);
}

void ProfileEdit::openDatePicker() {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    pkView_->setHidden(true);
    dateView_->setDateText(dateBtn_->currentTitle());
    dateView_->showAtBottom();
}

void ProfileEdit::openCityList() {
    Route cities{Destination::PreferredCities, {}, QStringLiteral("意向城市")};
    const QString names = cityBtn_->currentTitle();
    cities.param.setName(names.isEmpty() ? std::string() : names.toStdString() + ",");
    Navigator::open(this, cities);
}

bool ProfileEdit::shouldChangeCharactersInRange(TextField* input, int, int length,
                                                const QString& replacement) {
    for (const auto& [key, candidate] : fields_) {
        if (candidate != input) continue;
        const int limit = limitOf(key);
        // The length after the edit, whether typed or pasted.
        const int after = int(input->text().size()) - length + int(replacement.size());
        return limit == 0 || after <= limit || replacement.isEmpty();
    }
    return true;
}

// ---- Saving -----------------------------------------------------------------

void ProfileEdit::refuse(const char* message, QWidget* target) {
    NSUtil::makeText(message).show();
    if (auto* shown = qobject_cast<View*>(target))
        scrollView_->scrollRectToVisible(shown->frame(), true);
}

void ProfileEdit::doEdit() {
    const QString mail = field("email")->text().trimmed();
    if (section() == 2) {
        const struct {
            bool missing;
            const char* message;
            QWidget* target;
        } checks[] = {
            {dateBtn_->currentTitle().size() <= 3, "请选择出生日期", dateBtn_},
            {field("p_i")->text().trimmed().isEmpty(), "请输入个人年收入", field("p_i")},
            {field("f_i")->text().trimmed().isEmpty(), "请输入家庭年收入", field("f_i")},
            {field("size")->text().trimmed().isEmpty(), "请输入期望面积", field("size")},
            {field("price")->text().trimmed().isEmpty(), "请输入期望单价", field("price")},
            {cityBtn_->currentTitle().size() <= 1, "请选择意向城市", cityBtn_},
        };
        for (const auto& check : checks)
            if (check.missing && (!cityOnly_ || check.target == cityBtn_))
                return refuse(check.message, check.target);
    }
    if (!mail.isEmpty() && !NSUtil::isEmailAddress(mail.toStdString()))
        return refuse("请输入正确的邮件格式", field("email"));
    if (ActivityView* overlay = activityView()) overlay->show(this);
    Dict request = sentValues();
    session().userSetinfo(request, this);
}

Dict ProfileEdit::sentValues() {
    auto input = [this](const char* key) { return field(key)->text().trimmed().toStdString(); };
    auto title = [this](int tag) { return choice(tag)->currentTitle().toStdString(); };
    auto tagOf = [this](int tag) { return std::to_string(choice(tag)->tag()); };
    const std::string section = std::to_string(this->section());
    return Dict{{"api", kSaveApi},
                {"id", record_.getStringValueForKey("id", "0")},
                // The signed-in user, also when a bought home's record is saved.
                {"uid", session().userId().value_or("0")},
                {"t", section},
                {"type", section},
                {"classic", tagOf(kClassic)},
                {"name", input("realname")},
                {"gander", gander_->value().toStdString()},
                {"tel", input("tel")},
                {"mail", input("email")},
                {"qq", input("qq")},
                {"privacy", tagOf(kPrivacy)},
                {"brithday", dateBtn_->currentTitle().toStdString()},
                {"e", title(kEducation)},
                {"b", input("b")},
                {"p", input("p")},
                {"p_i", input("p_i")},
                {"f_i", input("f_i")},
                {"add", input("add")},
                {"city", record_.getStringValueForKey("cityid", "")},
                {"size", input("size")},
                {"price", input("price")},
                {"room", title(kRooms)},
                {"hall", title(kHalls)},
                {"bathroom", title(kBathrooms)},
                {"state", std::to_string(choice(kBuyState)->tag() + 1)},
                {"house", tagOf(kHouse)},
                {"lid", tagOf(kPhase)},
                {"build", tagOf(kBuilding)},
                {"unit", title(kUnit)},
                {"num", input("num")}};
}

void ProfileEdit::saved(const Value& reply, const Dict& sent) {
    NSUtil::makeText(reply.getStringValueForKey("msg", "修改成功")).show();
    // The record takes what was saved, under its own keys.
    const struct {
        const char* sentKey;
        const char* recordKey;
    } renamed[] = {{"name", "realname"}, {"mail", "email"},  {"brithday", "date"},  {"e", "e"},
                   {"gander", "gander"}, {"tel", "tel"},     {"qq", "qq"},          {"b", "b"},
                   {"p", "p"},           {"p_i", "p_i"},     {"f_i", "f_i"},        {"add", "add"},
                   {"size", "size"},     {"price", "price"}, {"privacy", "privacy"}};
    for (const auto& key : renamed)
        record_.set(key.recordKey, sent[key.sentKey]);
    record_.set("city", cityBtn_->currentTitle().toStdString());
    record_.set("classic", choice(kClassic)->currentTitle().toStdString());
    record_.set("state", choice(kBuyState)->currentTitle().toStdString());
    record_.set("flat", sent.getStringValueForKey("room", "0") + "," +
                            sent.getStringValueForKey("hall", "0") + "," +
                            sent.getStringValueForKey("bathroom", "0"));
    const std::string completion =
        reply.getStringValueForKey("completion", record_.getStringValueForKey("completion", "0"));
    record_.set("completion", completion);
    platform::preferences().setString(PrefKey::kCompletion, completion);
    flagScreenBeneath(this);
    if (platform::ui::NavigationController* nav = navigationController()) {
        const QList<platform::ui::ViewController*> stack = nav->viewControllers();
        const qsizetype at = stack.indexOf(this);
        if (at > 0)
            if (auto* profile = qobject_cast<Profile*>(stack[at - 1])) profile->setRecord(record_);
    }
    popScreen(this);
}

}  // namespace tovera
