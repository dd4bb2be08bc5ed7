#include "framework/QXRadio.h"

#include <QFont>

#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"

namespace tovera {

using platform::ui::Button;

QXRadio::QXRadio(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

void QXRadio::setLableArray(const QStringList& labels) {
    for (Button* button : buttons_)
        button->deleteLater();
    buttons_.clear();
    if (labels.isEmpty()) return;
    const QSizeF size = frame().size();
    const double width = (size.width() - 2) / double(labels.size());
    QFont font;
    font.setPointSizeF(15);
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new Button(QRectF(1 + i * width, 1, width, size.height() - 2), this);
        button->setTitle(labels[i]);
        button->setTitleColor(Qt::black);
        button->setFont(font);
        button->setImage(platform::ui::Image::named(QStringLiteral("form_radio.png")));
        button->setImage(platform::ui::Image::named(QStringLiteral("form_radio_checked.png")),
                         Button::Selected);
        button->setTag(i);
        QObject::connect(button, &Button::touchUpInside, this,
                         [this, button] { btnPressed(button); });
        button->show();
        buttons_.append(button);
    }
}

void QXRadio::btnPressed(Button* pressed) {
    for (Button* button : buttons_)
        button->setSelected(button == pressed);
}

void QXRadio::setSelected(int index) {
    if (index >= 0 && index < buttons_.size()) btnPressed(buttons_[index]);
}

int QXRadio::selectedIndex() const {
    for (int i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isSelected()) return i;
    return -1;
}

QString QXRadio::value() const {
    const int index = selectedIndex();
    return index < 0 ? QString() : buttons_[index]->currentTitle();
}

}  // namespace tovera
