// The shipped table of Chinese cities (resources/cities.csv): names and the
// coordinates of their centres. It stands in for a geocoding service's
// gazetteer (reverse geocoding) and labels the map's plain canvas.
#pragma once

#include "platform/Location.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovera::platform {

struct City {
    std::string name;      // locality name as a placemark gives it, e.g. "合肥市"
    std::string province;  // e.g. "安徽省"
    Coordinate position;
};

class CityTable {
public:
    /// Parses CSV text: one "name,province,latitude,longitude" line per city;
    /// a header line, blank lines and lines starting with "#" are skipped,
    /// malformed lines are skipped and counted.
    static CityTable parse(std::string_view csv);
    /// Reads and parses a file; nothing when it cannot be read.
    static std::optional<CityTable> load(const std::string& path);

    const std::vector<City>& cities() const { return cities_; }
    std::size_t skippedLines() const { return skipped_; }

    /// The city nearest to `position` within `maxKilometres`, if any.
    const City* nearest(const Coordinate& position, double maxKilometres) const;

    /// Great-circle distance in kilometres.
    static double distanceKm(const Coordinate& a, const Coordinate& b);

private:
    std::vector<City> cities_;
    std::size_t skipped_ = 0;
};

}  // namespace tovera::platform
