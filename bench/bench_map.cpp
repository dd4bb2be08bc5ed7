// The map redrawn while it pans and zooms: with 200 pins against the bare
// map (the base layer, no pins) in the same run. Goal: under 8 ms a frame
// with the pins, at most twice the bare map.
#include <QImage>
#include <QPainter>

#include <memory>
#include <random>
#include <vector>

#include "OffscreenBench.h"
#include "platform/Location.h"
#include "platform/ui/map/BaseMap.h"
#include "platform/ui/map/MapView.h"

namespace {

using tovera::platform::Coordinate;
using tovera::platform::ui::MapAnnotation;
using tovera::platform::ui::MapView;

class Pin : public MapAnnotation {
public:
    explicit Pin(Coordinate at) : at_(at) {}
    Coordinate coordinate() const override { return at_; }
    QString title() const override { return QStringLiteral("楼盘"); }

private:
    Coordinate at_;
};

constexpr Coordinate kHefei{31.859207, 117.30757};

// One frame per iteration: a pan step, then every fourth frame a zoom step
// in or out, each drawn as the screen would draw it.
void redraw(benchmark::State& state, int pins) {
    tovera::platform::ui::BaseMap::setPath(TOVERA_RESOURCE_DIR "/basemap.bin");
    auto map = std::make_unique<MapView>(QRectF(0, 0, 320, 416));
    map->setRegion({kHefei, {0.2, 0.2}});
    std::mt19937 random(7);
    std::uniform_real_distribution<double> offset(-0.1, 0.1);
    std::vector<std::shared_ptr<MapAnnotation>> annotations;
    for (int i = 0; i < pins; ++i)
        annotations.push_back(std::make_shared<Pin>(
            Coordinate{kHefei.latitude + offset(random), kHefei.longitude + offset(random)}));
    map->addAnnotations(annotations);
    map->show();
    QImage frame(map->size() * map->devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(map->devicePixelRatioF());
    int step = 0;
    for (auto _ : state) {
        const double dx = (step % 8 < 4 ? 1 : -1) * 0.004;
        const Coordinate c = map->centerCoordinate();
        map->setCenterCoordinate({c.latitude, c.longitude + dx});
        if (step % 4 == 3) {
            const double span = map->region().span.longitudeDelta * (step % 8 == 3 ? 0.8 : 1.25);
            map->setRegion({map->centerCoordinate(), {span, span}});
        }
        QPainter painter(&frame);
        map->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(frame.constBits());
        ++step;
    }
    state.counters["pins"] = pins;
}

void BM_BareMap(benchmark::State& state) {
    redraw(state, 0);
}
void BM_Map200Pins(benchmark::State& state) {
    redraw(state, 200);
}

BENCHMARK(BM_BareMap)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map200Pins)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    using namespace tovera::bench;
    return runOffscreenBenchmarks(argc, argv, "tovera-bench-map", [](const TimesReporter& times) {
        const double pins = times.time("BM_Map200Pins");
        reportFigure({"map frame with 200 pins", pins, "ms", 0, 8});
        reportFigure({"map frame with 200 pins against the bare map", pins, "ms",
                      times.time("BM_BareMap"), 2});
    });
}
