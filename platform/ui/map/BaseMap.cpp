#include "platform/ui/map/BaseMap.h"

#include <QFile>
#include <QPainter>

#include <cstring>
#include <mutex>
#include <optional>

#include "platform/ui/views/Font.h"

namespace tovera::platform::ui {

namespace {

constexpr double kQuantum = 1000;  // file units per degree
constexpr char kMagic[] = "TVBMAP01";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
// Views wider than this many degrees of longitude draw the world at 1:110m.
constexpr double kCoarseSpan = 20;
// Province names show once a province is this many points across or more.
constexpr double kProvinceLabelScale = 12;  // points per degree
constexpr double kCityLabelScale = 40;
// Below this the cities of the service would be one blot.
constexpr double kCityDotScale = 8;

enum Kind : std::uint8_t { kLandCells = 1, kLines = 2, kLabels = 3 };
enum Detail : std::uint8_t { kCoarse = 0, kFine = 1 };
enum Style : std::uint16_t { kProvinceName = 3, kCity = 2 };

// Reads the file's little-endian fields in order; every read checks the room.
class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}
    template <class T>
    std::optional<T> take() {
        if (at_ + sizeof(T) > std::size_t(data_.size())) return std::nullopt;
        T value;
        std::memcpy(&value, data_.constData() + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::optional<QByteArray> bytes(std::size_t n) {
        if (at_ + n > std::size_t(data_.size())) return std::nullopt;
        QByteArray out = data_.mid(qsizetype(at_), qsizetype(n));
        at_ += n;
        return out;
    }
    bool skip(std::size_t n) {
        if (at_ + n > std::size_t(data_.size())) return false;
        at_ += n;
        return true;
    }
    std::size_t left() const { return std::size_t(data_.size()) - at_; }

private:
    const QByteArray& data_;
    std::size_t at_ = 0;
};

std::optional<BaseMap::Run> readRun(Reader& in) {
    const auto n = in.take<std::uint32_t>();
    const auto x = in.take<std::int32_t>();
    const auto y = in.take<std::int32_t>();
    if (!n || !x || !y || *n == 0 || (*n - 1) * 4 > in.left()) return std::nullopt;
    BaseMap::Run run;
    run.points.reserve(*n);
    std::int64_t px = *x;
    std::int64_t py = *y;
    run.points.emplace_back(px / kQuantum, py / kQuantum);
    for (std::uint32_t i = 1; i < *n; ++i) {
        px += *in.take<std::int16_t>();
        py += *in.take<std::int16_t>();
        run.points.emplace_back(px / kQuantum, py / kQuantum);
    }
    double left = run.points[0].x(), right = left, top = run.points[0].y(), bottom = top;
    for (const QPointF& p : run.points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    run.bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
    return run;
}

bool onEdge(const QRectF& box, const QPointF& a, const QPointF& b) {
    constexpr double kEpsilon = 0.5 / kQuantum;
    auto same = [](double u, double v) { return std::abs(u - v) < kEpsilon; };
    // The land is also cut along the antimeridian.
    if (std::abs(a.x()) == 180 && a.x() == b.x()) return true;
    return (same(a.x(), box.left()) && same(b.x(), box.left())) ||
           (same(a.x(), box.right()) && same(b.x(), box.right())) ||
           (same(a.y(), box.top()) && same(b.y(), box.top())) ||
           (same(a.y(), box.bottom()) && same(b.y(), box.bottom()));
}

// Bounds of a straight run have no width or height; they still touch.
bool touches(const QRectF& bounds, const QRectF& shown) {
    return bounds.left() <= shown.right() && bounds.right() >= shown.left() &&
           bounds.top() <= shown.bottom() && bounds.bottom() >= shown.top();
}

// The cell's land to fill and its coastline to stroke (its rings without
// the cuts along the cell's border).
void buildPaths(BaseMap::Cell& cell) {
    cell.land.setFillRule(Qt::OddEvenFill);
    for (const BaseMap::Run& ring : cell.rings) {
        const auto& p = ring.points;
        cell.land.addPolygon(QPolygonF(QList<QPointF>(p.begin(), p.end())));
        cell.land.closeSubpath();
        bool drawing = false;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const QPointF& a = p[i];
            const QPointF& b = p[(i + 1) % p.size()];
            if (onEdge(cell.box, a, b)) {
                drawing = false;
                continue;
            }
            if (!drawing) cell.coast.moveTo(a);
            cell.coast.lineTo(b);
            drawing = true;
        }
    }
}

std::string& sharedPath() {
    static std::string path;
    return path;
}

}  // namespace

std::unique_ptr<BaseMap> BaseMap::load(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray data = file.readAll();
    Reader in(data);
    const auto magic = in.bytes(kMagicSize);
    const auto sections = in.take<std::uint32_t>();
    if (!magic || *magic != QByteArray(kMagic) || !sections) return nullptr;
    auto map = std::make_unique<BaseMap>();
    map->fineRegion_ = QRectF();
    for (std::uint32_t s = 0; s < *sections; ++s) {
        const auto kind = in.take<std::uint8_t>();
        const auto detail = in.take<std::uint8_t>();
        const auto style = in.take<std::uint16_t>();
        const auto count = in.take<std::uint32_t>();
        if (!kind || !detail || !style || !count) return nullptr;
        for (std::uint32_t i = 0; i < *count; ++i) {
            if (*kind == kLandCells) {
                const auto cx = in.take<std::int16_t>();
                const auto cy = in.take<std::int16_t>();
                const auto rings = in.take<std::uint16_t>();
                if (!cx || !cy || !rings) return nullptr;
                Cell cell{QRectF(*cx * 5.0, *cy * 5.0, 5, 5), {}};
                for (std::uint16_t r = 0; r < *rings; ++r) {
                    auto run = readRun(in);
                    if (!run) return nullptr;
                    cell.rings.push_back(std::move(*run));
                }
                buildPaths(cell);
                if (*detail == kFine) map->fineRegion_ |= cell.box;
                (*detail == kFine ? map->fine_ : map->coarse_).push_back(std::move(cell));
            } else if (*kind == kLines) {
                auto run = readRun(in);
                if (!run) return nullptr;
                map->borders_.push_back(std::move(*run));
            } else if (*kind == kLabels) {
                const auto x = in.take<std::int32_t>();
                const auto y = in.take<std::int32_t>();
                const auto length = in.take<std::uint8_t>();
                const auto text = length ? in.bytes(*length) : std::nullopt;
                if (!x || !y || !text) return nullptr;
                Label label{QPointF(*x / kQuantum, *y / kQuantum), QString::fromUtf8(*text)};
                (*style == kCity ? map->cities_ : map->provinces_).push_back(std::move(label));
            } else {
                return nullptr;
            }
        }
    }
    return map;
}

void BaseMap::setPath(const std::string& path) {
    sharedPath() = path;
}

const BaseMap* BaseMap::shared() {
    // Read once, on the first map drawn; a missing file stays missing.
    static std::once_flag once;
    static std::unique_ptr<BaseMap> map;
    std::call_once(once, [] { map = load(sharedPath()); });
    return map.get();
}

void BaseMap::draw(QPainter& painter, const Viewport& view) const {
    const double k = view.pointsPerDegree;
    const double halfWidth = view.size.width() / 2 / k;
    const double halfHeight = view.size.height() / 2 / k;
    const QRectF shown(view.center.x() - halfWidth, view.center.y() - halfHeight, 2 * halfWidth,
                       2 * halfHeight);
    painter.save();
    painter.setTransform(QTransform(k, 0, 0, -k, view.size.width() / 2 - view.center.x() * k,
                                    view.size.height() / 2 + view.center.y() * k),
                         true);
    drawLand(painter, view, shown);
    QPen border(QColor(0xA8, 0x8F, 0xB5), 1, Qt::DashLine);
    border.setCosmetic(true);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    for (const Run& run : borders_)
        if (touches(run.bounds, shown))
            painter.drawPolyline(run.points.data(), int(run.points.size()));
    painter.restore();
    if (k >= kProvinceLabelScale) drawLabels(painter, view, shown, provinces_, false, true);
    if (k >= kCityDotScale) drawLabels(painter, view, shown, cities_, true, k >= kCityLabelScale);
}

void BaseMap::drawLand(QPainter& painter, const Viewport& view, const QRectF& shown) const {
    const bool coarseOnly = view.size.width() / view.pointsPerDegree > kCoarseSpan;
    QPen coast(QColor(0x8C, 0xA9, 0xB8), 1);
    coast.setCosmetic(true);
    const QColor land(0xF2, 0xEF, 0xE6);
    auto drawCells = [&](const std::vector<Cell>& cells, bool fine) {
        for (const Cell& cell : cells) {
            if (!cell.box.intersects(shown)) continue;
            // At close range the fine cells stand in for the coarse ones of
            // their region.
            if (!fine && !coarseOnly && fineRegion_.contains(cell.box.center())) continue;
            painter.fillPath(cell.land, land);
            painter.strokePath(cell.coast, coast);
        }
    };
    drawCells(coarse_, false);
    if (!coarseOnly) drawCells(fine_, true);
}

void BaseMap::drawLabels(QPainter& painter, const Viewport& view, const QRectF& shown,
                         const std::vector<Label>& labels, bool dots, bool names) {
    const double k = view.pointsPerDegree;
    const QRectF near = shown.adjusted(-60 / k, -20 / k, 60 / k, 20 / k);
    painter.save();
    painter.setFont(Font::system(11));
    for (const Label& label : labels) {
        if (!near.contains(label.at)) continue;
        const QPointF at(view.size.width() / 2 + (label.at.x() - view.center.x()) * k,
                         view.size.height() / 2 - (label.at.y() - view.center.y()) * k);
        if (dots) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0x8A, 0x80, 0x6C));
            painter.drawEllipse(at, 3, 3);
        }
        if (names) {
            painter.setPen(QColor(0x5E, 0x57, 0x48));
            painter.drawText(at + QPointF(dots ? 5 : -12, 4), label.text);
        }
    }
    painter.restore();
}

}  // namespace tovera::platform::ui
