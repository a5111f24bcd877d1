#include "x11/step_clock.h"

#include <ctime>

int64_t MonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

uint32_t MillisecondCount() { return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000); }
