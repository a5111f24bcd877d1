// What the two step benchmarks (the Windows module's and the X11
// program's) have in common: the settings they time, their blocks of real
// and floor steps, and how they report the spread and the table rows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/bench_table.h"

const int WarmUpSteps = 20;
const int Blocks = 8;
const int StepsPerBlock = 50;  // 400 measured steps of each kind
const double FloorGoal = 1.1;

struct BenchCase {
  const char* name;
  const char* settings;
  int32_t zoom, number, moveSpeed;
  bool isDefaults;
};

// The defaults, and the heaviest settings the dialog allows.
const BenchCase BenchCases[] = {
    {"defaults", "defaults: Number 4, Zoom 1, MoveSpeed 8", 1, 4, 8, true},
    {"worst case", "worst case: Number 256, Zoom 2, MoveSpeed 256", 2, 256, 256, false},
};

inline double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

// "median M ms (10% A, 90% B, max C)" of the steps' milliseconds.
inline std::string Spread(const std::vector<double>& ms) {
  char text[128];
  std::snprintf(text, sizeof text, "median %.3f ms (10%% %.3f, 90%% %.3f, max %.3f)",
                Percentile(ms, 0.5), Percentile(ms, 0.1), Percentile(ms, 0.9), Percentile(ms, 1.0));
  return text;
}

// Blocks of real steps and of the floor, which replays the latest real
// block; every other block the floor goes first, so that neither always
// finds the caches as the other left them.
template <typename RealSteps, typename FloorSteps>
void RunBlocks(RealSteps runSteps, FloorSteps runFloor) {
  for (int block = 0; block < Blocks; ++block) {
    const bool floorFirst = block % 2 == 1;
    if (floorFirst) runFloor();
    runSteps();
    if (!floorFirst) runFloor();
  }
}

// The medians of the step and of its floor, and their ratio.
inline void PrintStepTableRow(const char* where, const char* settings, double stepMs,
                              const char* floor, double floorMs, const char* goal) {
  char ours[32], baseline[32], ratio[32];
  std::snprintf(ours, sizeof ours, "%.3f ms", stepMs);
  std::snprintf(baseline, sizeof baseline, "%.3f ms", floorMs);
  std::snprintf(ratio, sizeof ratio, "%.3f", stepMs / floorMs);
  PrintTableRow("animation step, median of 400", where, settings, ours, floor, baseline, ratio,
                goal);
}

// A count of heap allocations, of which the goal is none.
inline void PrintAllocationRow(const char* figure, const char* where, const char* settings,
                               unsigned long count) {
  const std::string text = std::to_string(count);
  PrintTableRow(figure, where, settings, text.c_str(), "none", "0", "-",
                count == 0 ? "0: met" : "0: NOT met");
}
