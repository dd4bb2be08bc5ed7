// Reverse geocoding, as a stand-in: a coordinate becomes the locality of the
// nearest city of the shipped city table, reported on the main thread. Far
// from every city (open sea, abroad) there is no placemark.
#pragma once

#include "platform/CityTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tovera::platform {

/// What a reverse geocoding found.
struct Placemark {
    std::string locality;            // "合肥市"
    std::string administrativeArea;  // "安徽省"
    std::string country = "中国";
    Coordinate coordinate;
};

/// Receiver of a geocoding result, on the main thread: exactly one of the two.
class ReverseGeocoderDelegate {
public:
    virtual ~ReverseGeocoderDelegate() = default;
    virtual void reverseGeocoderDidFindPlacemark(const Placemark&) {}
    virtual void reverseGeocoderDidFail(const std::string& /*message*/) {}
};

class ReverseGeocoder {
public:
    /// Cities farther than this from a coordinate do not name it.
    static constexpr double kMaxDistanceKm = 150;

    /// Where the city table lives (cities.csv among the resources; the
    /// toolkit's start-up sets it); read on first use.
    static void setCityTablePath(const std::string& path);
    /// The city table, or null when it cannot be read (every lookup then fails).
    static const CityTable* cityTable();

    /// The nearest locality, answered at once (no queue).
    static std::optional<Placemark> placemarkFor(const Coordinate& position);

    /// Test hook: every later geocoding fails (true) or works again (false).
    static void setFailing(bool failing);

    explicit ReverseGeocoder(const Coordinate& position);
    ~ReverseGeocoder();
    ReverseGeocoder(const ReverseGeocoder&) = delete;
    ReverseGeocoder& operator=(const ReverseGeocoder&) = delete;

    /// Starts the lookup; the result reaches `delegate` through the
    /// main-thread queue unless cancel() ran or this object is gone.
    void start(ReverseGeocoderDelegate* delegate);
    void cancel();
    bool isQuerying() const { return *alive_ && querying_; }

private:
    Coordinate position_;
    bool querying_ = false;
    std::shared_ptr<bool> alive_;
};

}  // namespace tovera::platform
