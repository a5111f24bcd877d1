// Every benchmark prints, besides its own report, one line per figure for
// the combined table that tools/run-bench.sh assembles: "table: " and then
// a markdown row of the columns below.
#pragma once

#include <cstdio>

// | figure | build, screen | settings | ours | baseline | baseline figure | ratio | goal |
inline void PrintTableRow(const char* figure, const char* where, const char* settings,
                          const char* ours, const char* baseline, const char* baselineFigure,
                          const char* ratio, const char* goal) {
  std::printf("table: | %s | %s | %s | %s | %s | %s | %s | %s |\n", figure, where, settings, ours,
              baseline, baselineFigure, ratio, goal);
  std::fflush(stdout);
}
