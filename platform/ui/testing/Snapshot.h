// Pictures of the window for tests and for people: save a PNG, and tell a
// picture that shows nothing from one that shows something.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace tovera::platform::ui::testing {

/// Renders `widget` (at the window's scale) and writes it as PNG.
bool savePng(QWidget* widget, const QString& path);
QImage render(QWidget* widget);
/// The part of the whole window's picture that `widget` covers: what a
/// person sees there, including whatever shows through it.
QImage renderAsShown(QWidget* widget);
/// True when (nearly) every pixel has one colour.
bool looksBlank(const QImage& image);
/// The smallest rectangle (in pixels of `image`) holding every pixel that
/// `match` accepts; empty when none does.
QRect boundsWhere(const QImage& image, const std::function<bool(const QColor&)>& match);
/// Dark, opaque pixels: drawn text.
bool isInk(const QColor& colour);
/// Strongly coloured pixels: pictures and emoji, never grey text.
bool isColourful(const QColor& colour);

}  // namespace tovera::platform::ui::testing
