#include "community/Profile.h"

#include <QBuffer>

#include "community/ProfileEdit.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/EmbeddedLists.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::ActionSheet;
using platform::ui::BarButtonItem;
using platform::ui::ImagePicker;
using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kScreenHeight = 416;
constexpr double kRow = 28;
constexpr const char* kPhotoApi = "headphoto";

struct Line {
    int section;
    const char* key;
    const char* format;
};
// The pages' lines, in the order shown.
constexpr Line kLines[] = {
    {1, "username", "用户名:%1"},
    {1, "realname", "真实姓名:%1"},
    {1, "gander", "性别:%1"},
    {1, "tel", "电话:%1"},
    {1, "email", "邮箱:%1"},
    {1, "point", "积分:%1"},
    {1, "qq", "QQ:%1"},
    {2, "date", "出生日期:%1"},
    {2, "e", "学历:%1"},
    {2, "b", "行业:%1"},
    {2, "p", "家庭人数:%1人"},
    {2, "p_i", "个人年收入:%1万元"},
    {2, "f_i", "家庭年收入:%1万元"},
    {2, "add", "通讯地址:%1"},
    {2, "city", "意向城市:%1"},
    {2, "size", "期望面积:%1平方米"},
    {2, "price", "期望单价:%1元"},
    {2, "flat", ""},
    {2, "classic", "物业类别:%1"},
};

const char* titleOf(int section) {
    switch (section) {
        case 2:
            return "置业信息";
        case 3:
            return "邻里会";
        default:
            return "个人资料";
    }
}

}  // namespace

Profile::Profile(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("个人资料"));
    param().setType("1");
}

Profile::~Profile() = default;

int Profile::section() {
    const int type = Value(param().type()).intValue();
    return type >= 1 && type <= 3 ? type : 1;
}

void Profile::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kScreenHeight));
    root->setBackgroundColor(NSUtil::listview_item());
    page_ = new ScrollView(root->bounds(), root);
    page_->setAutoresizingMask(View::FlexibleSize);
    const int shown = section();
    double top = 10;
    if (shown == 1) {
        photo_ = new NetButton(QRectF(10, 10, 80, 80), page_);
        photo_->setAccessibleName(QStringLiteral("头像"));
        QObject::connect(photo_, &platform::ui::Control::touchUpInside, this,
                         [this] { setPhoto(); });
    }
    for (const Line& line : kLines) {
        if (line.section != shown) continue;
        const bool beside = shown == 1 && top < 90;
        auto* label = new Label(
            QRectF(beside ? 100 : 10, top, beside ? kWidth - 110 : kWidth - 20, kRow - 4), page_);
        label->setFont(NSUtil::normalFont());
        label->setTextColor(NSUtil::black());
        labels_.emplace_back(line.key, label);
        top += kRow;
    }
    page_->setContentSize(QSizeF(kWidth, std::max(top + 10, kScreenHeight)));
    if (shown == 3) houseList_ = createHouseListView(root);
    setView(root);
}

void Profile::viewDidLoad() {
    QXViewController::viewDidLoad();
    const int shown = section();
    setTitle(QString::fromUtf8(titleOf(shown)));
    navigationItem()->setRightBarButtonItem(
        NavigationStyle::barButtonItem(shown == 3 ? QStringLiteral("添加") : QStringLiteral("修改"),
                                       BarButtonItem::Style::Bordered, [this] { editProfile(); }));
    reloadData();
}

// The bought-homes section: the purchase records list of the property
// screens, made here only, and given the records by showHouseList() only.
View* Profile::createHouseListView(View* parent) {
    const QRectF frame = parent->bounds();
    if (View* records = EmbeddedLists::build(EmbeddedList::PurchaseRecords, frame, parent)) {
        records->setAutoresizingMask(View::FlexibleSize);
        return records;
    }
    // Without the purchase records built in, the section stays an empty list.
    auto* list = new View(frame, parent);
    list->setBackgroundColor(Qt::white);
    list->setAutoresizingMask(View::FlexibleSize);
    Label* none = noItemView();
    none->setParent(list);
    none->setFrame(QRectF(0, 0, frame.width(), 44));
    none->show();
    return list;
}

void Profile::showHouseList(const Array& buyinfo) {
    if (auto* records = dynamic_cast<RecordsView*>(houseList_)) records->setDataArray(buyinfo);
}

Label* Profile::label(std::string_view key) const {
    for (const auto& [name, label] : labels_)
        if (name == key) return label;
    return nullptr;
}

void Profile::viewWillAppear(bool) {
    if (takeRefreshFlag())
        reloadData();
    else if (!record_.empty())
        fillPage();
}

void Profile::reloadData() {
    QXViewController::reloadData();
    if (param().rid() == "0") param().setRid(session().userId().value_or("0"));
    session().getUserInfo(param().param(), this);
}

void Profile::didLoad(const Value& reply, QXRequest* request) {
    // The upload is told apart by the request, never by the shape of the
    // reply: a record that happened to carry a "code" is still a record.
    if (request && request->params().getStringValueForKey("api", "") == kPhotoApi) {
        NSUtil::makeText(reply.getStringValueForKey("msg", "修改头像成功!")).show();
        reloadData();
        return;
    }
    const Dict* fields = reply.dict();
    if (!fields) return;
    record_.merge(*fields);
    record_.set("classic", record_["type"]);
    record_.set("type", std::to_string(section()));
    fillPage();
}

void Profile::setRecord(const Dict& record) {
    record_ = record;
    if (isViewLoaded()) fillPage();
}

QString Profile::flatText(const std::string& flat) {
    std::vector<std::string> parts = NSUtil::explode(flat, ",");
    if (parts.size() < 3) parts = {"0", "0", "0"};
    return QStringLiteral("户型:%1室%2厅%3卫")
        .arg(QString::fromStdString(parts[0]), QString::fromStdString(parts[1]),
             QString::fromStdString(parts[2]));
}

void Profile::fillPage() {
    const std::string completion = record_.getStringValueForKey("completion", "0");
    platform::preferences().setString(PrefKey::kCompletion, completion);
    const std::string photo = record_.getStringValueForKey("photo", "");
    if (photo_ && !photo.empty()) {
        photo_->setImgUrl(photo);
        photo_->load();
    }
    for (const Line& line : kLines) {
        Label* text = label(line.key);
        if (!text) continue;
        if (std::string_view(line.key) == "flat") {
            text->setText(flatText(record_.getStringValueForKey("flat", "0,0,0")));
            continue;
        }
        std::string value = record_.getStringValueForKey(
            line.key, line.key == std::string_view("point") ? "0" : "");
        // A class kept by an older editor as its row in the list.
        if (line.key == std::string_view("classic") && !value.empty() &&
            QString::fromStdString(value).size() < 2)
            value = NSUtil::config("classic")[Value(value).intValue()].toText();
        text->setText(QString::fromUtf8(line.format).arg(QString::fromStdString(value)));
    }
    if (const Value* buyinfo = record_.find("buyinfo"); buyinfo && buyinfo->isArray())
        showHouseList(buyinfo->items());
}

void Profile::editProfile() {
    auto* editor = new ProfileEdit;
    Dict record = record_;
    if (!record.contains("id")) record.set("id", session().userId().value_or("0"));
    editor->setRecord(record);
    editor->param().setType(std::to_string(section()));
    editor->setTitle(QStringLiteral("修改") + title());
    Navigator::push(this, editor);
}

// ---- Head photo ----------------------------------------------------------------

void Profile::setPhoto() {
    ActionSheet* sheet =
        ActionSheet::create(QStringLiteral("选择上传方式"), this, QStringLiteral("取消"), QString(),
                            {QStringLiteral("相机拍照"), QStringLiteral("本地图片")}, this);
    sheet->showInView(view());
}

void Profile::actionSheetClickedButtonAtIndex(ActionSheet*, int index) {
    if (index != 0 && index != 1) return;
    picker_ = std::make_unique<ImagePicker>();
    picker_->setSourceType(index == 0 ? ImagePicker::SourceType::Camera
                                      : ImagePicker::SourceType::SavedPhotosAlbum);
    picker_->setDelegate(this);
    picker_->present();
}

void Profile::imagePickerDidFinishPicking(ImagePicker*, const QImage& image) {
    if (!image.isNull()) upload(scaledForUpload(image));
}

QImage Profile::scaledForUpload(const QImage& image) {
    if (image.width() <= kPhotoSide && image.height() <= kPhotoSide) return image;
    return image.scaled(kPhotoSide, kPhotoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void Profile::upload(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return;
    Dict request{{"api", kPhotoApi},
                 {"id", param().rid()},
                 {"t", param().type()},
                 {"type", param().type()},
                 {"photo", Data{png.toStdString(), true}}};
    if (ActivityView* overlay = activityView()) overlay->show(this);
    session().userHeadphoto(request, this);
}

}  // namespace tovera
