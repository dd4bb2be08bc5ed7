// The title area of a screen shown from a kept copy while the service cannot
// be reached: the screen's title over "离线" and the time the copy was saved.
#pragma once

#include <QString>

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Label;
}

namespace tovera {

class OfflineTitle : public platform::ui::View {
    Q_OBJECT
public:
    /// `saved` is a time on the store's clock (seconds since 2001-01-01 UTC).
    OfflineTitle(const QString& title, double saved, QWidget* parent = nullptr);

    /// "离线 MM-dd HH:mm", the saved time in local time.
    static QString markText(double saved);
    QString mark() const;

private:
    platform::ui::Label* mark_;
};

}  // namespace tovera
