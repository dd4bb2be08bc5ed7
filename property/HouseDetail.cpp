#include "property/HouseDetail.h"

#include <QTextDocument>
#include <QTextDocumentFragment>

#include "core/DSTovera.h"
#include "framework/ButtonsView.h"
#include "framework/CallSheet.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextView.h"
#include "property/DetailPages.h"
#include "property/Gallery.h"
#include "property/OldhousePreview.h"
#include "property/RentPreview.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::TabBarItem;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kTextSize = 15;

}  // namespace

HouseDetail::~HouseDetail() = default;

HouseDetail::HouseDetail(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("二手房详情"));
    param().setApi("oldhouse");
}

bool HouseDetail::rental() {
    return param().api() == "rent";
}

QWidget* HouseDetail::currentPage() const {
    return pages_ ? pages_->current() : nullptr;
}

std::string HouseDetail::listingId() {
    return detail_.getStringValueForKey("id", "0");
}

void HouseDetail::loadView() {
    const DetailPages::Layout layout = DetailPages::layout(
        {QStringLiteral("举报"), QStringLiteral("推荐"), QStringLiteral("电话")}, this);
    btnView_ = layout.buttons;
    contentView_ = layout.content;
    tabBar_ = layout.tabBar;
    setView(layout.root);
}

void HouseDetail::viewDidLoad() {
    QXViewController::viewDidLoad();
    // The kind is known by now: the opener sets it before the view is made.
    const QRectF area(QPointF(0, 0), contentView_->frame().size());
    preview_ =
        rental() ? static_cast<ListingPreview*>(new RentPreview(area)) : new OldhousePreview(area);
    preview_->setOwner(this);
    preview_->setHidden(true);
    view()->addSubview(preview_);
    pages_ = std::make_unique<DetailPages>(contentView_, preview_, this);
    NSUtil::createBtns({"概况", "详细", "图片"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
}

void HouseDetail::viewWillAppear(bool animated) {
    QXViewController::viewWillAppear(animated);
    selectButton();
    if (detail_.empty() && !loading_) reloadData();
}

void HouseDetail::reloadData() {
    QXViewController::reloadData();
    loading_ = true;
    session().getOldhouseDetail(param().param(), this);
}

void HouseDetail::requestDidLoad(QXRequest* request, const Value& reply) {
    loading_ = false;
    QXViewController::requestDidLoad(request, reply);
}

void HouseDetail::didLoad(const Value& reply, QXRequest*) {
    if (const Dict* record = reply.dict()) detail_.merge(*record);
    selectButton();
}

void HouseDetail::requestDidFailWithError(QXRequest* request, const Error& error) {
    loading_ = false;
    QXViewController::requestDidFailWithError(request, error);
}

void HouseDetail::selectButton() {
    if (Button* selected = NSUtil::getSelectedButton(btnView_)) btnPressed(selected);
}

void HouseDetail::btnPressed(Button* button) {
    btnsView(btnView_, button);
    switch (btnView_->subviews().indexOf(button)) {
        case kPreview:
            preview_->setInfo(detail_);
            pages_->show(preview_);
            break;
        case kDetail:
            pages_->show(textPage(descriptionText(detail_)), DetailPages::Fit::OwnHeight);
            break;
        case kPictures: {
            const Array* pictures = detail_["pictures"].array();
            if (!pictures || pictures->empty()) {
                pages_->show(textPage({}), DetailPages::Fit::OwnHeight);
                break;
            }
            auto* gallery = new Gallery;
            gallery->setIcons(*pictures);
            pages_->showScreen(gallery);
            break;
        }
        default:
            break;
    }
}

// The service writes descriptions with paragraph markup; the page shows
// their text, never markup and never anything the markup would load.
QString HouseDetail::descriptionText(const Dict& detail) {
    const QString markup = QString::fromStdString(detail.getStringValueForKey("detail", ""));
    if (!Qt::mightBeRichText(markup)) return markup.trimmed();
    QString text = QTextDocumentFragment::fromHtml(markup).toPlainText();
    // Pictures of the markup leave a stand-in character behind.
    text.remove(QChar::ObjectReplacementCharacter);
    return text.trimmed();
}

QWidget* HouseDetail::textPage(const QString& text) {
    auto* page = new platform::ui::TextView(QRectF(0, 0, kWidth, 0));
    page->setEditable(false);
    page->setFont(NSUtil::normalFont());
    QFont font = page->font();
    font.setPointSizeF(kTextSize);
    page->setFont(font);
    page->setTextColor(NSUtil::black());
    if (text.isEmpty()) {
        page->setTextAlignment(Qt::AlignHCenter);
        page->setText(QStringLiteral("暂无"));
    } else {
        page->setText(text);
    }
    // The page does not scroll by itself: it is as high as its text, and the
    // content area scrolls it.
    const double height = page->sizeThatFits(QSizeF(kWidth, 0)).height();
    page->setFrame(QRectF(0, 0, kWidth, std::max(height, contentView_->frame().height())));
    return page;
}

void HouseDetail::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (tabBar->indexOfItem(item)) {
        case kReport: {
            Route report = Route::toObject(Destination::Correction, listingId());
            report.param.setType("9");
            report.param.setPtype(rental() ? "4" : "3");
            report.title = QStringLiteral("举报");
            Navigator::open(this, report);
            break;
        }
        case kRecommend:
            if (session().checkLogin()) {
                Route recommend = Route::toObject(Destination::RecommendToFriends, listingId());
                recommend.param.setType(rental() ? "4" : "3");
                Navigator::open(this, recommend);
            }
            break;
        case kCall:
            offerCall(QString::fromStdString(detail_.getStringValueForKey("tel", "")),
                      view()->window());
            break;
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

}  // namespace tovera
