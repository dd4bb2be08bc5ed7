#include "news/News.h"

#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "news/Favorite.h"
#include "news/MoreNewCat.h"
#include "news/NewsList.h"
#include "news/NewsSearch.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Image;
using platform::ui::TabBar;
using platform::ui::TabBarItem;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 44;
constexpr double kTabBarHeight = 49;
constexpr int kFavouritesItem = 1;
constexpr std::size_t kStripCategories = 4;

QString toggleTitle(int operation) {
    return operation == News::kSubscribe ? QStringLiteral("订阅资讯") : QStringLiteral("取消订阅");
}

}  // namespace

News::News(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("资讯"));
}

News* News::withStrip() {
    auto* news = new News;
    news->hasBtnsView(true);
    return news;
}

void News::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(NSUtil::listview_item());

    btnsView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    contentView_ =
        new View(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight - kTabBarHeight), root);
    contentView_->setAutoresizingMask(View::FlexibleSize);

    mTabBar_ = new TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    mTabBar_->setItems({NSUtil::skinTabItem(QStringLiteral("搜索"), "fic_news", 0),
                        NSUtil::skinTabItem(QStringLiteral("收藏"), "fic_fav", 1),
                        NSUtil::skinTabItem(toggleTitle(kSubscribe), "fic_rss", kSubscribe)});
    mTabBar_->setDelegate(this);
    setView(root);

    newsListController_ = new NewsList(this);
    newsListController_->setParentViewController(this);
    hasBtnsView(showsBtns_);
}

void News::hasBtnsView(bool shown) {
    showsBtns_ = shown;
    if (!isViewLoaded()) return;
    btnsView_->setHidden(!shown);
    const double top = shown ? kStripHeight : 0;
    contentView_->setFrame(QRectF(0, top, kWidth, kHeight - kTabBarHeight - top));
    if (shown && dataArray_.empty() && newsListController_->isViewLoaded()) reloadData();
}

void News::viewDidLoad() {
    QXViewController::viewDidLoad();
    updateContentView();
    if (showsBtns_) {
        if (dataArray_.empty()) reloadData();
        return;
    }
    // Without the strip (the feed opens the screen so) the category comes
    // with the screen; the categories are still loaded for the toggle and
    // the title.
    newsListController_->param().setType(param().type());
    newsListController_->reloadData();
    reloadData();
}

// The strip and the categories held stay until the new ones arrive, so a
// failed reload leaves them as they were.
void News::reloadData() {
    QXViewController::reloadData();
    session().getNewsSort(param().param(), this);
}

void News::didLoad(const Value& reply, QXRequest* request) {
    const Dict sent = request ? request->params() : Dict();
    if (sent.getStringValueForKey("api", "") == "subscribe")
        subscribeDidLoad(reply, sent);
    else
        categoriesDidLoad(reply);
}

void News::categoriesDidLoad(const Value& reply) {
    dataArray_ = reply["result"].items();
    if (!showsBtns_) {
        // All categories are kept: the one shown need not be among the first four.
        const int cid = Value(chosenCategory()).intValue();
        for (const Value& category : dataArray_)
            if (category.getIntValueForKey("cid", 0) == cid)
                setTitle(QStringLiteral("资讯-%1").arg(
                    QString::fromStdString(category.getStringValueForKey("catname", ""))));
        setToggleFor(cid);
        return;
    }
    if (dataArray_.size() > kStripCategories) dataArray_.resize(kStripCategories);
    bindBtnsView();
    loadNewsList();
    updateContentView();
}

// The old buttons leave the strip at once (deleted later: one of them may be
// the button whose tap got here), so the strip holds only the new row.
void News::clearStrip() {
    for (QWidget* old : btnsView_->subviews()) {
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
}

void News::bindBtnsView() {
    clearStrip();
    if (dataArray_.empty()) return;
    const QSizeF size = btnsView_->bounds().size();
    const double width = double(int((size.width() - 2) / double(dataArray_.size() + 1)));
    const double height = double(int(size.height() - 16));
    double x = 1;
    auto addButton = [&](const QString& title, int tag) {
        auto* button = new Button(QRectF(x, 8, width, height));
        button->setTitle(title);
        button->setTag(tag);
        button->setFont(platform::ui::Font::system(15));
        button->setTitleColor(Qt::black);
        NSUtil::skinTabButton(button);
        btnsView_->addSubview(button);
        x += width;
        return button;
    };
    Button* first = nullptr;
    for (const Value& category : dataArray_) {
        Button* button =
            addButton(QString::fromStdString(category.getStringValueForKey("catname", "")),
                      category.getIntValueForKey("cid", 0));
        connect(button, &Control::touchUpInside, this,
                [this, button](Control*) { btnPressed(button); });
        if (!first) first = button;
    }
    Button* more = addButton(QStringLiteral("更多"), 0);
    more->setContentHorizontalAlignment(Control::HorizontalAlignment::Right);
    connect(more, &Control::touchUpInside, this, [this, more](Control*) { moreCat(more); });
    first->setSelected(true);
    setTitle(first->currentTitle());
}

void News::loadNewsList() {
    if (!showsBtns_ || dataArray_.empty()) return;
    // Only category buttons count: "更多" carries tag 0, which is also what
    // a missing "id" reads.
    const int wanted = Value(newsListController_->param().rid()).intValue();
    const QList<QWidget*> buttons = btnsView_->subviews();
    Button* chosen = nullptr;
    for (qsizetype i = 0; i < qsizetype(dataArray_.size()) && i < buttons.size(); ++i) {
        auto* button = qobject_cast<Button*>(buttons[i]);
        if (button && !chosen) chosen = button;
        if (button && button->tag() == wanted) {
            chosen = button;
            break;
        }
    }
    if (chosen) btnPressed(chosen);
}

void News::btnPressed(Button* button) {
    QXViewController::btnsView(btnsView_, button);
    setTitle(QStringLiteral("资讯-%1").arg(button->currentTitle()));
    newsListController_->param().setType(std::to_string(button->tag()));
    newsListController_->reloadData();
    setToggleFor(button->tag());
}

void News::updateContentView() {
    View* list = newsListController_->view();
    if (list->superview() != contentView_) contentView_->addSubview(list);
    list->setFrame(contentView_->bounds());
}

void News::moreCat(Button*) {
    Navigator::push(this, new MoreNewCat);
}

void News::refresh(QObject* sender) {
    if (qobject_cast<platform::ui::BarButtonItem*>(sender)) return;
    auto* button = qobject_cast<Button*>(sender);
    // A reload keeps the selection: its reply selects again, and a failed
    // one leaves the strip as it was.
    if (button && btnsView_ && btnsView_->subviews().contains(button))
        btnPressed(button);
    else
        reloadData();
}

TabBarItem* News::subscribeItem() const {
    if (!mTabBar_) return nullptr;
    const QList<TabBarItem*> items = mTabBar_->items();
    return items.isEmpty() ? nullptr : items.last();
}

std::string News::chosenCategory() {
    return newsListController_->param().type();
}

void News::setToggleFor(int cid) {
    setToggle(kSubscribe);
    for (const Value& category : dataArray_)
        if (category.getIntValueForKey("cid", 0) == cid &&
            category.getIntValueForKey("subscribed", 0) != 0)
            setToggle(kUnsubscribe);
}

void News::setToggle(int operation) {
    TabBarItem* toggle = subscribeItem();
    if (!toggle) return;
    toggle->setTag(operation);
    toggle->setTitle(toggleTitle(operation));
}

void News::tabBarDidSelectItem(TabBar* tabBar, TabBarItem* item) {
    const int index = tabBar->indexOfItem(item);
    if (item == subscribeItem()) {
        if (session().checkLogin()) subscribe();
    } else if (index == kFavouritesItem) {
        Navigator::push(this, new Favorite);
    } else {
        pushNewsSearch();
    }
    tabBar->setSelectedItem(nullptr);
}

void News::pushNewsSearch() {
    auto* search = new NewsSearch;
    search->view();
    Navigator::push(this, search);
}

// The toggle's request goes in a dictionary of its own: in the screen's
// parameters its "api" would make the next category reply look like a
// subscribe reply.
void News::subscribe() {
    QXParam request;
    request.setCid(chosenCategory());
    request.setUid(session().userId().value_or(""));
    request.setOperate(std::to_string(subscribeItem()->tag()));
    request.setApi("subscribe");
    session().userSubscribe(request.param(), this);
}

void News::subscribeDidLoad(const Value&, const Dict& sent) {
    const int operation = sent.getIntValueForKey("operate", 0);
    const int nextOperation = operation == kSubscribe ? kUnsubscribe : kSubscribe;
    NSUtil::makeText(operation == kSubscribe ? "订阅成功!" : "取消订阅成功!").show();
    const std::string cid = sent.getStringValueForKey("cid", "");
    for (Value& category : dataArray_)
        if (Dict* fields = category.dict();
            fields && fields->getStringValueForKey("cid", "") == cid)
            fields->set("subscribed", nextOperation == kSubscribe ? "0" : "1");
    // A reply that comes after another category was chosen leaves that
    // category's toggle alone.
    if (cid == chosenCategory()) setToggle(nextOperation);
}

}  // namespace tovera
