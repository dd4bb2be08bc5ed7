#include "framework/ListFooter.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Label.h"

namespace tovera {

platform::ui::Label* ListFooter::noItemLabel(double width) {
    auto* label = new platform::ui::Label(QRectF(0, 0, width, kHeight));
    label->setText(QStringLiteral("暂无"));
    label->setTextAlignment(Qt::AlignHCenter);
    label->setFont(NSUtil::normalFont());
    label->setTextColor(NSUtil::black());
    return label;
}

}  // namespace tovera
