#include "platform/ui/navigation/Stage.h"

#include "platform/ui/navigation/Window.h"
#include "platform/ui/runtime/ScreenScale.h"
#include "platform/ui/views/Geometry.h"

#include <qpa/qplatformwindow.h>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>

namespace tovera::platform::ui {

namespace {

// The zoom keys step through these scales.
constexpr std::array<double, 15> kLadder = {0.5, 0.75, 1, 1.25, 1.5, 1.75, 2, 2.5,
                                            3,   3.5,  4, 5,    6,   7,    8};
constexpr double kSameScale = 0.001;

// The phone's size in points.
constexpr QSize kPhone{int(kScreenWidth), int(kScreenHeight)};

QSize inPixels(const QSize& points, double scale) {
    return QSize(int(std::lround(points.width() * scale)),
                 int(std::lround(points.height() * scale)));
}

}  // namespace

Stage::Stage(Window* window) : window_(window), scale_(window->devicePixelRatioF()) {
    setWindowTitle(window->windowTitle());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusProxy(window);
    window->setParent(this);
    window->move(0, 0);
    resize(kPhone);
    keepMinimumScale();
    fitting_.setSingleShot(true);
    fitting_.setInterval(kFitDelay);
    connect(&fitting_, &QTimer::timeout, this, &Stage::fitToFrame);
}

Stage::~Stage() = default;

Stage* Stage::of(const Window* window) {
    return window ? qobject_cast<Stage*>(window->parentWidget()) : nullptr;
}

double Stage::fittingScale(const QSize& pixels) {
    const double fit = std::min(pixels.width() / kScreenWidth, pixels.height() / kScreenHeight);
    return std::clamp(fit, kMinScale, kMaxScale);
}

void Stage::setScale(double scale) {
    scale = std::clamp(scale, kMinScale, kMaxScale);
    applyScale(scale, inPixels(kPhone, scale));
}

void Stage::zoomIn() {
    const auto next = std::find_if(kLadder.begin(), kLadder.end(),
                                   [this](double step) { return step > scale_ + kSameScale; });
    if (next != kLadder.end()) setScale(*next);
}

void Stage::zoomOut() {
    const auto next = std::find_if(kLadder.rbegin(), kLadder.rend(),
                                   [this](double step) { return step < scale_ - kSameScale; });
    if (next != kLadder.rend()) setScale(*next);
}

void Stage::resetZoom() {
    setScale(kDefaultScale);
}

void Stage::applyScale(double scale, const QSize& pixels) {
    const bool changed = std::abs(scale - scale_) > kSameScale;
    applying_ = true;
    if (changed) {
        setScreenScale(screen(), scale);
        scale_ = scale;
        keepMinimumScale();
    }
    // The frame keeps (or takes) `pixels` device pixels: in points that is
    // a new size whenever the scale changed. The widget may already have
    // that size in points while its desktop window still has the pixels of
    // the old scale, so the desktop window is resized as well.
    const QSize points(std::max(1, int(std::lround(pixels.width() / scale))),
                       std::max(1, int(std::lround(pixels.height() / scale))));
    resize(points);
    if (QWindow* handle = windowHandle()) handle->resize(points);
    applying_ = false;
    centreWindow();
    update();
    if (changed) emit scaleChanged(scale);
}

void Stage::keepMinimumScale() {
    // No smaller than the phone at the smallest scale, in points of now.
    setMinimumSize(inPixels(kPhone, kMinScale / scale_));
}

void Stage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    centreWindow();
    // A resize the user makes fits the scale once it pauses: the desktop
    // reports sizes one after another while a frame is dragged, and may
    // still report the size of an earlier zoom after a later one.
    if (!applying_) fitting_.start();
}

void Stage::fitToFrame() {
    const QSize pixels = pixelSize();
    const double fit = fittingScale(pixels);
    if (std::abs(fit - scale_) > kSameScale) applyScale(fit, pixels);
}

QSize Stage::pixelSize() const {
    // The desktop window's own size: a size in points, rounded, would make
    // the fitting scale drift.
    if (const QWindow* handle = windowHandle(); handle && handle->handle())
        return handle->handle()->geometry().size();
    return inPixels(size(), scale_);
}

void Stage::centreWindow() {
    window_->move((width() - window_->width()) / 2, (height() - window_->height()) / 2);
}

void Stage::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

}  // namespace tovera::platform::ui
