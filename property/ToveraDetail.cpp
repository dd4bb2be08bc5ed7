#include "property/ToveraDetail.h"

#include <QPointer>

#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/ButtonsView.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "property/DetailPages.h"
#include "property/HousePreview.h"
#include "property/HouseSupportView.h"
#include "property/IntroView.h"
#include "property/PhotoView.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::TabBarItem;
using platform::ui::View;
using platform::ui::ViewController;

namespace {

const char* const kFocusApi = "setfocus";

}  // namespace

ToveraDetail::ToveraDetail(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("新房详情"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("关注"), BarButtonItem::Style::Plain, [this] { setFoucus(); }));
}

ToveraDetail::~ToveraDetail() = default;

QWidget* ToveraDetail::currentPage() const {
    return pages_ ? pages_->current() : nullptr;
}

ViewController* ToveraDetail::pageScreen() const {
    return pages_ ? pages_->screen() : nullptr;
}

int ToveraDetail::hid() {
    return Value(param().rid()).intValue();
}

void ToveraDetail::setHid(int hid) {
    param().setRid(std::to_string(hid));
}

std::string ToveraDetail::projectId() {
    return detail_.getStringValueForKey("id", param().rid());
}

void ToveraDetail::loadView() {
    const DetailPages::Layout layout =
        DetailPages::layout({QStringLiteral("评论"), QStringLiteral("纠错"), QStringLiteral("提问"),
                             QStringLiteral("推荐"), QStringLiteral("电话")},
                            this);
    btnView_ = layout.buttons;
    contentView_ = layout.content;
    tabBar_ = layout.tabBar;
    setView(layout.root);
}

void ToveraDetail::viewDidLoad() {
    QXViewController::viewDidLoad();
    hf_ = new HousePreview(QRectF(QPointF(0, 0), contentView_->frame().size()));
    hf_->setOwner(this);
    hf_->setHidden(true);
    view()->addSubview(hf_);
    pages_ = std::make_unique<DetailPages>(contentView_, hf_, this);
    NSUtil::createBtns({"概况", "简介", "交通", "相册", "咨询", "资讯", "评论"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    selectButton();
    reloadData();
    getSellList();
}

void ToveraDetail::selectButton() {
    Button* selected = nullptr;
    for (QWidget* child : btnView_->subviews())
        if (auto* button = qobject_cast<Button*>(child); button && button->isSelected())
            selected = button;
    if (!selected) selected = qobject_cast<Button*>(btnView_->subviews().value(kPreview));
    if (selected) btnPressed(selected);
}

void ToveraDetail::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const int page = static_cast<int>(btnView_->subviews().indexOf(button));
    const QRectF area(QPointF(0, 0), contentView_->frame().size());
    switch (page) {
        case kPreview:
            hf_->setDetail(detail_);
            hf_->setSellList(dataArray_);
            hf_->setPhotoDelegate(this);
            pages_->show(hf_);
            break;
        case kIntro:
        case kSupport: {
            ProjectWebPage* web = page == kIntro ? static_cast<ProjectWebPage*>(new IntroView(area))
                                                 : new HouseSupportView(area);
            web->param().setRid(projectId());
            web->setBackgroundColor(Qt::transparent);
            pages_->show(web);
            web->reloadData();
            break;
        }
        case kGallery:
            pages_->showScreen(
                Navigator::build(Route::toObject(Destination::ProjectGallery, projectId())));
            break;
        case kAsk: {
            Route questions{Destination::ProjectQuestions};
            questions.param.setHid(projectId());
            questions.param.setApi("tovera");
            pages_->showScreen(Navigator::build(questions));
            break;
        }
        case kNews: {
            Route news{Destination::ProjectNews};
            news.param.setHid(projectId());
            pages_->showScreen(Navigator::build(news));
            break;
        }
        case kComment: {
            auto* comments = new CommentList;
            comments->param().setRid(projectId());
            comments->param().setType("2");
            pages_->showScreen(comments);
            break;
        }
        default:
            break;
    }
}

void ToveraDetail::reloadData() {
    QXViewController::reloadData();
    session().getHouseDetail(param().param(), this);
}

void ToveraDetail::getSellList() {
    QXParam sell;
    sell.setRid(param().rid());
    sell.setSize("1");
    session().getHouseSellList(sell.param(), this);
}

void ToveraDetail::didLoad(const Value& reply, QXRequest* request) {
    const Dict* record = reply.dict();
    if (!record) return;
    if (request && request->params().getStringValueForKey("api", "") == kFocusApi) {
        // The project is now in the state the request asked for; toggling
        // what is shown would go wrong when the detail's own reply, read
        // after the follow, already carries the new state.
        detail_.set("focused", request->params().getStringValueForKey("operate", "0"));
        setFocusButton();
        markFollowedListsForRefresh();
        return;
    }
    if (const Value* news = record->find("result")) {
        // The latest news replaces what was shown: a retry after a failure
        // asks for it again.
        dataArray_ = news->array() ? *news->array() : Array{};
    } else {
        detail_.merge(*record);
    }
    setFocusButton();
    selectButton();
}

void ToveraDetail::setFocusButton() {
    if (BarButtonItem* button = navigationItem()->rightBarButtonItem())
        button->setTitle(detail_.getIntValueForKey("focused", 0) > 0 ? QStringLiteral("取消关注")
                                                                     : QStringLiteral("关注"));
}

void ToveraDetail::setFoucus() {
    // The follow request has a dictionary of its own, so that its "api"
    // and "operate" never reach the detail's requests.
    QXParam focus;
    focus.setRid(projectId());
    focus.setType("1");
    focus.setOperate(std::to_string(1 - detail_.getIntValueForKey("focused", 0)));
    focus.setApi(kFocusApi);
    session().userFocus(focus.param(), this);
}

void ToveraDetail::markFollowedListsForRefresh() {
    platform::ui::NavigationController* nav = navigationController();
    if (!nav) return;
    for (ViewController* screen : nav->viewControllers()) {
        if (screen == this) break;
        // The lists of what the user follows are the ones that carry the
        // user's id.
        auto* list = qobject_cast<QXViewController*>(screen);
        if (list && list->param().param().contains("uid")) list->param().setString("1", "refresh");
    }
}

void ToveraDetail::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    if (takeRefreshFlag()) selectButton();
}

void ToveraDetail::requestDidFailWithError(QXRequest*, const Error& error) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    showFailure(error);
}

void ToveraDetail::showFailure(const Error& error) {
    if (errAlertShowing_ || ReplyDispatch::inLeftScreen(isViewLoaded() ? view() : nullptr) ||
        ReplyDispatch::showClientError(error))
        return;
    errAlertShowing_ = true;
    QPointer<ToveraDetail> self(this);
    platform::Alert alert{"提示", "加载失败，请重试!", {"确定", "返回"}, 0, {}};
    alert.onButton = [self](int index) {
        if (!self) return;
        self->errAlertShowing_ = false;
        if (index == 0) {
            self->selectButton();
            self->reloadData();
            self->getSellList();
        } else if (platform::ui::NavigationController* nav = self->navigationController()) {
            if (nav->topViewController() == self) nav->popViewControllerAnimated(true);
        }
    };
    platform::showAlert(std::move(alert));
}

void ToveraDetail::qxView(View* view, Button*) {
    if (!hf_ || view != hf_->photoView()) return;
    platform::ui::Window* window = platform::ui::Window::keyWindow();
    const Array* photos = detail_["photos"].array();
    if (!window || !photos || photos->empty()) return;
    std::vector<std::string> pictures;
    std::vector<std::string> titles;
    for (const Value& photo : *photos) {
        const Dict* record = photo.dict();
        pictures.push_back(record ? record->getStringValueForKey("picbig_url", "") : "");
        titles.push_back(record ? record->getStringValueForKey("title", "") : "");
    }
    ImageViewShow* viewer = ImageViewShow::inWindow(window);
    viewer->setPicsArray(std::move(pictures));
    viewer->setNameArray(std::move(titles));
    viewer->setIdx(hf_->photoView()->index());
    viewer->setHidden(false);
}

void ToveraDetail::openForProject(Destination to, const char* type, const char* ptype) {
    Route route = Route::toObject(to, projectId());
    route.param.setType(type);
    if (ptype) route.param.setPtype(ptype);
    Navigator::open(this, route);
}

void ToveraDetail::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (tabBar->indexOfItem(item)) {
        case kWriteComment: {
            auto* form = new CommentForm;
            form->param().setRid(projectId());
            form->param().setType("8");
            form->param().setPtype("2");
            Navigator::push(this, form);
            break;
        }
        case kCorrection:
            openForProject(Destination::Correction, "9", "2");
            break;
        case kAskQuestion:
            openForProject(Destination::AskForm, "7", "2");
            break;
        case kRecommend:
            if (session().checkLogin()) openForProject(Destination::RecommendToFriends, "2", {});
            break;
        case kCall:
            hf_->btnCall();
            break;
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

}  // namespace tovera
