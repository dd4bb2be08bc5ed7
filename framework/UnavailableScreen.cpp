#include "framework/UnavailableScreen.h"

#include "framework/RootScreenServices.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/View.h"

namespace tovera {

using platform::ui::Font;
using platform::ui::Label;
using platform::ui::View;

UnavailableScreen::UnavailableScreen(const QString& title, QObject* parent)
    : ViewController(parent) {
    setTitle(title);
    RootScreenServices::shared().setBackItem(navigationItem());
}

void UnavailableScreen::loadView() {
    ViewController::loadView();
    View* root = view();
    root->setBackgroundColor(QColor(0xF2, 0xF2, 0xF2));

    auto* heading = new Label(QRectF(20, 130, 280, 30), root);
    heading->setFont(Font::boldSystem(18));
    heading->setTextAlignment(Qt::AlignHCenter);
    heading->setText(QStringLiteral("暂未开放"));

    auto* note = new Label(QRectF(30, 170, 260, 60), root);
    note->setFont(Font::system(14));
    note->setTextColor(QColor(0x66, 0x66, 0x66));
    note->setTextAlignment(Qt::AlignHCenter);
    note->setNumberOfLines(0);
    note->setText(QStringLiteral("“%1”在这个版本里还不能使用。").arg(title()));
}

}  // namespace tovera
