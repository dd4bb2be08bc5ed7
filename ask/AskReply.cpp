#include "ask/AskReply.h"

#include "ask/ReplyItem.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/QXViewController.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
const char* const kBestApi = "bestanswer";
constexpr double kMoreHeight = 44;

const Dict& row(const Array& rows, int index) {
    static const Dict kNone;
    const Dict* found = index >= 0 && index < int(rows.size()) ? rows[index].dict() : nullptr;
    return found ? *found : kNone;
}
}  // namespace

AskReply::AskReply(const QRectF& frame, QWidget* parent) : QXRequestView(frame, parent) {
    param().setType("1");
    tableView_ = new TableView(QRectF(QPointF(0, 0), frame.size()), TableView::Style::Plain);
    tableView_->setScrollEnabled(false);
    tableView_->setAllowsSelection(false);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    addSubview(tableView_);
}

void AskReply::reloadData() {
    QXRequestView::reloadData();
    dataArray_.clear();
    total_ = 0;
    param().setPage("1");
    doRequest();
}

void AskReply::dataGrow(platform::ui::Button* button) {
    if (button) button->setSelected(true);
    param().setPage(std::to_string(Value(param().page()).intValue() + 1));
    doRequest();
}

void AskReply::doRequest() {
    if (DSTovera* session = RootScreenServices::shared().session())
        session->getSystemReplyList(param().param(), this);
}

void AskReply::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == kBestApi) {
        NSUtil::makeText(reply.getStringValueForKey("msg", "设置成功")).show();
        // The whole question is read again, with its best answer.
        platform::ui::NavigationController* nav = RootScreenServices::rootNavigationController();
        if (auto* top = nav ? qobject_cast<QXViewController*>(nav->topViewController()) : nullptr)
            top->reloadData();
        return;
    }
    // A page asked for before a reload is not added to the new rows.
    if (request && request->params().getStringValueForKey("page", "1") != param().page()) return;
    for (const Value& answer : reply["result"].items())
        dataArray_.push_back(answer);
    total_ = reply.getIntValueForKey("total", int(dataArray_.size()));
    if (int(dataArray_.size()) < total_) {
        if (!more_) {
            more_ = new platform::ui::Button(QRectF(0, 0, bounds().width(), kMoreHeight));
            more_->setTitle(QStringLiteral("加载更多"));
            more_->setTitle(QStringLiteral("加载中..."), platform::ui::Button::Selected);
            more_->setTitleColor(NSUtil::black());
            connect(more_, &platform::ui::Control::touchUpInside, this,
                    [this] { dataGrow(more_); });
        }
        more_->setSelected(false);
        tableView_->setTableFooterView(more_);
    } else if (dataArray_.empty()) {
        tableView_->setTableFooterView(noItemView());
    } else {
        tableView_->setTableFooterView(nullptr);
    }
    tableView_->reloadData();
    resize();
}

void AskReply::requestDidFailWithError(QXRequest* request, const Error& error) {
    // A page that did not come is asked for again by the next "加载更多".
    const bool page = !request || request->params().getStringValueForKey("api", "") != kBestApi;
    const int current = Value(param().page()).intValue();
    if (page && current > 1) param().setPage(std::to_string(current - 1));
    if (more_) more_->setSelected(false);
    QXRequestView::requestDidFailWithError(request, error);
}

double AskReply::tableHeight() const {
    double height = 0;
    for (int i = 0; i < int(dataArray_.size()); ++i)
        height += ReplyItem::contentHeight(row(dataArray_, i));
    if (const platform::ui::View* header = tableView_->tableHeaderView())
        height += header->frame().height();
    if (const platform::ui::View* footer = tableView_->tableFooterView())
        height += footer->frame().height();
    return height;
}

void AskReply::resize() {
    const double height = tableHeight();
    setFrame(QRectF(frame().topLeft(), QSizeF(frame().width(), height)));
    tableView_->setFrame(QRectF(0, 0, frame().width(), height));
    if (QXViewDelegate* listener = delegate()) listener->qxView(this, nullptr);
}

void AskReply::qxView(platform::ui::View*, platform::ui::Button* button) {
    if (!button || button->tag() != ReplyItem::kBestTag) return;
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    // The choice goes in a dictionary of its own: the list keeps asking for
    // this question's answers.
    QXParam best;
    best.setApi(kBestApi);
    best.setRid(std::to_string(button->titleLabel()->tag()));
    best.setString(param().rid(), "aid");
    session->userBestanswer(best.param(), this);
}

int AskReply::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* AskReply::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<ReplyItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("ReplyItem")));
    if (!cell) {
        cell = new ReplyItem;
        cell->setDelegate(this);
    }
    cell->setInfo(row(dataArray_, indexPath.row));
    const DSTovera* session = RootScreenServices::shared().session();
    const bool asker = session && session->isUserLoggedin() && session->userId() &&
                       *session->userId() == param().uid();
    cell->setAskInfo(asker ? *session->userId() : "0");
    cell->setClosed(Value(param().param().getStringValueForKey("closed", "0")).intValue());
    return cell;
}

double AskReply::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    return ReplyItem::contentHeight(row(dataArray_, indexPath.row));
}

}  // namespace tovera
