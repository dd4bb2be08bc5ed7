#include "property/ListingPreview.h"

#include <algorithm>

#include "framework/CallSheet.h"
#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 10;
constexpr double kRow = 22;
constexpr double kCaptionWidth = 40;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

ListingPreview::ListingPreview(const char* priceFormat, const char* sizeFormat,
                               std::vector<Line> ownLines, const QRectF& frame, QWidget* parent)
    : ScrollView(frame, parent) {
    layout_ = {{"楼盘名称:\t%1", "name"},  {priceFormat, "price"}, {"区域:\t%1", "area"},
               {"商圈:\t%1", "community"}, {"户型:\t%1", "unit"},  {sizeFormat, "size"}};
    layout_.insert(layout_.end(), ownLines.begin(), ownLines.end());
    layout_.insert(layout_.end(), {{"房源有效期:\t%1天", "effect"},
                                   {"楼层:\t%1层", "floor"},
                                   {"朝向:\t%1", "face"},
                                   {"物业类型:\t%1", "type"},
                                   {"装修:\t%1", "fitment"},
                                   {"建筑年代:\t%1", "years"},
                                   {"看房时间:\t%1", "lookhouse"},
                                   {"%1", "room"},
                                   {"%1", "support"},
                                   {"%1", "traffic"},
                                   {"联系人:\t%1", "person"},
                                   {"发布时间:\t%1", "update_at"}});
    setBackgroundColor(Qt::white);
    titleLbl_ = addLabel(NSUtil::bigFont(), NSUtil::black());
    for (const Line& line : layout_) {
        Label* label = addLabel(NSUtil::smallFont(), NSUtil::black());
        if (std::string_view(line.key) == "price") label->setTextColor(NSUtil::redcolor());
        lineLbls_.push_back(label);
    }
    addressCaption_ = addLabel(NSUtil::smallFont(), Qt::gray);
    addressCaption_->setText(QStringLiteral("地址:"));
    addressBtn_ = addButton(NSUtil::black());
    connect(addressBtn_, &platform::ui::Control::touchUpInside, this, [this] { getLocation(); });
    telCaption_ = addLabel(NSUtil::smallFont(), Qt::gray);
    telCaption_->setText(QStringLiteral("电话:"));
    telBtn_ = addButton(NSUtil::bluecolor());
    connect(telBtn_, &platform::ui::Control::touchUpInside, this, [this] { btnCall(); });
    setInfo({});
}

Label* ListingPreview::addLabel(const QFont& font, const QColor& color) {
    auto* label = new Label(QRectF(kMargin, 0, kWidth - 2 * kMargin, kRow));
    label->setFont(font);
    label->setTextColor(color);
    label->setNumberOfLines(0);
    label->setLineBreakMode(Label::LineBreak::WordWrap);
    addSubview(label);
    return label;
}

Button* ListingPreview::addButton(const QColor& color) {
    Button* button = HousePreview::linkButton(
        QRectF(kMargin + kCaptionWidth, 0, kWidth - 2 * kMargin - kCaptionWidth, kRow), color);
    addSubview(button);
    return button;
}

void ListingPreview::setInfo(const Dict& info) {
    titleLbl_->setText(text(info, "title"));
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        const Line& line = layout_[i];
        const bool negotiable =
            std::string_view(line.key) == "price" && info.getIntValueForKey("price", 0) <= 0;
        lineLbls_[i]->setText(negotiable
                                  ? QStringLiteral("价格:面议")
                                  : QString::fromUtf8(line.format).arg(text(info, line.key)));
    }
    addressBtn_->setTitle(text(info, "address"));
    telBtn_->setTitle(text(info, "tel"));
    pin_ = HousePreview::pinOf(info);
    addressBtn_->setEnabled(pin_.has_value());
    addressBtn_->setTitleColor(pin_ ? NSUtil::click() : NSUtil::black());
    layoutLines();
}

void ListingPreview::layoutLines() {
    double y = 6;
    auto place = [&y](Label* label, double gap) {
        QRectF frame = label->frame();
        frame.moveTop(y);
        frame.setHeight(std::max(kRow, label->sizeThatFits(QSizeF(frame.width(), 0)).height()));
        label->setFrame(frame);
        y = frame.bottom() + gap;
    };
    place(titleLbl_, 4);
    for (Label* label : lineLbls_)
        place(label, 0);
    for (auto [caption, button] :
         {std::pair{addressCaption_, addressBtn_}, {telCaption_, telBtn_}}) {
        caption->setFrame(QRectF(kMargin, y, kCaptionWidth, kRow));
        QRectF frame = button->frame();
        frame.moveTop(y);
        button->setFrame(frame);
        y += kRow;
    }
    setContentSize(QSizeF(kWidth, y + 8));
}

QStringList ListingPreview::lines() const {
    QStringList out{titleLbl_->text()};
    for (Label* label : lineLbls_)
        out << label->text();
    return out;
}

Label* ListingPreview::lineFor(std::string_view key) const {
    for (std::size_t i = 0; i < layout_.size(); ++i)
        if (key == layout_[i].key) return lineLbls_[i];
    return nullptr;
}

void ListingPreview::getLocation() {
    if (pin_) HousePreview::openMap(owner_, *pin_);
}

void ListingPreview::btnCall() {
    offerCall(telBtn_->titleForState(Button::Normal), window());
}

}  // namespace tovera
