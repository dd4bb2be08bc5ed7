// The demo service on loopback: a 10-row list request (libcurl, keep-alive,
// 1000 requests; goal: median <= 2 ms) against the baseline of a bare
// cpp-httplib server answering a fixed reply of the same size; and a fresh
// start including seeding (goal < 1 s) against a restart on seeded data.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Figures.h"
#include "service/DemoService.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRequests = 1000;

// Median milliseconds of each benchmark, printed with the ratios at the end.
std::map<std::string, double>& medians() {
    static std::map<std::string, double> m;
    return m;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("tovera-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// Times kRequests GETs of `url` on one keep-alive connection.
void timeRequests(benchmark::State& state, const std::string& url, const std::string& name) {
    CURL* curl = curl_easy_init();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    std::vector<double> samples;
    for (auto _ : state) {
        body.clear();
        auto start = Clock::now();
        CURLcode rc = curl_easy_perform(curl);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (rc != CURLE_OK) state.SkipWithError(curl_easy_strerror(rc));
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000);
    }
    curl_easy_cleanup(curl);
    state.counters["median_ms"] = median(samples);
    state.counters["reply_bytes"] = static_cast<double>(body.size());
    medians()[name] = median(samples);
}

void BM_ServiceTenRowList(benchmark::State& state) {
    TempDir data;
    tovera::service::ServiceOptions options;
    options.dataDir = data.path.string();
    tovera::service::DemoService service(options);
    if (!service.start()) {
        state.SkipWithError("service did not start");
        return;
    }
    timeRequests(state,
                 service.baseUrl() + "/api/phone/news/search.aspx?t=1&cityid=3401&page=1&size=10",
                 "list");
}
BENCHMARK(BM_ServiceTenRowList)
    ->Iterations(kRequests)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Baseline: the same round trip to a bare cpp-httplib server with a fixed reply.
void BM_BaselineFixedReply(benchmark::State& state) {
    httplib::Server server;
    const std::string reply(3000, 'x');
    server.Get("/fixed", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(reply, "application/json");
    });
    server.set_keep_alive_max_count(kRequests * 2);
    server.set_tcp_nodelay(true);
    int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    timeRequests(state, "http://127.0.0.1:" + std::to_string(port) + "/fixed", "baseline");
    server.stop();
    thread.join();
}
BENCHMARK(BM_BaselineFixedReply)
    ->Iterations(kRequests)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Start (and stop) a service on `dataDir`, timed.
double timedStart(const fs::path& dataDir) {
    tovera::service::ServiceOptions options;
    options.dataDir = dataDir.string();
    auto start = Clock::now();
    tovera::service::DemoService service(options);
    bool started = service.start();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    service.stop();
    return started ? seconds : -1;
}

void BM_ServiceFreshStart(benchmark::State& state) {
    std::vector<double> samples;
    for (auto _ : state) {
        TempDir data;
        double seconds = timedStart(data.path);
        if (seconds < 0) state.SkipWithError("service did not start");
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000);
    }
    state.counters["median_ms"] = median(samples);
    medians()["fresh"] = median(samples);
}
BENCHMARK(BM_ServiceFreshStart)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// Baseline: a restart on data that is already seeded.
void BM_BaselineSeededRestart(benchmark::State& state) {
    TempDir data;
    timedStart(data.path);
    std::vector<double> samples;
    for (auto _ : state) {
        double seconds = timedStart(data.path);
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000);
    }
    state.counters["median_ms"] = median(samples);
    medians()["restart"] = median(samples);
}
BENCHMARK(BM_BaselineSeededRestart)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    auto& m = medians();
    using tovera::bench::reportFigure;
    reportFigure({"10-row list request", m["list"], "ms", 0, 2});
    reportFigure({"service fresh start with seeding", m["fresh"], "ms", 0, 1000});
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
