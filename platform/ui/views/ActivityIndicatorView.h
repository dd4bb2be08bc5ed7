// The spinner: twelve spokes turning while it animates; hidden when stopped
// unless told otherwise (then it shows its still spokes).
#pragma once

#include "platform/ui/views/View.h"

#include <QBasicTimer>

namespace tovera::platform::ui {

class ActivityIndicatorView : public View {
    Q_OBJECT
public:
    enum class Style { WhiteLarge, White, Gray };

    explicit ActivityIndicatorView(Style style = Style::White, QWidget* parent = nullptr);

    Style style() const { return style_; }
    void setStyle(Style style);
    void setColor(const QColor& color);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);

    /// 37 points for the large style, 20 otherwise.
    static double sideForStyle(Style style);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateTimer();
    void hideWhileStopped();
    void showAgain();

    Style style_;
    QColor color_;
    bool animating_ = false;
    bool hidesWhenStopped_ = true;
    bool hiddenWhileStopped_ = false;
    int step_ = 0;
    QBasicTimer timer_;
};

}  // namespace tovera::platform::ui
