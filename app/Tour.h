// The tour (tovera --tour DIR): walks the screens that exist, one stop per
// screen, and writes a picture of the window at each stop as
// DIR/NN-name.png, printing each path. A screen that cannot be reached or a
// picture that cannot be written fails the tour. New screens add a stop to
// tourStops() (TourStops.cpp).
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tovera::app {

class toveraAppDelegate;
class Tour;

struct TourStop {
    /// Part of the picture's file name: letters, digits and "-".
    std::string name;
    /// Brings the screen up; false when it could not be reached.
    std::function<bool(Tour&)> arrive;
};

/// Every stop, in walking order.
const std::vector<TourStop>& tourStops();

class Tour {
public:
    explicit Tour(toveraAppDelegate& app) : app_(app) {}

    /// Waits for the launch to settle, then walks every stop. Returns the
    /// process exit code: 0 when every stop arrived and its picture was written.
    int walk(const std::string& dir);

    toveraAppDelegate& app() { return app_; }
    /// Runs the event loop until `done()` holds or `limit` (at most the
    /// patience) passed; returns done().
    bool waitFor(const std::function<bool()>& done,
                 std::chrono::milliseconds limit = std::chrono::seconds(15));
    /// The longest any wait lasts (a walk that expects screens not to arrive,
    /// as when the service fails on purpose, need not wait for each).
    void setPatience(std::chrono::milliseconds patience) { patience_ = patience; }

private:
    bool visit(const TourStop& stop, const std::string& path);

    toveraAppDelegate& app_;
    std::chrono::milliseconds patience_ = std::chrono::minutes(1);
};

}  // namespace tovera::app
