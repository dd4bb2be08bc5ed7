// Decoding a realistic list reply (about 200 KB of GB18030, some 40 % of it
// Chinese text) into the value tree, against the baseline of converting the
// whole reply to UTF-8 with iconv and parsing it with RapidJSON's DOM.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <rapidjson/document.h>

#include <cstdio>
#include <iomanip>
#include <map>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Figures.h"
#include "core/Gb18030.h"
#include "core/QXJson.h"

namespace {

constexpr std::size_t kReplySize = 200 * 1024;

template <std::size_t N>
const char* pick(std::mt19937& rng, const char* const (&words)[N]) {
    return words[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

int number(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// One listing of a second-hand list reply, as UTF-8 JSON.
std::string listing(std::mt19937& rng, int id) {
    static const char* const kEstates[] = {"阳光花园", "翡翠湾",   "金色港湾", "滨湖新城",
                                           "城市之光", "中央广场", "栖霞苑",   "御景华庭"};
    static const char* const kDistricts[] = {"蜀山区", "包河区", "庐阳区", "瑶海区", "政务区"};
    static const char* const kRoads[] = {"长江西路", "黄山路", "金寨路", "徽州大道", "望江西路"};
    static const char* const kLayouts[] = {"三室两厅", "两室一厅", "四室两厅两卫", "一室一厅"};
    static const char* const kDecor[] = {"精装修", "简装", "毛坯", "豪华装修"};
    static const char* const kTags[] = {"满五唯一", "近地铁", "学区房", "南北通透", "随时看房"};
    static const char* const kAgents[] = {"王先生", "李女士", "张经理", "陈先生", "刘小姐"};
    static const char* const kAgencies[] = {"安居房产经纪", "链家置业顾问", "我爱我家房产",
                                            "中原地产合肥分公司"};
    static const char* const kNotes[] = {
        "业主诚心出售，价格可谈，",     "小区环境优美，绿化率高，",   "交通便利，周边配套齐全，",
        "楼层好，采光充足，视野开阔，", "房子保养得很好，拎包入住，", "距离学校和医院都很近。"};
    const int price = number(rng, 450, 4200);
    std::string s = "{\"id\":" + std::to_string(100000 + id);
    s += ",\"title\":\"" + std::string(pick(rng, kEstates)) + " " + pick(rng, kLayouts) + " " +
         pick(rng, kDecor) + " " + pick(rng, kTags) + "\"";
    s += ",\"address\":\"合肥市" + std::string(pick(rng, kDistricts)) + pick(rng, kRoads) +
         std::to_string(number(rng, 1, 999)) + "号\"";
    s += ",\"price\":\"" + std::to_string(price / 10) + "." + std::to_string(price % 10) + "\"";
    s += ",\"unitprice\":" + std::to_string(number(rng, 6000, 32000));
    s += ",\"area\":" + std::to_string(number(rng, 35, 220)) + "." +
         std::to_string(number(rng, 10, 99));
    s += ",\"room\":" + std::to_string(number(rng, 1, 5)) +
         ",\"hall\":" + std::to_string(number(rng, 1, 2));
    s += ",\"property\":\"商品房，七十年产权，" + std::string(pick(rng, kDecor)) + "\"";
    s += ",\"community\":\"" + std::string(pick(rng, kEstates)) + "小区\",\"towards\":\"南北朝向\"";
    s += ",\"floor\":\"" + std::to_string(number(rng, 1, 30)) + "/32\"";
    s += ",\"pic\":\"http://img.tovera.example/house/2024/0" + std::to_string(number(rng, 1, 9)) +
         "/" + std::to_string(number(rng, 100000, 999999)) + "_s.jpg\"";
    s += ",\"map\":\"117." + std::to_string(number(rng, 100000, 399999)) + "|31." +
         std::to_string(number(rng, 700000, 899999)) + "\"";
    s += ",\"updatetime\":\"2024-03-" + std::to_string(number(rng, 10, 28)) +
         " 10:" + std::to_string(number(rng, 10, 59)) + ":33\"";
    s += ",\"agent\":\"" + std::string(pick(rng, kAgents)) + "\",\"agency\":\"" +
         pick(rng, kAgencies) + "\",\"phone\":\"1380055" + std::to_string(number(rng, 1000, 9999)) +
         "\"";
    s += ",\"tags\":[\"" + std::string(pick(rng, kTags)) + "\",\"" + pick(rng, kTags) + "\"]";
    s += ",\"note\":\"" + std::string(pick(rng, kNotes)) + pick(rng, kNotes) + pick(rng, kNotes) +
         pick(rng, kNotes) + pick(rng, kNotes) + "\"";
    s += ",\"isnew\":" + std::string(number(rng, 0, 1) ? "true" : "false") + "}";
    return s;
}

// The GB18030 bytes of a list reply of about kReplySize bytes.
const std::string& listReply() {
    static const std::string reply = [] {
        std::mt19937 rng(20240301);
        std::string utf8 = "{\"error_code\":200,\"msg\":\"成功\",\"result\":[";
        std::size_t size = 0;
        int count = 0;
        for (; size < kReplySize; ++count) {
            const std::string item = listing(rng, count);
            size += tovera::gb18030::fromUtf8(item)->size() + 1;
            if (count) utf8 += ',';
            utf8 += item;
        }
        utf8 += "],\"total\":" + std::to_string(count) + "}";
        const std::string gb = *tovera::gb18030::fromUtf8(utf8);
        std::size_t wide = 0;
        for (char c : gb)
            wide += static_cast<unsigned char>(c) >= 0x80;
        std::printf("reply: %zu bytes of GB18030, %zu listings, %.0f%% in Chinese characters\n",
                    gb.size(), static_cast<std::size_t>(count), 100.0 * wide / gb.size());
        std::fflush(stdout);
        return gb;
    }();
    return reply;
}

void BM_QXJsonReader(benchmark::State& state) {
    const std::string& reply = listReply();
    for (auto _ : state) {
        tovera::QXJson json;  // the transport reads every reply with a fresh facade
        auto value = json.objectWithString(reply);
        if (!value) {
            state.SkipWithError("the reader refused the reply");
            break;
        }
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

void BM_BaselineIconvRapidJson(benchmark::State& state) {
    const std::string& reply = listReply();
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    std::string utf8(reply.size() * 2, '\0');
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(reply.data());
        std::size_t inLeft = reply.size();
        char* out = utf8.data();
        std::size_t outLeft = utf8.size();
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            state.SkipWithError("iconv failed");
            break;
        }
        rapidjson::Document document;
        document.Parse(utf8.data(), utf8.size() - outLeft);
        if (document.HasParseError() || !document.IsObject()) {
            state.SkipWithError("RapidJSON refused the reply");
            break;
        }
        benchmark::DoNotOptimize(document);
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

BENCHMARK(BM_QXJsonReader);
BENCHMARK(BM_BaselineIconvRapidJson);

// Keeps the fastest time per iteration of each benchmark (over repetitions)
// for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            auto [it, fresh] = seconds_.emplace(run.run_name.function_name, 0.0);
            // CPU time: the machine may be busy with other work.
            const double t = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            if (fresh || t < it->second) it->second = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio() {
        auto reader = seconds_.find("BM_QXJsonReader");
        auto baseline = seconds_.find("BM_BaselineIconvRapidJson");
        if (reader == seconds_.end() || baseline == seconds_.end()) return;
        const double megabytes = static_cast<double>(listReply().size()) / 1e6;
        std::ostream& out = GetOutputStream();
        out << std::fixed << std::setprecision(1) << "reader " << megabytes / reader->second
            << " MB/s, baseline " << megabytes / baseline->second << " MB/s (CPU time)\n"
            << std::setprecision(3)
            << "ratio reader/baseline: " << reader->second / baseline->second << " (goal <= 1.0)"
            << std::endl;
        tovera::bench::reportFigure({"JSON list reply read (CPU time)", reader->second * 1000, "ms",
                                     baseline->second * 1000, 1.0});
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    listReply();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
