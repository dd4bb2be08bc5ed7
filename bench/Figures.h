// The figures a benchmark program reports for the summary table of
// `make bench`: each figure is one JSON object on a line of its own, appended
// to the file named by TOVERA_BENCH_FIGURES (nothing is written when it is
// unset), and printed on the console in words. scripts/bench-table reads the
// file and prints the table.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace tovera::bench {

struct Figure {
    /// What was measured, in a few words (one line of the table).
    std::string name;
    double value = 0;
    /// The unit of value and baseline ("ms", "MB", "cells", ...).
    std::string unit;
    /// The figure measured the same way in the same run for comparison; 0
    /// when the goal is on the value itself.
    double baseline = 0;
    /// The goal: value (or value / baseline when there is a baseline) at
    /// most `goal`, or at least `goal` when `atLeast`.
    double goal = 0;
    bool atLeast = false;

    double ratio() const { return baseline > 0 ? value / baseline : 0; }
    bool met() const {
        const double measured = baseline > 0 ? ratio() : value;
        return value > 0 && (atLeast ? measured >= goal : measured <= goal);
    }
};

namespace detail {

inline std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace detail

/// Prints `figure` and appends it to the figures file, if one is named.
inline void reportFigure(const Figure& figure) {
    const char* goalOn = figure.baseline > 0 ? "ratio" : figure.unit.c_str();
    std::printf("%s: %.2f %s", figure.name.c_str(), figure.value, figure.unit.c_str());
    if (figure.baseline > 0)
        std::printf("; baseline %.2f %s; ratio %.2f", figure.baseline, figure.unit.c_str(),
                    figure.ratio());
    std::printf(" (goal: %s %s %.2f) %s\n", goalOn, figure.atLeast ? ">=" : "<=", figure.goal,
                figure.met() ? "met" : "NOT met");
    std::fflush(stdout);
    const char* path = std::getenv("TOVERA_BENCH_FIGURES");
    if (!path || !*path) return;
    std::ofstream out(path, std::ios::app);
    char numbers[160];
    std::snprintf(numbers, sizeof numbers,
                  "\"value\": %.4f, \"baseline\": %.4f, \"goal\": %.4f, \"at_least\": %s, "
                  "\"met\": %s",
                  figure.value, figure.baseline, figure.goal, figure.atLeast ? "true" : "false",
                  figure.met() ? "true" : "false");
    out << "{\"name\": " << detail::jsonText(figure.name)
        << ", \"unit\": " << detail::jsonText(figure.unit) << ", " << numbers << "}\n";
}

/// The console reporter that also keeps each benchmark's real time (in its
/// unit) and counters, by the benchmark's function name: the median over
/// repetitions when they ran, else the median of its runs.
class TimesReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration) {
                times_[name].push_back(run.GetAdjustedRealTime());
                for (const auto& [key, counter] : run.counters)
                    counters_[name][key] = counter.value;
            } else if (run.aggregate_name == "median") {
                medians_[name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    /// 0 when `name` did not run.
    double time(const std::string& name) const {
        if (const auto median = medians_.find(name); median != medians_.end())
            return median->second;
        const auto found = times_.find(name);
        if (found == times_.end() || found->second.empty()) return 0;
        std::vector<double> sorted = found->second;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    /// The last value of a counter of `name`; 0 when there is none.
    double counter(const std::string& name, const std::string& key) const {
        const auto found = counters_.find(name);
        if (found == counters_.end()) return 0;
        const auto value = found->second.find(key);
        return value == found->second.end() ? 0 : value->second;
    }

private:
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, double> medians_;
    std::map<std::string, std::map<std::string, double>> counters_;
};

}  // namespace tovera::bench
