#include "anim/step_rate.h"

#include <cstdio>

void StartStepRate(StepRateRecord* rate, int64_t now) { *rate = StepRateRecord{now, 0, 0.0, 0.0}; }

void NoteStepRate(StepRateRecord* rate, int64_t now, int64_t stepNanoseconds) {
  rate->lastStepMs = stepNanoseconds / 1e6;
  ++rate->stepsCounted;
  if (now - rate->countSince >= 1000000000) {
    rate->stepsPerSecond = rate->stepsCounted * 1e9 / static_cast<double>(now - rate->countSince);
    rate->stepsCounted = 0;
    rate->countSince = now;
  }
}

void FormatStepRate(const StepRateRecord& rate, char* text, size_t size) {
  std::snprintf(text, size, "%.1f steps/s  %.2f ms", rate.stepsPerSecond, rate.lastStepMs);
}
