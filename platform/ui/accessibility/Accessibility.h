// What screen readers (AT-SPI on Linux, through Qt's accessibility bridge)
// learn about the phone toolkit's views, which draw themselves and so carry
// no role or name of their own: buttons, switches, tab items, segments and
// pins are named by their title, a name the screen set
// (QWidget::setAccessibleName), or the texts and named pictures inside
// them; text fields and text boxes by their placeholder or the caption
// beside them; list rows by their text; pictures by the description the
// screen gave them. Controls also answer the press action, so a reader can
// press them.
#pragma once

#include <QAccessible>

class QWidget;

namespace tovera::platform::ui {

namespace accessibility {

/// Makes Qt ask this module for the views' accessible interfaces (once).
void install();

/// The name a reader says for `widget`; empty when it has none.
QString nameOf(const QWidget* widget);
/// The role `widget` is announced with.
QAccessible::Role roleOf(const QWidget* widget);
/// Whether a user acts on `widget` (a control, an editor, a list row).
bool isInteractive(const QWidget* widget);

}  // namespace accessibility

}  // namespace tovera::platform::ui
