// The monotonic clock of the steps: one step every 100 ms on a fixed grid,
// so that a late step does not push the later ones (no drift).
#pragma once

#include <cstdint>

const int64_t StepPeriodNs = 100 * 1000 * 1000;

int64_t MonotonicNanoseconds();

// The monotonic clock's milliseconds, wrapped to 32 bits: each step seeds
// the random generator with it.
uint32_t MillisecondCount();

// The next grid point after now, counted from the previous one: one period
// on, or more when steps were missed (those are skipped, not run in a burst).
int64_t NextStepDeadline(int64_t previousDeadline, int64_t now);
