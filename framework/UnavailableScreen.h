// The screen a menu entry or a link opens while the screen it names is not
// built yet: it carries the target's title and says plainly that the
// feature is not available, with the standard back item.
#pragma once

#include <QString>

#include "platform/ui/navigation/ViewController.h"

namespace tovera {

class UnavailableScreen : public platform::ui::ViewController {
    Q_OBJECT
public:
    explicit UnavailableScreen(const QString& title, QObject* parent = nullptr);

    void loadView() override;
};

}  // namespace tovera
