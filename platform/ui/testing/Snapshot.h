// Pictures of the window for tests and for people: save a PNG, and tell a
// picture that shows nothing from one that shows something.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace tovera::platform::ui::testing {

/// Renders `widget` (at the window's scale) and writes it as PNG.
bool savePng(QWidget* widget, const QString& path);
QImage render(QWidget* widget);
/// True when (nearly) every pixel has one colour.
bool looksBlank(const QImage& image);

}  // namespace tovera::platform::ui::testing
