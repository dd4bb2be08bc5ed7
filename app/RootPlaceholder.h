// A stand-in for the home screen, which is not built yet: the root of the
// navigation stack says so plainly. The home screen replaces it (one line in
// toveraAppDelegate::didFinishLaunching).
#pragma once

#include "platform/ui/ViewController.h"

namespace tovera::app {

class RootPlaceholder : public platform::ui::ViewController {
    Q_OBJECT
public:
    explicit RootPlaceholder(QObject* parent = nullptr);

    void loadView() override;
};

}  // namespace tovera::app
