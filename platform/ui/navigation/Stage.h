// The desktop frame around the phone window: a resizable top-level window
// that draws the phone scaled to fit (its aspect kept, black bars on the
// sides it does not fill) and changes the scale live, by resizing or by the
// zoom keys. The phone keeps its 320 x 480 points at every scale; only the
// device pixels per point change, so hit-testing and layout stay those of
// the phone.
#pragma once

#include <QTimer>
#include <QWidget>

#include <chrono>

namespace tovera::platform::ui {

class Window;

class Stage : public QWidget {
    Q_OBJECT
public:
    static constexpr double kMinScale = 0.5;
    static constexpr double kMaxScale = 8;
    static constexpr double kDefaultScale = 2;
    /// How long a resize of the frame rests before the scale follows it.
    static constexpr std::chrono::milliseconds kFitDelay{120};

    /// Takes `window` in as its child, centred.
    explicit Stage(Window* window);
    ~Stage() override;

    /// The stage holding `window`, if it has one.
    static Stage* of(const Window* window);

    Window* phoneWindow() const { return window_; }
    /// Device pixels per point now.
    double scale() const { return scale_; }
    /// Draws the phone at `scale` (clamped to kMinScale..kMaxScale) and
    /// sizes the frame to fit the phone exactly.
    void setScale(double scale);
    /// The next larger / smaller step of the zoom ladder, or kDefaultScale.
    void zoomIn();
    void zoomOut();
    void resetZoom();

    /// The scale that fits `pixels` device pixels (clamped).
    static double fittingScale(const QSize& pixels);

signals:
    /// The scale changed, by a zoom key or by resizing the frame.
    void scaleChanged(double scale);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyScale(double scale, const QSize& pixels);
    void fitToFrame();
    void keepMinimumScale();
    QSize pixelSize() const;
    void centreWindow();

    Window* window_;
    double scale_;
    bool applying_ = false;
    QTimer fitting_;
};

}  // namespace tovera::platform::ui
