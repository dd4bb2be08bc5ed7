#include "framework/CallSheet.h"

#include "framework/NSUtil.h"
#include "platform/Dialer.h"
#include "platform/ui/overlays/ActionSheet.h"

namespace tovera {

void offerCall(const QString& number, QWidget* window) {
    if (number.trimmed().isEmpty()) {
        NSUtil::makeText("没有提供相关号码!").show();
        return;
    }
    auto* sheet = platform::ui::ActionSheet::create({}, nullptr, QStringLiteral("取消"),
                                                    QStringLiteral("拨打:%1?").arg(number), {});
    sheet->setOnButton([dialled = NSUtil::dialNumber(number.toStdString())](int index) {
        if (index == 0) platform::Dialer::shared().openUrl("tel:" + dialled);
    });
    sheet->showInView(window);
}

}  // namespace tovera
