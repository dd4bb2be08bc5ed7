#include "property/SellListItem.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::Label;
using platform::ui::TextView;

namespace {
constexpr double kWidth = 320;
constexpr double kMargin = 5;
constexpr double kTextWidth = kWidth - 2 * kMargin;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}
}  // namespace

SellListItem::SellListItem(QWidget* parent) : CustomCell(QStringLiteral("SellListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 60));
    setSelectionStyle(SelectionStyle::None);
    dateLabel_ = new Label(QRectF(kMargin + 4, 2, kTextWidth - 8, kDateHeight), contentView());
    dateLabel_->setFont(NSUtil::smallFont());
    dateLabel_->setTextColor(NSUtil::secondcolor());
    textView_ = new TextView(QRectF(kMargin, kDateHeight, kTextWidth, 40), contentView());
    NavigationStyle::readOnlyText(textView_);
}

void SellListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    dateLabel_->setText(text(info, "update_at"));
    const double rowHeight = height(info);
    textView_->setFrame(QRectF(kMargin, kDateHeight, kTextWidth, rowHeight - kDateHeight));
    textView_->setText(text(info, "selltxt"));
    // A set text leaves the cursor at its end, ready for typing; this view
    // only shows it, from its first line.
    textView_->editor()->moveCursor(QTextCursor::Start);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, rowHeight)));
}

double SellListItem::height(const Dict& info) {
    return NavigationStyle::readOnlyTextHeight(text(info, "selltxt"), kTextWidth) + kDateHeight;
}

}  // namespace tovera
