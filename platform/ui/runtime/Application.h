// The toolkit's runtime, created right after QApplication: it installs the
// Qt main-thread queue and timer facility, connects the platform hooks
// (alerts of the logic layers, the network-activity indicator, dialling, the
// city table of the location stand-ins) and reports the application events:
// became active, will resign active (no window of the application active any
// more, or minimised), will terminate, and memory warnings (SIGUSR1, or
// Ctrl+Shift+M in the window).
#pragma once

#include "platform/ui/runtime/QtMainQueue.h"
#include "platform/ui/runtime/QtTimers.h"

#include <QObject>

class QSocketNotifier;

namespace tovera::platform::ui {

class Application : public QObject {
    Q_OBJECT
public:
    /// To be called before QApplication is constructed: draws every point as
    /// `scale` device pixels, and prepares for the web-page engine.
    static void prepare(double scale);
    /// Reads "--scale N" (or "--scale=N") from the arguments, removing it;
    /// `fallback` when absent or not a number between 0.5 and 8.
    static double takeScaleArgument(int& argc, char** argv, double fallback = 2);

    explicit Application(QObject* parent = nullptr);
    ~Application() override;

    /// The runtime of this process, if one exists.
    static Application* instance();

    bool isActive() const { return active_; }

    /// Reports a memory warning from the event loop (safe from any thread
    /// and from a signal handler).
    static void postMemoryWarning();

signals:
    void didBecomeActive();
    void willResignActive();
    void willTerminate();
    void didReceiveMemoryWarning();

private:
    void applicationStateChanged(Qt::ApplicationState state);
    void installPlatformHooks();

    QtMainQueue queue_;
    QtTimers timers_;
    QSocketNotifier* signalNotifier_ = nullptr;
    bool active_ = false;
};

}  // namespace tovera::platform::ui
