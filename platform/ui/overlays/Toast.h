// A transient message: white text in a dark rounded box over the key window,
// gone after its duration (1000 ms by default) with a short fade. Tests read
// the messages on screen.
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

namespace tovera::platform::ui {

class Toast {
public:
    enum class Gravity { Center, Top, Bottom };

    struct Options {
        Gravity gravity = Gravity::Center;
        QPointF offset;  // points, added to the gravity's position
        int durationMs = 1000;
    };

    /// Shows `text` (wrapped within 280 x 60 points).
    static void show(const QString& text, const Options& options);
    static void show(const QString& text) { show(text, Options{}); }

    /// The newest message still on screen, or an empty text.
    static QString current();
    /// Every message on screen, oldest first.
    static QStringList visible();
};

}  // namespace tovera::platform::ui
