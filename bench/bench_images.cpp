// Remote pictures. (1) A cached 320 x 240 JPEG thumbnail reaching its widget:
// cache file read, decode and hand-over to the image view, as a list row
// shows it; against the bare baseline of Qt reading the same file and
// making a pixmap. (2) 200 uncached thumbnails of a list loaded through a
// screen's queue from a loopback server: the time, and the most worker
// threads of that queue alive at once (it allows 4; workers of the queues of
// earlier rounds may still be ending, so the process-wide count is no
// measure of it).
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

#include "OffscreenBench.h"
#include "framework/GetImageOperation.h"
#include "framework/ImageCache.h"
#include "framework/NetImageView.h"
#include "framework/OperationQueue.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/ImageView.h"

using namespace tovera;
using namespace tovera::platform::ui;

namespace {

constexpr int kListRows = 200;
constexpr int kQueueThreads = 4;

std::string jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes.toStdString();
}

const std::string& thumbnail() {
    static const std::string bytes = jpeg(320, 240);
    return bytes;
}

const std::string kCachedUrl = "http://127.0.0.1:1/pic/cached_thumbnail.jpg";

void BM_CachedThumbnailToWidget(benchmark::State& state) {
    ImageCache::write(kCachedUrl, thumbnail());
    NetImageView view(QRectF(0, 0, 66, 59));
    for (auto _ : state) {
        view.setImgUrl("");
        view.setImgUrl(kCachedUrl);  // reads, decodes and shows the cached picture
        benchmark::DoNotOptimize(view.netimg());
    }
    if (view.netimg().isNull()) state.SkipWithError("the cached picture did not decode");
}

void BM_QtReadFileBaseline(benchmark::State& state) {
    const QString path = QString::fromStdString(ImageCache::filePath(kCachedUrl));
    ImageView view(QRectF(0, 0, 66, 59));
    for (auto _ : state) {
        QImageReader reader(path);
        view.setImage(Image(QPixmap::fromImage(reader.read())));
        benchmark::DoNotOptimize(view.image());
    }
}

// A list cell stand-in: counts the pictures it is handed.
class Row : public QObject, public ImageDidLoadReceiver {
public:
    void imageDidLoad(const Image& image, int) override {
        if (!image.isNull()) ++loaded;
    }
    int loaded = 0;
};

void BM_UncachedListOf200(benchmark::State& state) {
    httplib::Server server;
    server.Get(".*", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(thumbnail(), "image/jpeg");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread listener([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::yield();

    int round = 0;
    int peak = 0;
    for (auto _ : state) {
        OperationQueue queue(kQueueThreads);
        Row row;
        std::atomic<bool> sampling{true};
        std::atomic<int> seen{0};
        std::thread sampler([&] {
            while (sampling) {
                seen = std::max(seen.load(), queue.threadCount());
                std::this_thread::yield();
            }
        });
        for (int i = 0; i < kListRows; ++i) {
            auto op = std::make_unique<GetImageOperation>(i, &row);
            op->setImageURL("http://127.0.0.1:" + std::to_string(port) + "/pic/r" +
                            std::to_string(round) + "_" + std::to_string(i) + ".jpg");
            GetImageOperation::enqueue(std::move(op), queue);
        }
        while (row.loaded < kListRows)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        sampling = false;
        sampler.join();
        peak = std::max(peak, seen.load());
        ++round;
    }
    state.counters["peak_threads"] = peak;
    server.stop();
    listener.join();
}

BENCHMARK(BM_CachedThumbnailToWidget)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_QtReadFileBaseline)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_UncachedListOf200)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    using namespace tovera::bench;
    return runOffscreenBenchmarks(argc, argv, "tovera-bench-images", [](const TimesReporter& t) {
        reportFigure({"worker threads alive at once, 200 uncached thumbnails",
                      t.counter("BM_UncachedListOf200", "peak_threads"), "threads", 0, 4});
    });
}
