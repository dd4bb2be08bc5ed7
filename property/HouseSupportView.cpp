#include "property/HouseSupportView.h"

#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"

namespace tovera {

namespace {

QString text(const Dict& record, std::string_view key) {
    return QString::fromStdString(record.getStringValueForKey(key, ""));
}

/// `plain` escaped, with each occurrence of `stop` in red.
QString marked(const QString& plain, const QString& stop) {
    if (stop.isEmpty()) return plain.toHtmlEscaped();
    const QString red = QStringLiteral("<font color=\"red\">%1</font>").arg(stop.toHtmlEscaped());
    QStringList parts = plain.split(stop);
    for (QString& part : parts)
        part = part.toHtmlEscaped();
    return parts.join(red);
}

}  // namespace

HouseSupportView::HouseSupportView(const QRectF& frame, QWidget* parent)
    : ProjectWebPage(frame, parent) {}

void HouseSupportView::reloadData() {
    QXRequestView::reloadData();
    if (DSTovera* session = RootScreenServices::shared().session())
        session->houseSupport(param().param(), this);
}

void HouseSupportView::requestDidLoad(QXRequest* request, const Value& reply) {
    if (ReplyDispatch::code(reply) != ReplyCode::Refused) {
        QXRequestView::requestDidLoad(request, reply);
        return;
    }
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    const Dict* record = reply.dict();
    NSUtil::makeText(record ? record->getStringValueForKey("msg", "") : "").show();
    didLoad(reply, request);
}

void HouseSupportView::didLoad(const Value& reply, QXRequest*) {
    const Dict* record = reply.dict();
    showHtml(pageHtml(record ? *record : Dict{}));
}

QString HouseSupportView::pageHtml(const Dict& reply) {
    const QString stop = text(reply, "loction");
    QString html = marked(QStringLiteral("站点:") + stop, stop);
    if (const Array* lines = reply["traffic"].array()) {
        for (const Value& line : *lines) {
            const Dict* bus = line.dict();
            if (!bus) continue;
            html += QStringLiteral("<br/>") + marked(text(*bus, "busname"), stop) +
                    QStringLiteral("<br/>") + marked(text(*bus, "busline"), stop);
        }
    }
    html +=
        QStringLiteral("<br/><br/>周边配套:%1<br/>").arg(text(reply, "supporting").toHtmlEscaped());
    return html;
}

}  // namespace tovera
