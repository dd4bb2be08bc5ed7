#include "property/IntroView.h"

#include "core/DSTovera.h"
#include "framework/RootScreenServices.h"

namespace tovera {

IntroView::IntroView(const QRectF& frame, QWidget* parent) : ProjectWebPage(frame, parent) {}

void IntroView::reloadData() {
    QXRequestView::reloadData();
    if (DSTovera* session = RootScreenServices::shared().session())
        session->houseIntroduce(param().param(), this);
}

void IntroView::didLoad(const Value& reply, QXRequest*) {
    const Dict* record = reply.dict();
    const QString text =
        QString::fromStdString(record ? record->getStringValueForKey("introduce", "") : "");
    showHtml(text.size() <= 1 ? QStringLiteral("暂无") : text);
}

}  // namespace tovera
