// The monotonic clock the X11 program's steps run by (their grid is
// anim/step_grid.h).
#pragma once

#include <cstdint>

#include "anim/step_grid.h"

int64_t MonotonicNanoseconds();

// The monotonic clock's milliseconds, wrapped to 32 bits: each step seeds
// the random generator with it.
uint32_t MillisecondCount();
