#include "ask/AskForm.h"

#include <QBuffer>

#include "ask/AskDetail.h"
#include "comments/PostReply.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/OperationQueue.h"
#include "framework/PhotoPreview.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/MainQueue.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kLeft = 10;
constexpr double kFieldWidth = kWidth - 2 * kLeft;
constexpr double kGap = 5;
constexpr double kLabelHeight = 21;
constexpr double kFieldHeight = 31;
constexpr double kBodyHeight = 100;
constexpr double kPhotoButtonHeight = 36;
constexpr double kPreviewHeight = 200;
const char* const kCityApi = "citylist";

QString preference(std::string_view key) {
    return QString::fromStdString(platform::preferences().string(key).value_or(""));
}

Label* rowLabel(QWidget* parent) {
    auto* label = new Label(QRectF(0, 0, kFieldWidth, kLabelHeight), parent);
    label->setFont(NSUtil::normalFont());
    label->setTextColor(NSUtil::black());
    return label;
}

Button* rowButton(const QString& title, QWidget* parent) {
    auto* button = Button::withType(Button::Type::RoundedRect, parent);
    button->setTitle(title);
    button->setFont(NSUtil::normalFont());
    return button;
}

// A city list element as a picker row: its "name", else its "city"; a plain
// text element as it is.
QString cityTitle(const Value& element) {
    if (element.isString()) return QString::fromStdString(*element.string());
    const std::string name = element.getStringValueForKey("name", "");
    return QString::fromStdString(name.empty() ? element.getStringValueForKey("city", "") : name);
}

std::string pngBytes(const platform::ui::Image& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.toImage().save(&buffer, "PNG");
    return bytes.toStdString();
}

}  // namespace

AskForm::Kind AskForm::kind(int type) {
    switch (type) {
        case 1:
            return {"主题", "直播消息", "现场图片", Layout::Content, 2, 200};
        case 2:
            return {"标题", "内容", "图片", Layout::Content, 2, 0};
        case 3:
            return {"主题", "回答内容", "图片", Layout::Content, 2, 0};
        case 4:
            return {"主题", "转载内容", "图片", Layout::All, 2, 0};
        case 5:
            return {"直播主题", "内容", "现场图片", Layout::Live, 1, 200};
        case 6:
            return {"主题", "话题内容", "图片", Layout::Content, 1, 0};
        case 8:
            return {"主题", "回复内容", "图片", Layout::Content, 2, 0};
        default:
            return {"咨询主题", "咨询内容", "图片", Layout::All, 2, 0};
    }
}

AskForm::AskForm(QObject* parent)
    : QXViewController(true, parent), scaler_(std::make_unique<OperationQueue>(1)) {
    setTitle(QStringLiteral("发表咨询"));
    param().setType("7");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("提交"), platform::ui::BarButtonItem::Style::Bordered,
        [this] { postContent(); }));
}

AskForm::~AskForm() = default;

int AskForm::type() {
    const std::string t = param().type();
    return t.empty() ? 7 : Value(t).intValue();
}

void AskForm::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    scrollView_ = new platform::ui::ScrollView(QRectF(0, 0, kWidth, kHeight), root);
    scrollView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    titleLbl_ = rowLabel(scrollView_);
    titleField_ = new platform::ui::TextField(QRectF(0, 0, kFieldWidth, kFieldHeight), scrollView_);
    titleField_->setBorderStyle(platform::ui::TextField::BorderStyle::RoundedRect);
    titleField_->setFont(NSUtil::normalFont());
    titleField_->setDelegate(this);
    cityLbl_ = rowLabel(scrollView_);
    cityLbl_->setText(QStringLiteral("城市"));
    cityBtn_ = rowButton({}, scrollView_);
    connect(cityBtn_, &platform::ui::Control::touchUpInside, this, [this] { chooseCity(); });
    contentLbl_ = rowLabel(scrollView_);
    contentText_ = new platform::ui::TextView(QRectF(0, 0, kFieldWidth, kBodyHeight), scrollView_);
    contentText_->setFont(NSUtil::normalFont());
    NavigationStyle::frameTextView(contentText_);
    contentText_->setDelegate(this);
    // Enter in the title goes on to the text, or posts when the form has none.
    platform::ui::TextField::chainReturns({titleField_}, [this] {
        if (contentText_->isHidden())
            postContent();
        else
            contentText_->becomeFirstResponder();
    });
    contentText_->setSubmitOnReturn([this] { postContent(); });
    picLbl_ = rowLabel(scrollView_);
    photoBtn_ = rowButton(QStringLiteral("添加图片"), scrollView_);
    connect(photoBtn_, &platform::ui::Control::touchUpInside, this, [this] { getPhoto(); });
    setView(root);
}

void AskForm::viewDidLoad() {
    QXViewController::viewDidLoad();
    view()->setBackgroundColor(NSUtil::listview_item());
    pkArray_.clear();
    // While the keyboard shows, the form ends above it and the picker
    // makes way.
    new platform::ui::KeyboardRoom(scrollView_);
    connect(&platform::ui::Keyboard::shared(), &platform::ui::Keyboard::willShow, this,
            [this] { hidePicker(); });
    preView_ = new PhotoPreview(QRectF(kLeft, 0, kFieldWidth, kPreviewHeight));
    preView_->setMax(2);
    scrollView_->addSubview(preView_);
    scrollView_->setContentSize(scrollView_->frame().size());
    bindLblName(lableName());
}

void AskForm::viewDidDisappear(bool animated) {
    QXViewController::viewDidDisappear(animated);
    if (pkView_) pkView_->setHidden(true);
}

Dict AskForm::lableName() {
    const Kind k = kind(type());
    if (preView_) preView_->setMax(k.maxPhotos);
    return Dict{{"subject", k.subject}, {"content", k.content}, {"photo", k.photo}};
}

void AskForm::bindLblName(const Dict& labels) {
    titleLbl_->setText(QString::fromStdString(labels.getStringValueForKey("subject", "主题")));
    contentLbl_->setText(QString::fromStdString(labels.getStringValueForKey("content", "内容")));
    picLbl_->setText(QString::fromStdString(labels.getStringValueForKey("photo", "图片")));
    cityBtn_->setTitle(preference(PrefKey::kCity));
    cityBtn_->setTag(Value(preference(PrefKey::kCityId).toStdString()).intValue());
    // Without a city of the user's own the session's city stands; its name
    // comes with the city list.
    if (cityBtn_->tag() <= 0) cityBtn_->setTag(Value(session().cityId().value_or("0")).intValue());
    switch (kind(type()).layout) {
        case Layout::Live:
            showLive();
            break;
        case Layout::Content:
            showContent();
            break;
        case Layout::Subject:
            showSubject();
            break;
        case Layout::All:
            showAll();
            break;
    }
}

void AskForm::showAll() {
    stackRows(true, false, true);
}

void AskForm::showContent() {
    stackRows(false, false, true);
}

void AskForm::showSubject() {
    stackRows(true, false, false);
}

void AskForm::showLive() {
    stackRows(true, true, false);
    // The city list goes in a dictionary of its own, so that its "api"
    // never rides on the post.
    QXParam cities;
    cities.setApi(kCityApi);
    session().getSystemCitylist(cities.param(), this);
}

void AskForm::stackRows(bool subject, bool city, bool body) {
    double y = kGap;
    auto place = [&y](platform::ui::View* row, double height, double width = kFieldWidth) {
        row->setFrame(QRectF(kLeft, y, width, height));
        y += height;
    };
    auto show = [](bool shown, std::initializer_list<platform::ui::View*> rows) {
        for (platform::ui::View* row : rows)
            row->setHidden(!shown);
        return shown;
    };
    if (show(subject, {titleLbl_, titleField_})) {
        place(titleLbl_, kLabelHeight);
        place(titleField_, kFieldHeight);
        y += kGap;
    }
    if (show(city, {cityLbl_, cityBtn_})) {
        place(cityLbl_, kLabelHeight);
        place(cityBtn_, kFieldHeight, 140);
        y += kGap;
    }
    if (show(body, {contentLbl_, contentText_})) {
        place(contentLbl_, kLabelHeight);
        place(contentText_, kBodyHeight);
        y += kGap;
    }
    place(picLbl_, kLabelHeight);
    place(photoBtn_, kPhotoButtonHeight, 100);
    preView_->setFrame(QRectF(kLeft, y + kGap, kFieldWidth, kPreviewHeight));
    scrollView_->setContentSize(
        QSizeF(kWidth, std::max(scrollView_->frame().height(), preView_->frame().bottom() + kGap)));
}

bool AskForm::acceptsEdit(const QString& edited, int length, const QString& replacement) {
    const int limit = kind(type()).lengthLimit;
    if (limit <= 0) return true;
    // `edited` is the text with the edit made (typed or pasted): the text
    // before it had `length` characters where `replacement` stands now.
    const qsizetype before = edited.size() - replacement.size() + length;
    // A text already past the limit may still shrink or be corrected.
    return edited.size() <= limit || edited.size() <= before;
}

// A field is asked with the text before the edit: the edit is applied here.
bool AskForm::shouldChangeCharactersInRange(platform::ui::TextField* field, int location,
                                            int length, const QString& replacement) {
    QString edited = field->text();
    edited.replace(location, length, replacement);
    return acceptsEdit(edited, length, replacement);
}

bool AskForm::shouldChangeTextInRange(platform::ui::TextView* textView, int, int length,
                                      const QString& replacement) {
    return acceptsEdit(textView->text(), length, replacement);
}

// ---- Photos ---------------------------------------------------------------

void AskForm::getPhoto() {
    platform::ui::Keyboard::shared().dismiss();
    auto* sheet = platform::ui::ActionSheet::create(
        QStringLiteral("选择上传方式"), nullptr, QStringLiteral("取消"), {},
        {QStringLiteral("相机拍照"), QStringLiteral("本地图片")});
    QPointer<AskForm> self(this);
    sheet->setOnButton([self](int index) {
        if (self && (index == 0 || index == 1)) self->setPhoto(index);
    });
    sheet->showInView(view());
}

void AskForm::setPhoto(int source) {
    if (!picker_) {
        picker_ = new platform::ui::ImagePicker(this);
        picker_->setDelegate(this);
    }
    using Source = platform::ui::ImagePicker::SourceType;
    picker_->setSourceType(source == 0 ? Source::Camera : Source::PhotoLibrary);
    QRectF preview = preView_->frame();
    preview.moveTop(photoBtn_->frame().bottom() + kGap);
    preView_->setFrame(preview);
    picker_->present();
}

void AskForm::imagePickerDidFinishPicking(platform::ui::ImagePicker* picker, const QImage& image) {
    picker->dismiss();
    if (!image.isNull()) useImage(image);
}

void AskForm::imagePickerDidCancel(platform::ui::ImagePicker* picker) {
    // Nothing chosen, nothing added.
    picker->dismiss();
}

void AskForm::useImage(const QImage& image) {
    ++scaling_;
    QPointer<AskForm> self(this);
    scaler_->addOperation([self, image] {
        QImage scaled =
            NSUtil::imageByScalingAndCroppingForSize(image, QSizeF(kPhotoSide, kPhotoSide));
        platform::mainQueue().post([self, scaled = std::move(scaled)] {
            if (!self) return;
            --self->scaling_;
            if (scaled.isNull()) return;
            self->preView_->addImage(platform::ui::Image(scaled));
        });
    });
}

// ---- City -----------------------------------------------------------------

JVPickView* AskForm::pkView() {
    if (!pkView_) pkView_ = JVPickView::hiddenIn(view(), this);
    return pkView_;
}

void AskForm::chooseCity() {
    platform::ui::Keyboard::shared().dismiss();
    QStringList titles;
    int chosen = -1;
    for (const Value& element : pkArray_) {
        if (Value(element.getStringValueForKey("cityid", "")).intValue() == cityBtn_->tag() &&
            chosen < 0)
            chosen = int(titles.size());
        titles << cityTitle(element);
    }
    JVPickView* panel = pkView();
    panel->showUnder(scrollView_, titles);
    if (chosen >= 0) panel->pickerView()->selectRow(chosen, 0, true);
}

void AskForm::hidePicker() {
    if (pkView_) pkView_->hideUnder(scrollView_);
}

void AskForm::qxView(platform::ui::View*, Button* button) {
    hidePicker();
    if (!button || button->tag() != JVPickView::kConfirmTag || !pkView_) return;
    // Before the list arrived (or when it is empty) there is nothing to take.
    const int row = pkView_->selectedRow();
    if (row < 0 || row >= int(pkArray_.size())) return;
    const Value& element = pkArray_[std::size_t(row)];
    const std::string city = preference(PrefKey::kCity).toStdString();
    const std::string cityId = preference(PrefKey::kCityId).toStdString();
    cityBtn_->setTag(Value(element.getStringValueForKey("cityid", cityId)).intValue());
    cityBtn_->setTitle(QString::fromStdString(element.getStringValueForKey("city", city)));
}

// ---- Posting --------------------------------------------------------------

void AskForm::postContent() {
    QString message;
    if (type() == 5 && preView_->images().isEmpty()) message = QStringLiteral("您还没有选择图片");
    if (!titleField_->isHidden() && titleField_->text().trimmed().isEmpty())
        message = QStringLiteral("%1不能为空!").arg(titleLbl_->text());
    if (!contentText_->isHidden() && contentText_->text().trimmed().isEmpty())
        message = QStringLiteral("%1不能为空!").arg(contentLbl_->text());
    if (!message.isEmpty()) {
        NSUtil::makeText(message.toStdString()).show();
        return;
    }
    Dict post = postParams();
    QXViewController::reloadData();
    session().userMessagePost(post, this);
}

Dict AskForm::postParams() {
    Dict post = param().param();
    post.set("title", titleField_->text().toStdString());
    post.set("text", contentText_->text().toStdString());
    post.set("cityid", std::to_string(cityBtn_->tag()));
    const QList<platform::ui::Image>& photos = preView_->images();
    for (int i = 0; i < photos.size(); ++i)
        post.set("pic" + std::to_string(i + 1), Data{pngBytes(photos[i]), true});
    return post;
}

void AskForm::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == kCityApi) {
        pkArray_ = reply["result"].items();
        if (cityBtn_->currentTitle().isEmpty()) {
            for (const Value& element : pkArray_)
                if (Value(element.getStringValueForKey("cityid", "")).intValue() == cityBtn_->tag())
                    cityBtn_->setTitle(cityTitle(element));
        }
        if (pkView_ && !pkView_->isHidden()) chooseCity();
        return;
    }
    const int t = type();
    if (t == 5 || t == 7) {
        const std::string id = reply.getStringValueForKey("id", "");
        if (id.empty()) {
            // Without the new object's id there is nothing to open: the post
            // is not known to have worked, and the form stays as it was.
            platform::showAlert({"出错了", "发布失败，请稍后再试", {"确定"}, 0, {}});
            return;
        }
        NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
        openPosted(id);
        return;
    }
    NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
    PostReply::refreshBeneath(*this);
    platform::ui::NavigationController* nav = navigationController();
    if (nav && nav->topViewController() == this) nav->popViewControllerAnimated(true);
}

void AskForm::openPosted(const std::string& id) {
    platform::ui::NavigationController* nav = navigationController();
    if (!nav) return;
    QList<platform::ui::ViewController*> stack = nav->viewControllers();
    if (stack.size() > 1) stack.removeLast();
    if (auto* list = qobject_cast<QXViewController*>(stack.last()))
        list->param().setString("YES", "refresh");
    platform::ui::ViewController* posted = nullptr;
    if (type() == 5) {
        posted = Navigator::build(Route::toObject(Destination::LiveRoom, id));
    } else {
        auto* detail = new AskDetail;
        detail->param().setRid(id);
        posted = detail;
    }
    if (posted) stack.append(posted);
    nav->setViewControllers(stack, true);
}

void AskForm::requestDidFailWithError(QXRequest*, const Error& error) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    // The form stays with what was written: a failure alert here closes
    // nothing.
    if (!ReplyDispatch::showClientError(error)) RootScreenServices::shared().errAlert(nullptr);
}

}  // namespace tovera
