// Runs the benchmarks and then prints each figure as a ratio to its anchor,
// both measured in this same run. Each benchmark is repeated and its median
// taken (unless the command line asks otherwise): the machine is shared, and
// single runs of the longer figures move with its load. Ratios are given in
// CPU time, which the load disturbs least, and in real time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchPairs.h"

namespace {

struct Times {
    double real;
    double cpu;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median)
                times_[run.run_name.str() + (median ? "_median" : "")] = {run.GetAdjustedRealTime(),
                                                                          run.GetAdjustedCPUTime()};
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRatios to anchors measured in this run (CPU time; real time in brackets):\n");
        for (const advbench::Pair& pair : advbench::kPairs) {
            const Times* figure = Find(pair.figure);
            const Times* anchor = Find(pair.anchor);
            if (figure == nullptr || anchor == nullptr || figure->cpu <= 0 || figure->real <= 0) {
                std::printf("  %-32s not measured\n", pair.figure);
                continue;
            }
            std::printf("  %-32s %6.3f [%6.3f] x the %s of %-20s (target %s)\n", pair.figure,
                        Ratio(pair, figure->cpu, anchor->cpu), Ratio(pair, figure->real, anchor->real),
                        pair.throughput ? "throughput" : "time", pair.anchor, pair.target);
        }
    }

private:
    // Throughput ratios compare rates (higher is better); time ratios compare times.
    static double Ratio(const advbench::Pair& pair, double figure, double anchor) {
        return pair.throughput ? anchor / figure : figure / anchor;
    }
    const Times* Find(const std::string& name) const {
        for (const std::string& key : {name + "_median", name}) {
            auto it = times_.find(key);
            if (it != times_.end()) return &it->second;
        }
        return nullptr;
    }

    std::map<std::string, Times> times_;
};

bool Given(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=3";
    char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    if (!Given(argc, argv, "--benchmark_repetitions")) {
        args.push_back(repetitions);
        args.push_back(aggregatesOnly);
    }
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
