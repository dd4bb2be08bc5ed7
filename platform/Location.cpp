#include "platform/Location.h"

#include "platform/MainQueue.h"
#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tovera::platform {

namespace {

std::optional<double> parseDegrees(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    if (!std::isfinite(value)) return {};
    return value;
}

}  // namespace

bool Coordinate::isValid() const {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::abs(latitude) <= 90 &&
           std::abs(longitude) <= 180;
}

Location& Location::shared() {
    static Location service;
    return service;
}

std::optional<Coordinate> Location::parseCoordinate(std::string_view text) {
    auto comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    auto latitude = parseDegrees(text.substr(0, comma));
    auto longitude = parseDegrees(text.substr(comma + 1));
    if (!latitude || !longitude) return {};
    Coordinate c{*latitude, *longitude};
    if (!c.isValid()) return {};
    return c;
}

void Location::startUpdatingLocation(LocationListener* listener) {
    running_ = true;
    if (listener && !isUpdating(listener)) listeners_.push_back(listener);
    scheduleReport(listener);
}

void Location::stopUpdatingLocation(LocationListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
    if (listeners_.empty()) running_ = false;
}

bool Location::isUpdating(const LocationListener* listener) const {
    return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
}

void Location::setPosition(const Coordinate& position) {
    if (!position.isValid()) return;
    position_ = position;
    if (running_)
        for (auto* listener : listeners_)
            scheduleReport(listener);
}

void Location::setMode(Mode mode) {
    mode_ = mode;
}

void Location::reset() {
    position_ = kDefaultPosition;
    mode_ = Mode::Fix;
    last_.reset();
    listeners_.clear();
    running_ = false;
    ++generation_;
}

void Location::scheduleReport(LocationListener* listener) {
    if (mode_ == Mode::NoFix) return;
    const unsigned generation = generation_;
    mainQueue().post([this, listener, generation] {
        // The listener may have stopped (and be gone) since the report was queued.
        if (generation != generation_ || !running_) return;
        if (listener && !isUpdating(listener)) return;
        if (mode_ == Mode::Failure) {
            if (listener)
                listener->locationDidFail(
                    {LocationError::Code::Denied, "location services are off"});
            return;
        }
        if (mode_ == Mode::NoFix) return;
        last_ = position_;
        if (listener) listener->locationDidUpdate(position_);
    });
}

}  // namespace tovera::platform
