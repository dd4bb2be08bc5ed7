#include "platform/ReverseGeocoder.h"

#include "platform/Log.h"
#include "platform/MainQueue.h"

namespace tovera::platform {

namespace {

struct GeocoderState {
    std::string path;
    bool loaded = false;
    std::optional<CityTable> table;
    bool failing = false;
};

GeocoderState& state() {
    static GeocoderState s;
    return s;
}

}  // namespace

void ReverseGeocoder::setCityTablePath(const std::string& path) {
    auto& s = state();
    s.path = path;
    s.loaded = false;
    s.table.reset();
}

const CityTable* ReverseGeocoder::cityTable() {
    auto& s = state();
    if (!s.loaded) {
        s.loaded = true;
        if (!s.path.empty()) s.table = CityTable::load(s.path);
        if (!s.table) logLine("city table unreadable: " + s.path);
    }
    return s.table ? &*s.table : nullptr;
}

std::optional<Placemark> ReverseGeocoder::placemarkFor(const Coordinate& position) {
    const CityTable* table = cityTable();
    if (!table || !position.isValid()) return {};
    const City* city = table->nearest(position, kMaxDistanceKm);
    if (!city) return {};
    return Placemark{city->name, city->province, "中国", position};
}

void ReverseGeocoder::setFailing(bool failing) {
    state().failing = failing;
}

ReverseGeocoder::ReverseGeocoder(const Coordinate& position)
    : position_(position), alive_(std::make_shared<bool>(false)) {}

ReverseGeocoder::~ReverseGeocoder() {
    *alive_ = false;
}

void ReverseGeocoder::start(ReverseGeocoderDelegate* delegate) {
    cancel();
    alive_ = std::make_shared<bool>(true);
    querying_ = true;
    std::weak_ptr<bool> token = alive_;
    const Coordinate position = position_;
    mainQueue().post([this, token, position, delegate] {
        auto alive = token.lock();
        if (!alive || !*alive) return;  // cancelled, or the geocoder is gone
        querying_ = false;
        *alive = false;
        if (!delegate) return;
        auto placemark = state().failing ? std::nullopt : placemarkFor(position);
        if (placemark)
            delegate->reverseGeocoderDidFindPlacemark(*placemark);
        else
            delegate->reverseGeocoderDidFail(state().failing ? "geocoding failed"
                                                             : "no placemark for this position");
    });
}

void ReverseGeocoder::cancel() {
    *alive_ = false;
    querying_ = false;
}

}  // namespace tovera::platform
