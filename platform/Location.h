// The device's location service, as a stand-in: the position comes from the
// command line (--location LAT,LON) or is the built-in default, and is
// reported to listeners on the main thread as a real service would report
// its first fix. Tests can make the service find no fix or fail.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovera::platform {

/// A position in degrees (WGS 84).
struct Coordinate {
    double latitude = 0;
    double longitude = 0;

    bool isValid() const;
    friend bool operator==(const Coordinate&, const Coordinate&) = default;
};

/// Why no position could be reported.
struct LocationError {
    enum class Code { Denied, Unknown };
    Code code = Code::Unknown;
    std::string message;
};

/// Receiver of position reports; both calls arrive on the main thread.
class LocationListener {
public:
    virtual ~LocationListener() = default;
    virtual void locationDidUpdate(const Coordinate&) {}
    virtual void locationDidFail(const LocationError&) {}
};

class Location {
public:
    /// How the stand-in behaves when updates start.
    enum class Mode {
        Fix,      // reports the configured position
        NoFix,    // reports nothing at all (a device still searching)
        Failure,  // reports a failure
    };

    /// The service of this process.
    static Location& shared();

    /// The position the application starts with when none is given.
    static constexpr Coordinate kDefaultPosition{31.859207, 117.30757};

    /// Parses "LAT,LON" (decimal degrees, optional spaces); nothing when the
    /// text is malformed or out of range.
    static std::optional<Coordinate> parseCoordinate(std::string_view text);

    /// Starts updates for `listener` (may be null: the service only runs).
    /// The current position is reported once, through the main-thread queue.
    void startUpdatingLocation(LocationListener* listener);
    /// Stops updates for `listener`; a report already queued for it is dropped.
    void stopUpdatingLocation(LocationListener* listener);
    bool isUpdating(const LocationListener* listener) const;

    /// Whether location services are enabled (false in the Failure mode,
    /// as on a device where the user turned them off).
    bool locationServicesEnabled() const { return mode_ != Mode::Failure; }
    /// The last position reported, if any.
    std::optional<Coordinate> lastLocation() const { return last_; }

    /// Sets the stand-in position; running listeners hear the new one.
    void setPosition(const Coordinate& position);
    Coordinate position() const { return position_; }
    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    /// Back to the default position and the Fix mode, nobody listening.
    void reset();

private:
    void scheduleReport(LocationListener* listener);

    Coordinate position_ = kDefaultPosition;
    Mode mode_ = Mode::Fix;
    std::optional<Coordinate> last_;
    std::vector<LocationListener*> listeners_;
    bool running_ = false;
    unsigned generation_ = 0;  // bumps on reset(), so reports queued before it are dropped
};

}  // namespace tovera::platform
