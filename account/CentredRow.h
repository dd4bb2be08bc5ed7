// The rows of the settings lists: one centred title a row, reused by
// identifier; with `selectable` a tapped row shows the skin colour.
#pragma once

#include <QString>

namespace tovera::platform::ui {
class TableView;
class TableViewCell;
}  // namespace tovera::platform::ui

namespace tovera {

platform::ui::TableViewCell* centredRow(platform::ui::TableView* table, const QString& title,
                                        bool selectable);

}  // namespace tovera
