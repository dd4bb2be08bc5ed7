#include "platform/ui/runtime/Application.h"

#include "platform/Alert.h"
#include "platform/AppHome.h"
#include "platform/Browser.h"
#include "platform/Dialer.h"
#include "platform/Log.h"
#include "platform/ProcessEnd.h"
#include "platform/ReverseGeocoder.h"
#include "platform/net/Http.h"
#include "platform/ui/map/BaseMap.h"
#include "platform/ui/navigation/StatusBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <csignal>
#include <cstring>

namespace tovera::platform::ui {

namespace {

Application* current = nullptr;
// The write end of the pipe that carries signals into the event loop.
std::atomic<int> signalWriteFd{-1};
int signalReadFd = -1;

void onSignal(int) {
    const int fd = signalWriteFd.load();
    if (fd < 0) return;
    const char byte = 'm';
    [[maybe_unused]] ssize_t written = ::write(fd, &byte, 1);
}

bool openSignalPipe() {
    if (signalReadFd >= 0) return true;
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
    signalReadFd = fds[0];
    signalWriteFd = fds[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);
    return true;
}

// Whether the desktop has a program for "tel:" addresses (asked once).
bool desktopDialsTelephones() {
    static const bool answer = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal") return false;
        const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (xdgMime.isEmpty()) return false;
        QProcess query;
        query.start(xdgMime, {"query", "default", "x-scheme-handler/tel"});
        if (!query.waitForFinished(2000)) return false;
        return !query.readAllStandardOutput().trimmed().isEmpty();
    }();
    return answer;
}

void showPlatformAlert(platform::Alert alert) {
    QStringList buttons;
    for (const auto& b : alert.buttons)
        buttons << QString::fromStdString(b);
    if (buttons.isEmpty()) buttons << QStringLiteral("确定");
    auto* view = new AlertView(QString::fromStdString(alert.title),
                               QString::fromStdString(alert.message), nullptr, buttons);
    view->setTag(alert.tag);
    if (alert.onButton) view->setOnButton(alert.onButton);
    view->show();
}

}  // namespace

void Application::prepare(double scale) {
    if (scale > 0) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    // The page engine shares GL contexts with the widgets when it starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

double Application::takeScaleArgument(int& argc, char** argv, double fallback) {
    double scale = fallback;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        QString arg = QString::fromLocal8Bit(argv[i]);
        QString value;
        bool matched = false;
        if (arg == "--scale" && i + 1 < argc) {
            value = QString::fromLocal8Bit(argv[++i]);
            matched = true;
        } else if (arg.startsWith("--scale=")) {
            value = arg.mid(8);
            matched = true;
        }
        if (!matched) {
            argv[out++] = argv[i];
            continue;
        }
        bool ok = false;
        const double parsed = value.toDouble(&ok);
        if (ok && parsed >= 0.5 && parsed <= 8) scale = parsed;
    }
    argc = out;
    argv[argc] = nullptr;
    return scale;
}

Application::Application(QObject* parent) : QObject(parent) {
    current = this;
    setMainQueue(&queue_);
    setTimers(&timers_);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::applicationStateChanged, this,
                &Application::applicationStateChanged);
        connect(gui, &QCoreApplication::aboutToQuit, this, &Application::willTerminate);
    }
    if (openSignalPipe()) {
        signalNotifier_ = new QSocketNotifier(signalReadFd, QSocketNotifier::Read, this);
        connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
            char buffer[64];
            bool any = false;
            while (::read(signalReadFd, buffer, sizeof buffer) > 0)
                any = true;
            if (any) {
                logLine("applicationDidReceiveMemoryWarning");
                emit didReceiveMemoryWarning();
            }
        });
    }
    installPlatformHooks();
}

Application::~Application() {
    // Background work ends while everything it may reach is still alive.
    finishProcess();
    platform::setAlertPresenter({});
    net::setNetworkActivityIndicatorHandler({});
    Dialer::shared().setHandler({});
    if (current == this) current = nullptr;
    setTimers(nullptr);
    setMainQueue(nullptr);
}

Application* Application::instance() {
    return current;
}

void Application::postMemoryWarning() {
    onSignal(SIGUSR1);
}

void Application::applicationStateChanged(Qt::ApplicationState state) {
    const bool active = state == Qt::ApplicationActive;
    if (active == active_) return;
    active_ = active;
    if (active)
        emit didBecomeActive();
    else
        emit willResignActive();
}

void Application::installPlatformHooks() {
    Font::installAsDefault();
    ReverseGeocoder::setCityTablePath(resourceDirectory() + "/cities.csv");
    BaseMap::setPath(resourceDirectory() + "/basemap.bin");
    if (Image::searchPaths().isEmpty())
        Image::setSearchPaths({QString::fromStdString(resourceDirectory())});
    platform::setAlertPresenter([](platform::Alert alert) {
        // Alerts may be raised off the main thread; they are shown on it.
        if (QThread::currentThread() == QCoreApplication::instance()->thread())
            showPlatformAlert(std::move(alert));
        else
            mainQueue().post([alert = std::move(alert)] { showPlatformAlert(alert); });
    });
    net::setNetworkActivityIndicatorHandler([](bool visible) {
        mainQueue().post([visible] {
            if (Window* window = Window::keyWindow())
                window->statusBar()->setNetworkActivityIndicatorVisible(visible);
        });
    });
    Dialer::shared().setHandler([](const std::string& address) {
        if (!desktopDialsTelephones()) return false;
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    });
    Browser::shared().setHandler([](const std::string& address) {
        // Off screen (tests, the tour) nobody could see a browser window.
        const QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal") return false;
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    });
}

}  // namespace tovera::platform::ui
