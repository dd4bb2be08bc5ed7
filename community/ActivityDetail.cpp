#include "community/ActivityDetail.h"

#include <algorithm>

#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "community/ApplyActivity.h"
#include "core/DSTovera.h"
#include "framework/CallSheet.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/AppHome.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Label;
using platform::ui::TabBarItem;
using platform::ui::View;
using platform::ui::WebView;

namespace {

constexpr double kWidth = 320;
constexpr double kTabBarHeight = 49;
constexpr double kMargin = 10;
constexpr double kLineHeight = 20;

QString text(const Dict& info, std::string_view key, std::string_view fallback = "") {
    return QString::fromStdString(info.getStringValueForKey(key, fallback));
}

Label* infoLabel(double top, View* parent) {
    auto* label = new Label(QRectF(kMargin, top, kWidth - 2 * kMargin, kLineHeight));
    label->setFont(NSUtil::smallFont());
    label->setTextColor(NSUtil::secondcolor());
    parent->addSubview(label);
    return label;
}

}  // namespace

ActivityDetail::ActivityDetail(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("活动详情"));
    param().setApi("activitydetail");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("评论"), BarButtonItem::Style::Bordered, [this] { commentList(); }));
}

void ActivityDetail::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, 416));
    root->setBackgroundColor(Qt::white);
    tabBar_ = new platform::ui::TabBar(
        QRectF(0, root->frame().height() - kTabBarHeight, kWidth, kTabBarHeight));
    tabBar_->setItems({new TabBarItem(QStringLiteral("评论"), {}, kComment, this),
                       new TabBarItem(QStringLiteral("我要报名"), {}, kApply, this),
                       new TabBarItem(QStringLiteral("电话咨询"), {}, kCall, this)});
    tabBar_->setDelegate(this);
    root->addSubview(tabBar_);

    scrollView_ = new platform::ui::ScrollView(QRectF(0, 0, kWidth, tabBar_->frame().top()));
    scrollView_->setBackgroundColor(Qt::white);
    root->addSubview(scrollView_);

    nameLbl_ = new Label(QRectF(kMargin, 8, kWidth - 2 * kMargin, 44));
    nameLbl_->setNumberOfLines(0);
    nameLbl_->setFont(NSUtil::bigFont());
    nameLbl_->setTextColor(NSUtil::black());
    scrollView_->addSubview(nameLbl_);
    cityLbl_ = infoLabel(nameLbl_->frame().bottom(), scrollView_);
    dateLbl_ = infoLabel(cityLbl_->frame().bottom(), scrollView_);
    joinsLbl_ = infoLabel(dateLbl_->frame().bottom(), scrollView_);
    joinsLbl_->setTextColor(NSUtil::redcolor());
    telLbl_ = infoLabel(joinsLbl_->frame().bottom(), scrollView_);

    infoWeb_ = new WebView(QRectF(0, telLbl_->frame().bottom() + 4, kWidth, 100));
    infoWeb_->setScrollEnabled(false);
    scrollView_->addSubview(infoWeb_);

    commentList_ = new CommentTableView(QRectF(0, infoWeb_->frame().bottom(), kWidth, 100));
    scrollView_->addSubview(commentList_);
    setView(root);
}

void ActivityDetail::viewDidLoad() {
    QXViewController::viewDidLoad();
    tabbarItems_ = tabBar_->items();
    tabBar_->setItems({});
    infoWeb_->setBackgroundColor(Qt::transparent);
    infoWeb_->setOpaque(false);
    infoWeb_->setDelegate(this);
    commentList_->setDelegate(this);
}

void ActivityDetail::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    const bool flagged = takeRefreshFlag();
    if (detail_.empty() || flagged) reloadData();
}

void ActivityDetail::reloadData() {
    QXViewController::reloadData();
    detail_ = Dict();
    session().getActivityDetail(param().param(), this);
}

void ActivityDetail::didLoad(const Value& reply, QXRequest*) {
    if (const Dict* record = reply.dict()) detail_.merge(*record);
    updateView();
}

void ActivityDetail::updateView() {
    nameLbl_->setText(text(detail_, "name"));
    QRectF name = nameLbl_->frame();
    name.setHeight(std::max(44.0, nameLbl_->sizeThatFits(QSizeF(name.width(), 0)).height()));
    nameLbl_->setFrame(name);
    cityLbl_->setText(QStringLiteral("活动城市:%1").arg(text(detail_, "city")));
    dateLbl_->setText(QStringLiteral("报名截止:%1").arg(text(detail_, "date")));
    joinsLbl_->setText(QStringLiteral("当前报名:%1人").arg(text(detail_, "joins", "0")));
    const QString tel = text(detail_, "tel");
    telLbl_->setText(QStringLiteral("咨询电话:%1").arg(tel));
    telLbl_->setHidden(tel.isEmpty());
    double top = name.bottom();
    for (Label* label : {cityLbl_, dateLbl_, joinsLbl_, telLbl_}) {
        if (label->isHidden()) continue;
        QRectF frame = label->frame();
        frame.moveTop(top);
        label->setFrame(frame);
        top = frame.bottom();
    }
    QRectF web = infoWeb_->frame();
    web.moveTop(top + 4);
    infoWeb_->setFrame(web);

    const QString html = text(detail_, "text");
    // The description is the service's text: it may show the shipped
    // pictures of the resource folder (the web view keeps it inside that
    // folder), nothing else on this machine.
    infoWeb_->loadHTMLString(
        html.isEmpty() ? QStringLiteral("暂无介绍") : html,
        QUrl::fromLocalFile(QString::fromStdString(platform::resourceDirectory() + "/")));

    // The items keep their order; sign-up only while it is open (a missing
    // "isend" counts as closed), the call only with a number.
    QList<TabBarItem*> shown{tabbarItems_.value(kComment)};
    if (detail_.getIntValueForKey("isend", 1) != 1) shown << tabbarItems_.value(kApply);
    if (!tel.isEmpty()) shown << tabbarItems_.value(kCall);
    tabBar_->setItems(shown);
}

void ActivityDetail::fitSize() {
    if (BarButtonItem* button = navigationItem()->rightBarButtonItem())
        button->setTitle(QStringLiteral("评论(%1)").arg(commentList_->tableView()->tag()));
    QRectF comments = commentList_->frame();
    comments.moveTop(infoWeb_->frame().bottom());
    comments.setHeight(commentList_->tableView()->contentSize().height() +
                       commentList_->tableView()->frame().top());
    commentList_->setFrame(comments);
    scrollView_->setContentSize(QSizeF(kWidth, comments.bottom()));
}

void ActivityDetail::getComments() {
    commentList_->param().setRid(activityId());
    commentList_->param().setType("3");
    commentList_->param().setSize("3");
    commentList_->reloadData();
}

bool ActivityDetail::shouldStartLoadWithRequest(WebView*, const QUrl&,
                                                platform::ui::NavigationType type) {
    return type != platform::ui::NavigationType::LinkClicked;
}

void ActivityDetail::webViewDidFinishLoad(WebView* webView) {
    if (webView != infoWeb_) return;
    QRectF web = webView->frame();
    web.setHeight(webView->contentHeight());
    webView->setFrame(web);
    fitSize();
    getComments();
}

void ActivityDetail::qxView(View* view, platform::ui::Button*) {
    if (view != commentList_) return;
    commentList_->adjustFrame();
    fitSize();
}

void ActivityDetail::commentList() {
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setType("3");
    list->param().setRid(activityId());
    // A comment written from the list is filed under the activity.
    list->param().setPtype("3");
    detail->view();  // the list loads
    list->headerView()->setText(text(detail_, "name"));
    Navigator::push(this, detail);
}

void ActivityDetail::postComment() {
    auto* form = new CommentForm;
    form->param().setRid(activityId());
    form->param().setType("8");
    form->param().setPtype("3");
    Navigator::push(this, form);
}

void ActivityDetail::applyActivity() {
    auto* apply = new ApplyActivity;
    apply->param().setRid(activityId());
    Navigator::push(this, apply);
}

void ActivityDetail::call() {
    offerCall(text(detail_, "tel"), view());
}

void ActivityDetail::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (item->tag()) {
        case kComment:
            postComment();
            break;
        case kApply:
            applyActivity();
            break;
        case kCall:
            call();
            break;
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

std::string ActivityDetail::activityId() const {
    return detail_.getStringValueForKey("id", "0");
}

}  // namespace tovera
