#include "framework/OfflineTitle.h"

#include <QDateTime>

#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Font;
using platform::ui::Label;

namespace {

// Seconds from the Unix epoch to the store clock's 2001-01-01 00:00:00 UTC.
constexpr double kReferenceDateOffset = 978307200.0;

Label* line(const QRectF& frame, const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new Label(frame, parent);
    label->setText(text);
    label->setFont(font);
    label->setTextColor(Qt::white);
    label->setTextAlignment(Qt::AlignHCenter);
    return label;
}

}  // namespace

OfflineTitle::OfflineTitle(const QString& title, double saved, QWidget* parent)
    : View(QRectF(0, 0, 180, 40), parent) {
    line(QRectF(0, 1, 180, 22), title, Font::boldSystem(17), this);
    mark_ = line(QRectF(0, 23, 180, 16), markText(saved), Font::system(11), this);
}

QString OfflineTitle::markText(double saved) {
    const auto when = QDateTime::fromMSecsSinceEpoch(
        static_cast<qint64>((saved + kReferenceDateOffset) * 1000.0));
    return QStringLiteral("离线 ") + when.toLocalTime().toString(QStringLiteral("MM-dd HH:mm"));
}

QString OfflineTitle::mark() const {
    return mark_->text();
}

}  // namespace tovera
