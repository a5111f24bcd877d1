// Platform-free core: what the fps corner shows, counted the same way by the
// X11 program and the page: steps per second over the last whole second, and
// the milliseconds the last step took.
#pragma once

#include <cstddef>
#include <cstdint>

struct StepRateRecord {
  int64_t countSince;  // start of the current second, in nanoseconds
  int32_t stepsCounted;
  double stepsPerSecond;
  double lastStepMs;
};

void StartStepRate(StepRateRecord* rate, int64_t now);

// A step that ended at now and took stepNanoseconds.
void NoteStepRate(StepRateRecord* rate, int64_t now, int64_t stepNanoseconds);

// "10.0 steps/s  0.21 ms"
void FormatStepRate(const StepRateRecord& rate, char* text, size_t size);
