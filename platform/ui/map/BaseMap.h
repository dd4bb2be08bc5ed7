// The offline base layer of the map: land with its coastline, the provinces
// with their names, and the cities of the service, read once from the
// shipped file "basemap.bin" (made from Natural Earth data by
// tools/make-basemap.py). Points are kept as longitude and Mercator
// degrees, so that drawing a view only scales and shifts them; land comes
// in 5-degree cells and lines in short runs, each with its bounds, so a
// view draws only what it shows.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace tovera::platform::ui {

class BaseMap {
public:
    /// A run of points with its bounds (longitude, Mercator degrees).
    struct Run {
        std::vector<QPointF> points;
        QRectF bounds;
    };
    /// One land cell: its rings, filled even-odd; edges on the cell's border
    /// are cuts, not coastline.
    struct Cell {
        QRectF box;
        std::vector<Run> rings;
        QPainterPath land;
        QPainterPath coast;
    };
    struct Label {
        QPointF at;
        QString text;
    };
    /// Where a view is: its centre in longitude and Mercator degrees, its
    /// scale in points per degree, and its size.
    struct Viewport {
        QPointF center;
        double pointsPerDegree = 1;
        QSizeF size;
    };

    /// Reads the file; nothing (an empty map) when it is missing or broken.
    static std::unique_ptr<BaseMap> load(const std::string& path);
    /// The file the shared map is read from (the application sets it).
    static void setPath(const std::string& path);
    /// The shared map, read on first use; null without a readable file.
    static const BaseMap* shared();

    /// Draws land, coast, province borders and names, and the cities that
    /// fall in `view`.
    void draw(QPainter& painter, const Viewport& view) const;

    const std::vector<Cell>& coarseLand() const { return coarse_; }
    const std::vector<Cell>& fineLand() const { return fine_; }
    const std::vector<Run>& borders() const { return borders_; }
    const std::vector<Label>& provinces() const { return provinces_; }
    const std::vector<Label>& cities() const { return cities_; }

private:
    void drawLand(QPainter& painter, const Viewport& view, const QRectF& shown) const;
    static void drawLabels(QPainter& painter, const Viewport& view, const QRectF& shown,
                           const std::vector<Label>& labels, bool dots, bool names);

    std::vector<Cell> coarse_;
    std::vector<Cell> fine_;
    QRectF fineRegion_;
    std::vector<Run> borders_;
    std::vector<Label> provinces_;
    std::vector<Label> cities_;
};

}  // namespace tovera::platform::ui
