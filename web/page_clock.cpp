#include "web/page_clock.h"

#include "anim/step_grid.h"
#include "web/page_state.h"

namespace {

int64_t Nanoseconds(double milliseconds) { return static_cast<int64_t>(milliseconds * 1e6); }

}  // namespace

void StartPageClock(double nowMs) {
  PageState.deadline = Nanoseconds(nowMs);
  StartStepRate(&PageState.rate, Nanoseconds(nowMs));
}

void MoveToNextStep(double nowMs) {
  PageState.deadline = NextStepDeadline(PageState.deadline, Nanoseconds(nowMs));
}

double MillisecondsToNextStep(double nowMs) {
  const int64_t left = PageState.deadline - Nanoseconds(nowMs);
  return left > 0 ? left / 1e6 : 0.0;
}

void NotePageStep(double nowMs, double stepMs) {
  NoteStepRate(&PageState.rate, Nanoseconds(nowMs), Nanoseconds(stepMs));
}
