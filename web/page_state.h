// The page's one process-wide record: its options, the time grid of its
// steps and its fps corner. Filled when the page starts.
#pragma once

#include <cstdint>

#include "anim/step_rate.h"
#include "web/page_options.h"

struct PageStateRecord {
  PageOptionsRecord options;
  int64_t deadline;  // of the next step, in nanoseconds of the page's clock
  StepRateRecord rate;
  char message[512];  // what the address had that was ignored, or the failure
  char fpsText[64];
};

extern PageStateRecord PageState;
