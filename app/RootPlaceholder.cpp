#include "app/RootPlaceholder.h"

#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"

namespace tovera::app {

using platform::ui::Font;
using platform::ui::Label;
using platform::ui::View;

RootPlaceholder::RootPlaceholder(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("首页"));
}

void RootPlaceholder::loadView() {
    ViewController::loadView();
    View* root = view();
    root->setBackgroundColor(QColor(0xF2, 0xF2, 0xF2));

    auto* heading = new Label(QRectF(20, 150, 280, 30), root);
    heading->setFont(Font::boldSystem(18));
    heading->setTextAlignment(Qt::AlignHCenter);
    heading->setText(QStringLiteral("首页尚未完成"));

    auto* note = new Label(QRectF(30, 190, 260, 60), root);
    note->setFont(Font::system(14));
    note->setTextColor(QColor(0x66, 0x66, 0x66));
    note->setTextAlignment(Qt::AlignHCenter);
    note->setNumberOfLines(0);
    note->setText(QStringLiteral("这里暂时是占位页面：楼盘列表、菜单和城市选择还没有做好。"));
}

}  // namespace tovera::app
