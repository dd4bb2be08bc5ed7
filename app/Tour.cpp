#include "app/Tour.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "app/SplashViewController.h"
#include "app/toveraAppDelegate.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/View.h"

namespace tovera::app {

bool Tour::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QDeadlineTimer deadline(std::min(limit, patience_));
    QTimer wake;  // looks at the condition again even when no event arrives
    wake.start(20);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    // Deferred deletions and layouts the last step caused.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return done();
}

bool Tour::visit(const TourStop& stop, const std::string& path) {
    if (!stop.arrive(*this)) {
        std::fprintf(stderr, "tour: could not reach the screen \"%s\"\n", stop.name.c_str());
        return false;
    }
    waitFor([] { return true; });
    const QImage picture = app_.window()->grab().toImage();
    if (picture.isNull() || !picture.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "tour: could not write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    return true;
}

int Tour::walk(const std::string& dir) {
    if (!QDir().mkpath(QString::fromStdString(dir))) {
        std::fprintf(stderr, "tour: cannot create %s\n", dir.c_str());
        return 1;
    }
    // The launch has settled when the splash's refreshes ended and it faded;
    // looked at twice, as becoming active may start one more refresh.
    SplashViewController* splash = app_.splash();
    const auto settled = [splash] { return !splash->isRefreshing() && splash->view()->isHidden(); };
    if (!waitFor(settled) || !waitFor(settled)) {
        std::fprintf(stderr, "tour: the splash did not fade\n");
        return 1;
    }
    const std::string folder = QDir(QString::fromStdString(dir)).absolutePath().toStdString();
    int number = 0;
    for (const TourStop& stop : tourStops()) {
        ++number;
        const std::string prefix = (number < 10 ? "0" : "") + std::to_string(number) + "-";
        if (!visit(stop, folder + "/" + prefix + stop.name + ".png")) return 1;
    }
    return 0;
}

}  // namespace tovera::app
