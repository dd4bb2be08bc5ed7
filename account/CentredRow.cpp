#include "account/CentredRow.h"

#include "framework/NSUtil.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::TableViewCell;

TableViewCell* centredRow(platform::ui::TableView* table, const QString& title, bool selectable) {
    const QString identifier =
        selectable ? QStringLiteral("CentredRow") : QStringLiteral("CentredPlainRow");
    TableViewCell* cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Default, identifier);
        cell->textLabel()->setTextAlignment(Qt::AlignCenter);
        cell->textLabel()->setFont(NSUtil::normalFont());
        if (selectable)
            cell->setSelectedBackgroundView(NSUtil::skinSelectionView());
        else
            cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    }
    cell->textLabel()->setText(title);
    return cell;
}

}  // namespace tovera
