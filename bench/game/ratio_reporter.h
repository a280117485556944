// A console reporter that also prints, after the runs, chosen benchmarks'
// times as multiples of their baselines measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Prints "name / baseline" for each pair whose two benchmarks both ran.
  explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : ratios(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      // With repetitions the median stands for the benchmark.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      // Seconds per iteration, or per item for benchmarks that count items
      // (frames) of their own.
      double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      auto perItem = run.counters.find("seconds_per_frame");
      if (perItem != run.counters.end()) seconds = perItem->second.value;
      times[run.run_name.function_name] = seconds;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, baseline] : ratios) {
      auto a = times.find(name), b = times.find(baseline);
      if (a == times.end() || b == times.end() || b->second <= 0) continue;
      std::printf("%s: %.1f us = %.2f x %s (%.1f us)\n", name.c_str(), a->second * 1e6, a->second / b->second,
                  baseline.c_str(), b->second * 1e6);
    }
  }

 private:
  std::vector<std::pair<std::string, std::string>> ratios;
  std::map<std::string, double> times;
};

// main() for a benchmark program that ends with the ratios of `pairs`.
inline int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter(std::move(pairs));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
