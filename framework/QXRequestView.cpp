#include "framework/QXRequestView.h"

#include "framework/ActivityView.h"
#include "framework/ImageTitle.h"
#include "framework/ListFooter.h"
#include "framework/NSUtil.h"
#include "framework/ReplyDispatch.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Label;
using platform::ui::View;

QXRequestView::QXRequestView(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

QXRequestView::~QXRequestView() {
    ActivityView::ownerGone(this);
    ListFooter::deleteIfUnplaced(noItem_);
    ListFooter::deleteIfUnplaced(loadMore_);
    ListFooter::deleteIfUnplaced(headerView_);
}

void QXRequestView::reloadData() {
    if (ActivityView* overlay = activityView()) overlay->show(this);
}

void QXRequestView::dataGrow(Button* button) {
    if (button) button->setSelected(true);
    doRequest();
}

void QXRequestView::loadMore(Button* button) {
    if (button) button->setSelected(true);
    dataGrow(button);
}

void QXRequestView::didLoad(const Value&, QXRequest*) {}

void QXRequestView::requestDidLoad(QXRequest* request, const Value& reply) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    if (ReplyDispatch::refused(reply, "出错了")) return;
    ReplyDispatch::keepCategories(request, reply);
    didLoad(reply, request);
}

void QXRequestView::requestDidFailWithError(QXRequest* request, const Error& error) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    ReplyDispatch::showFailure(request, error, nullptr, this);
}

Label* QXRequestView::noItemView() {
    if (!noItem_) noItem_ = ListFooter::noItemLabel(bounds().width());
    return noItem_;
}

ImageTitle* QXRequestView::headerView() {
    if (!headerView_)
        headerView_ = new ImageTitle(QRectF(0, 0, bounds().width(), ImageTitle::kHeight),
                                     QStringLiteral("最新评论"));
    return headerView_;
}

View* QXRequestView::loadMoreView() {
    if (loadMore_) return loadMore_;
    const double half = bounds().width() / 2;
    loadMore_ = new View(QRectF(0, 0, bounds().width(), ListFooter::kHeight));
    auto addButton = [&](double x, const QString& title, void (QXRequestView::*action)()) {
        auto* button = new Button(QRectF(x, 0, half, ListFooter::kHeight));
        button->setTitle(title);
        button->setTitleColor(Qt::gray);
        button->setFont(NSUtil::normalFont());
        connect(button, &Control::touchUpInside, this,
                [this, action](Control*) { (this->*action)(); });
        loadMore_->addSubview(button);
    };
    addButton(0, QStringLiteral("上一页"), &QXRequestView::prePage);
    addButton(half, QStringLiteral("下一页"), &QXRequestView::nextPage);
    return loadMore_;
}

ActivityView* QXRequestView::activityView() {
    return ActivityView::shared();
}

}  // namespace tovera
