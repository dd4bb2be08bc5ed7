#include "news/NewsInfo.h"

#include <algorithm>
#include <cmath>

#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "core/DSTovera.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "news/Correction.h"
#include "news/Recomment2Friends.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::TabBarItem;
using platform::ui::View;
using platform::ui::WebView;

namespace {

constexpr double kTabBarHeight = 49;
constexpr double kCommentGap = 5;
constexpr double kTitleHeight = 44;  // at least; a long headline makes it taller
constexpr double kTitleGap = 2;      // between the headline and the source line
constexpr double kPictureGap = 4;    // between the source line and the picture button

void push(platform::ui::ViewController* from, platform::ui::ViewController* screen) {
    if (platform::ui::NavigationController* nav = from->navigationController())
        nav->pushViewController(screen, true);
    else
        delete screen;
}

bool isPictureAddress(const QString& address) {
    for (const char* ending : {"png", "jpg", "gif", "jpeg"})
        if (address.endsWith(QLatin1String(ending))) return true;
    return false;
}

}  // namespace

NewsInfo::NewsInfo(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("资讯详情"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("评论"), BarButtonItem::Style::Bordered, [this] { comment(); }));
}

void NewsInfo::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    scrollView_ =
        new platform::ui::ScrollView(QRectF(0, 0, 320, root->frame().height() - kTabBarHeight));
    scrollView_->setBackgroundColor(Qt::white);
    root->addSubview(scrollView_);

    titleLable_ = new platform::ui::Label(QRectF(10, 8, 300, kTitleHeight));
    titleLable_->setNumberOfLines(0);
    titleLable_->setLineBreakMode(platform::ui::Label::LineBreak::WordWrap);
    titleLable_->setTextAlignment(Qt::AlignHCenter);
    scrollView_->addSubview(titleLable_);
    msgLable_ =
        new platform::ui::Label(QRectF(10, titleLable_->frame().bottom() + kTitleGap, 300, 20));
    msgLable_->setTextColor(Qt::gray);
    msgLable_->setTextAlignment(Qt::AlignHCenter);
    scrollView_->addSubview(msgLable_);
    imgBtn_ =
        new platform::ui::Button(QRectF(10, msgLable_->frame().bottom() + kPictureGap, 300, 160));
    imgBtn_->setHidden(true);
    connect(imgBtn_, &platform::ui::Control::touchUpInside, this, [this] { showImage(); });
    scrollView_->addSubview(imgBtn_);

    contentText_ = new WebView(QRectF(0, msgLable_->frame().bottom(), 320, 100));
    contentText_->setScrollEnabled(false);
    scrollView_->addSubview(contentText_);

    commentTable_ =
        new CommentTableView(QRectF(0, contentText_->frame().bottom() + kCommentGap, 320, 100));
    commentTable_->setDelegate(this);
    scrollView_->addSubview(commentTable_);

    tabBar_ = new platform::ui::TabBar(
        QRectF(0, root->frame().height() - kTabBarHeight, 320, kTabBarHeight));
    tabBar_->setItems({new TabBarItem(QStringLiteral("评论"), {}, kWriteComment),
                       new TabBarItem(QStringLiteral("纠错"), {}, kCorrection),
                       new TabBarItem(QStringLiteral("加入收藏"), {}, kFavorite),
                       new TabBarItem(QStringLiteral("推荐"), {}, kRecommend)});
    tabBar_->setDelegate(this);
    root->addSubview(tabBar_);
    setView(root);
}

void NewsInfo::viewDidLoad() {
    QXViewController::viewDidLoad();
    contentText_->setBackgroundColor(Qt::transparent);
    contentText_->setOpaque(false);
    contentText_->setDelegate(this);
    reloadData();
}

void NewsInfo::reloadData() {
    QXViewController::reloadData();
    if (DSTovera* session = RootScreenServices::shared().session())
        session->getNewsDetail(param().param(), this);
}

void NewsInfo::didLoad(const Value& reply, QXRequest*) {
    if (const Dict* record = reply.dict()) newsDetail_.merge(*record);
    DSTovera::newsDetailCaches(newsDetail_);
    updateView();
    setFavoriteTab();
}

void NewsInfo::updateView() {
    setCommentTitle(QString::fromStdString(newsDetail_.getStringValueForKey("comment", "0")));
    titleLable_->setFont(NSUtil::bigFont(titleLable_->font().family().toStdString()));
    titleLable_->setText(QString::fromStdString(newsDetail_.getStringValueForKey("title", "")));
    msgLable_->setFont(NSUtil::smallFont(msgLable_->font().family().toStdString()));
    msgLable_->setText(QString::fromStdString(newsDetail_.getStringValueForKey("source", "") + " " +
                                              newsDetail_.getStringValueForKey("update_at", "")));
    layoutHeader();
    imgBtn_->setHidden(true);
    contentText_->loadHTMLString(
        QString::fromStdString(newsDetail_.getStringValueForKey("text", "暂无")));
    QRectF web = contentText_->frame();
    web.moveTop(
        std::floor(imgBtn_->isHidden() ? msgLable_->frame().bottom() : imgBtn_->frame().bottom()));
    contentText_->setFrame(web);
    QRectF comments = commentTable_->frame();
    comments.moveTop(web.bottom() + kCommentGap);
    commentTable_->setFrame(comments);
    scrollView_->setContentSize(QSizeF(320, comments.bottom()));
}

void NewsInfo::layoutHeader() {
    // The headline wraps onto as many lines as it needs; what is under it
    // moves down with it.
    QRectF title = titleLable_->frame();
    title.setHeight(
        std::max(kTitleHeight, titleLable_->sizeThatFits(QSizeF(title.width(), 0)).height()));
    titleLable_->setFrame(title);
    QRectF source = msgLable_->frame();
    source.moveTop(title.bottom() + kTitleGap);
    msgLable_->setFrame(source);
    QRectF picture = imgBtn_->frame();
    picture.moveTop(source.bottom() + kPictureGap);
    imgBtn_->setFrame(picture);
}

void NewsInfo::fitSize() {
    QRectF comments = commentTable_->frame();
    comments.setHeight(commentTable_->tableView()->contentSize().height() +
                       commentTable_->tableView()->frame().top());
    comments.moveTop(contentText_->frame().bottom());
    commentTable_->setFrame(comments);
    scrollView_->setContentSize(QSizeF(320, comments.top() + comments.height()));
}

void NewsInfo::getComments() {
    commentTable_->param().setRid(param().rid());
    commentTable_->param().setType("1");
    commentTable_->param().setSize("3");
    commentTable_->reloadData();
}

bool NewsInfo::shouldStartLoadWithRequest(WebView*, const QUrl& url, platform::ui::NavigationType) {
    if (!isPictureAddress(url.toString())) return true;
    showBigImage(url.toString().toStdString());
    return false;
}

void NewsInfo::webViewDidFinishLoad(WebView* webView) {
    if (webView != contentText_) return;
    QRectF web = webView->frame();
    web.setHeight(webView->contentHeight());
    webView->setFrame(web);
    fitSize();
    getComments();
}

void NewsInfo::qxView(View* view, platform::ui::Button*) {
    if (view != commentTable_) return;
    commentTable_->adjustFrame();
    fitSize();
    setCommentTitle(QString::number(commentTable_->tableView()->tag()));
}

void NewsInfo::viewDidAppear(bool) {
    const bool flagged = takeRefreshFlag();
    if (flagged || contentText_->isLoading()) getComments();
}

void NewsInfo::comment() {
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setType("1");
    list->param().setRid(articleId());
    list->param().setPtype("1");
    detail->view();  // the list loads
    list->headerView()->setText(
        QString::fromStdString(newsDetail_.getStringValueForKey("title", "")));
    push(this, detail);
}

void NewsInfo::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (tabBar->indexOfItem(item)) {
        case kWriteComment: {
            auto* form = new CommentForm;
            form->param().setRid(articleId());
            form->param().setType("8");
            form->param().setPtype("1");
            push(this, form);
            break;
        }
        case kCorrection: {
            auto* correction = new Correction;
            correction->param().setRid(articleId());
            correction->param().setType("9");
            correction->param().setPtype("1");
            push(this, correction);
            break;
        }
        case kFavorite:
            favorite(newsDetail_.getIntValueForKey("favorite", 0));
            break;
        case kRecommend: {
            DSTovera* session = RootScreenServices::shared().session();
            if (!session || !session->checkLogin()) break;
            auto* friends = new Recomment2Friends;
            friends->param().setRid(articleId());
            friends->param().setType("1");
            push(this, friends);
            break;
        }
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

void NewsInfo::favorite(int mark) {
    const int changed = 1 - mark;
    const bool failed = DSTovera::favorite(changed, newsDetail_.getIntValueForKey("id", 0));
    if (failed) {
        // The store still holds the old mark; showing the new one would
        // tell the user a favourite was kept (or dropped) that was not.
        NSUtil::makeText("操作失败!").show();
    } else {
        newsDetail_.set("favorite", std::to_string(changed));
        NSUtil::makeText(changed == 1 ? "收藏成功!" : "取消收藏成功!").show();
    }
    setFavoriteTab();
}

void NewsInfo::setFavoriteTab() {
    const bool marked = newsDetail_.getIntValueForKey("favorite", 0) != 0;
    tabBar_->items().value(kFavorite)->setTitle(marked ? QStringLiteral("取消收藏")
                                                       : QStringLiteral("加入收藏"));
}

void NewsInfo::showBigImage(const std::string& pictures) {
    platform::ui::Window* window = platform::ui::Window::keyWindow();
    if (!window) return;
    ImageViewShow* viewer = ImageViewShow::inWindow(window);
    viewer->setPics(pictures);
    viewer->setHidden(false);
}

void NewsInfo::showImage() {
    if (newsDetail_.contains("images"))
        showBigImage(newsDetail_.getStringValueForKey("images", ""));
}

std::string NewsInfo::articleId() const {
    return newsDetail_.getStringValueForKey("id", "0");
}

void NewsInfo::setCommentTitle(const QString& count) {
    if (BarButtonItem* button = navigationItem()->rightBarButtonItem())
        button->setTitle(QStringLiteral("评论(%1)").arg(count));
}

}  // namespace tovera
