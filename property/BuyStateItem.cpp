#include "property/BuyStateItem.h"

#include <QPointer>

#include "core/DSTovera.h"
#include "core/QXParam.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/MyHouseListView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 10;
constexpr double kRow = 20;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

BuyStateItem::BuyStateItem(QWidget* parent) : CustomCell(QStringLiteral("BuyStateItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    setSelectionStyle(SelectionStyle::None);
    platform::ui::View* content = contentView();
    double y = 6;
    auto label = [&](const QFont& font) {
        auto* made = new Label(QRectF(kMargin, y, kWidth - 2 * kMargin, kRow), content);
        made->setFont(font);
        made->setTextColor(NSUtil::black());
        y += kRow;
        return made;
    };
    buildLbl_ = label(NSUtil::normalFont());
    buyLbl_ = label(NSUtil::smallFont());
    locationLbl_ = label(NSUtil::smallFont());
    unitLbl_ = label(NSUtil::smallFont());
    const QString captions[] = {QStringLiteral("修改"), QStringLiteral("删除"),
                                QStringLiteral("找邻居")};
    const double width = 70;
    for (int tag = kEdit; tag <= kNeighbours; ++tag) {
        auto* button = new Button(
            QRectF(kWidth - kMargin - (kNeighbours - tag + 1) * (width + 6), y + 4, width, 24),
            content);
        button->setTag(tag);
        button->setTitle(captions[tag - 1]);
        button->setFont(NSUtil::smallFont());
        button->setTitleColor(NSUtil::click());
        button->setBorder(1, NSUtil::secondcolor());
        connectButton(button);
        buttons_ << button;
    }
}

Button* BuyStateItem::button(int tag) const {
    for (Button* b : buttons_)
        if (b->tag() == tag) return b;
    return nullptr;
}

void BuyStateItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    info_ = info;
    buyLbl_->setText(QStringLiteral("购房状态:\t%1").arg(text(info, "state")));
    locationLbl_->setText(QStringLiteral("所在城市:\t%1").arg(text(info, "location")));
    buildLbl_->setText(text(info, "house"));
    unitLbl_->setText(QStringLiteral("房号:\t%1栋%2单元%3室")
                          .arg(text(info, "build"), text(info, "unit"), text(info, "num")));
}

void BuyStateItem::btnPressed(Button* button) {
    switch (button ? button->tag() : 0) {
        case kEdit:
            editRecord();
            break;
        case kDelete: {
            QPointer<BuyStateItem> self(this);
            platform::showAlert(
                {"提示", "确定要删除这条记录吗?", {"确定", "取消"}, 0, [self](int index) {
                     if (self && index == 0) self->deleteRecord();
                 }});
            break;
        }
        case kNeighbours:
            searchNeighbours();
            break;
        default:
            break;
    }
    CustomCell::btnPressed(button);
}

void BuyStateItem::editRecord() {
    Route edit{Destination::ProfileEdit, {}, QStringLiteral("修改邻里会")};
    edit.param.setParam(info_);
    edit.param.setType("3");
    Navigator::open(nullptr, edit);
}

void BuyStateItem::searchNeighbours() {
    if (info_.getStringValueForKey("house", "").empty()) {
        NSUtil::makeText("请完善楼盘信息后搜索!").show();
        return;
    }
    Route search =
        Route::toObject(Destination::MemberSearch, info_.getStringValueForKey("hid", "0"));
    search.param.setType("2");
    search.param.setName(info_.getStringValueForKey("house", ""));
    if (DSTovera* session = RootScreenServices::shared().session())
        search.param.setUid(session->userId().value_or(""));
    Navigator::open(nullptr, search);
}

void BuyStateItem::deleteRecord() {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    QXParam remove;
    remove.setType("3");
    remove.setRid(info_.getStringValueForKey("id", "0"));
    session->userSetinfo(remove.param(), this);
}

void BuyStateItem::requestDidLoad(QXRequest* request, const Value& reply) {
    const ReplyCode code = ReplyDispatch::code(reply);
    if (code == ReplyCode::Missing) return;
    platform::showAlert({"提示", reply.getStringValueForKey("msg", "操作成功"), {"确定"}, 0, {}});
    if (code != ReplyCode::Accepted || !request) return;
    // The record the request named, whatever the row shows by now.
    const std::string id = request->params().getStringValueForKey("id", "0");
    if (auto* list = dynamic_cast<MyHouseListView*>(delegate())) list->recordRemoved(id);
}

void BuyStateItem::requestDidFailWithError(QXRequest* request, const Error& error) {
    ReplyDispatch::showFailure(request, error, nullptr);
}

}  // namespace tovera
