// The page's one process-wide record: its options, the time grid of its
// steps, its fps corner and the texts it hands to the page's script. Filled
// when the page starts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "anim/step_rate.h"
#include "settings/version_text.h"
#include "web/page_options.h"

struct PageStateRecord {
  PageOptionsRecord options;
  int64_t deadline;  // of the next step, in nanoseconds of the page's clock
  StepRateRecord rate;
  // Where the script writes the texts it hands over (the address may be
  // megabytes long): a heap block, kept and grown as needed.
  char* input;
  size_t inputSize;
  char message[512];  // what the address had that was ignored, or the failure
  char fpsText[64];
  char settingsQuery[160];  // the six settings as the address names them
  char settingName[32];
  char versionText[VersionTextSize];
};

extern PageStateRecord PageState;
