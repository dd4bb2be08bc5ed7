// The 20-point bar at the top of the window: carrier name, the network
// activity spinner, the clock and a battery.
#pragma once

#include "platform/Timers.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

class ActivityIndicatorView;
class Label;

class StatusBar : public View {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    ~StatusBar() override;

    /// The network-activity indicator next to the carrier name.
    void setNetworkActivityIndicatorVisible(bool visible);
    bool isNetworkActivityIndicatorVisible() const { return networkActive_; }

    QString clockText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;

private:
    void tick();

    Label* carrier_ = nullptr;
    Label* clock_ = nullptr;
    ActivityIndicatorView* spinner_ = nullptr;
    bool networkActive_ = false;
    TimerId clockTimer_ = 0;
};

}  // namespace tovera::platform::ui
