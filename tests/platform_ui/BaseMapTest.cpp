// The shipped base layer: it reads, it holds the provinces and the service's
// cities where they are, a broken file gives no map, and drawing a view
// puts land and sea where they belong.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>

#include "platform/ui/map/BaseMap.h"
#include "platform/ui/map/MapProjection.h"
#include "tests/support/TempHome.h"

using namespace tovera::platform::ui;
using tovera::platform::Coordinate;

namespace {

const std::string kShipped = TOVERA_RESOURCE_DIR "/basemap.bin";
constexpr double kDegrees = 180.0 / std::numbers::pi;

const BaseMap::Label* find(const std::vector<BaseMap::Label>& labels, const QString& text) {
    for (const auto& label : labels)
        if (label.text == text) return &label;
    return nullptr;
}

TEST(BaseMap, ShippedLayerHoldsLandProvincesAndTheServiceCities) {
    auto map = BaseMap::load(kShipped);
    ASSERT_TRUE(map);
    EXPECT_GT(map->coarseLand().size(), 100u);
    EXPECT_GT(map->fineLand().size(), 50u);
    EXPECT_GT(map->borders().size(), 100u);
    EXPECT_GE(map->provinces().size(), 31u);
    EXPECT_TRUE(find(map->provinces(), QStringLiteral("安徽")) ||
                find(map->provinces(), QStringLiteral("安徽省")));
    const BaseMap::Label* hefei = find(map->cities(), QStringLiteral("合肥"));
    ASSERT_TRUE(hefei);
    EXPECT_NEAR(hefei->at.x(), 117.30757, 0.001);
    EXPECT_NEAR(hefei->at.y(), MapProjection::mercatorY(31.859207) * kDegrees, 0.001);
    // No coastline runs along a cell's cut edge.
    for (const BaseMap::Cell& cell : map->fineLand())
        for (int i = 0; i < cell.coast.elementCount(); ++i) {
            const auto e = cell.coast.elementAt(i);
            ASSERT_TRUE(cell.box.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(QPointF(e.x, e.y)));
        }
}

TEST(BaseMap, ABrokenOrMissingFileGivesNoMap) {
    EXPECT_FALSE(BaseMap::load("/nonexistent/basemap.bin"));
    tovera::testing::TempDir dir;
    QFile shipped(QString::fromStdString(kShipped));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray whole = shipped.readAll();
    for (qsizetype cut : {qsizetype(4), qsizetype(20), whole.size() / 2, whole.size() - 3}) {
        const std::string path = (dir.path() / "cut.bin").string();
        QFile out(QString::fromStdString(path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(whole.left(cut));
        out.close();
        EXPECT_FALSE(BaseMap::load(path)) << cut;
    }
}

TEST(BaseMap, DrawingPutsLandInlandAndSeaOffshore) {
    auto map = BaseMap::load(kShipped);
    ASSERT_TRUE(map);
    const QColor sea(0x10, 0x20, 0xF0);
    // East China from Hefei to the sea east of Shanghai, 10 degrees across.
    const Coordinate centre{31.0, 121.0};
    const double ppd = 40;
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(sea);
    QPainter painter(&image);
    map->draw(painter,
              {QPointF(centre.longitude, MapProjection::mercatorY(centre.latitude) * kDegrees), ppd,
               QSizeF(400, 400)});
    painter.end();
    auto pixel = [&](double lat, double lon) {
        const double x = 200 + (lon - centre.longitude) * ppd;
        const double y =
            200 - (MapProjection::mercatorY(lat) - MapProjection::mercatorY(centre.latitude)) *
                      kDegrees * ppd;
        return image.pixelColor(int(std::lround(x)), int(std::lround(y)));
    };
    EXPECT_NE(pixel(32.3, 117.0), sea) << "inland Anhui";
    EXPECT_EQ(pixel(30.0, 125.0), sea) << "the East China Sea";
}

}  // namespace
