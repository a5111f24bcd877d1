// Platform-free core: the steps' times, one every 100 ms on a fixed grid, so
// that a late step does not push the later ones (no drift), and steps missed
// while the program could not run are skipped, not run in a burst.
#pragma once

#include <cstdint>

const int64_t StepPeriodNs = 100 * 1000 * 1000;

// The next grid point after now, counted from the previous one: one period
// on, or more when steps were missed.
int64_t NextStepDeadline(int64_t previousDeadline, int64_t now);
