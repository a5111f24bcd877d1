#include "anim/step_grid.h"

int64_t NextStepDeadline(int64_t previousDeadline, int64_t now) {
  int64_t next = previousDeadline + StepPeriodNs;
  if (next <= now) next += (now - next) / StepPeriodNs * StepPeriodNs + StepPeriodNs;
  return next;
}
