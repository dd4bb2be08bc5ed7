// NSUtil's tab-button rows: a strip of buttons, each as wide as its share of
// the titles' total length, one of them selected.
#include <QString>

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Image;
using platform::ui::View;

void NSUtil::createBtns(const std::vector<std::string>& titles, View* btnsView,
                        std::function<void(Button*)> action) {
    if (!btnsView) return;
    // Taken out at once (deleted later: a button of the row may be the one
    // whose tap rebuilds it), so the container holds only the new row.
    for (QWidget* old : btnsView->subviews()) {
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }

    QList<QString> texts;
    qsizetype totalLength = 0;
    for (const std::string& title : titles) {
        texts << QString::fromStdString(title);
        totalLength += texts.back().size();
    }
    if (texts.isEmpty()) return;

    const QSizeF size = btnsView->bounds().size();
    const double usable = size.width() - 2;
    double x = 1;
    for (const QString& text : texts) {
        const double share = totalLength > 0 ? double(text.size()) / double(totalLength)
                                             : 1.0 / double(texts.size());
        const double width = share * usable;
        auto* button = new Button(QRectF(x, 8, width, size.height() - 16));
        button->setTitle(text);
        button->setFont(platform::ui::Font::system(15));
        button->setTitleColor(Qt::black);
        skinTabButton(button);
        if (action)
            QObject::connect(button, &Control::touchUpInside, btnsView,
                             [action, button](Control*) { action(button); });
        btnsView->addSubview(button);
        x += width;
    }
}

Button* NSUtil::getSelectedButton(View* btnsView) {
    if (!btnsView) return nullptr;
    const QList<QWidget*> children = btnsView->subviews();
    for (QWidget* child : children)
        if (auto* button = qobject_cast<Button*>(child); button && button->isSelected())
            return button;
    return children.isEmpty() ? nullptr : qobject_cast<Button*>(children.first());
}

}  // namespace tovera
