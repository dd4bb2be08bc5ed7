// What screen readers (AT-SPI on Linux, through Qt's accessibility bridge)
// learn about the phone toolkit's views, which draw themselves and so carry
// no role or name of their own: buttons, switches, tab items, segments and
// pins are named by their title, a name the screen set
// (QWidget::setAccessibleName), or the picture they show; text fields and
// text boxes by their placeholder or the caption beside them; list rows by
// their text; pictures by the description the screen gave them. Controls
// also answer the press action, so a reader can press them.
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

/// The spoken name of a shipped picture ("back_btn" → "返回"), or empty.
QString nameOfPicture(const QString& pictureName);

}  // namespace accessibility

}  // namespace tovera::platform::ui
