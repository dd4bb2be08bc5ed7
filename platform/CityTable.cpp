#include "platform/CityTable.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "platform/Text.h"

namespace tovera::platform {

namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        auto comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    return fields;
}

}  // namespace

CityTable CityTable::parse(std::string_view csv) {
    CityTable table;
    bool first = true;
    while (!csv.empty()) {
        auto newline = csv.find('\n');
        std::string_view line = trim(csv.substr(0, newline));
        csv.remove_prefix(newline == std::string_view::npos ? csv.size() : newline + 1);
        if (line.empty() || line.front() == '#') continue;
        auto fields = splitFields(line);
        std::optional<Coordinate> position;
        if (fields.size() == 4) {
            std::string text = std::string(trim(fields[2])) + "," + std::string(trim(fields[3]));
            position = Location::parseCoordinate(text);
        }
        if (!position || trim(fields[0]).empty()) {
            if (!first) ++table.skipped_;  // the header line
            first = false;
            continue;
        }
        first = false;
        table.cities_.push_back(
            City{std::string(trim(fields[0])), std::string(trim(fields[1])), *position});
    }
    return table;
}

std::optional<CityTable> CityTable::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

double CityTable::distanceKm(const Coordinate& a, const Coordinate& b) {
    constexpr double kEarthRadiusKm = 6371.0;
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double dLat = (b.latitude - a.latitude) * kRadians;
    const double dLon = (b.longitude - a.longitude) * kRadians;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(a.latitude * kRadians) * std::cos(b.latitude * kRadians) *
                         std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

const City* CityTable::nearest(const Coordinate& position, double maxKilometres) const {
    const City* best = nullptr;
    double bestDistance = maxKilometres;
    for (const auto& city : cities_) {
        double d = distanceKm(position, city.position);
        if (d <= bestDistance) {
            best = &city;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace tovera::platform
