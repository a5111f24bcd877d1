// The page's settings from the query of its address, named as the X11
// program's options: "?number=64&zoom=2&move-speed=..&rot-speed=..&
// rot-time-min=..&rot-time-max=..&fps=1&preview=1". Settings not given keep
// the table's defaults, and all six are bounded as the dialog's OK bounds
// them. A key that is unknown or a value that is not a whole number is
// ignored and named, for the page's one console warning. Pure code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/saver_settings.h"

struct PageOptionsRecord {
  SaverSettingsRecord settings;
  int32_t isPreview;  // preview=1
  int32_t showFps;    // fps=1
};

// query with or without its leading '?'; ignored gets the pieces ignored,
// each in quotes, or "" when there were none.
void ReadPageOptions(const char* query, PageOptionsRecord* options, char* ignored,
                     size_t ignoredSize);
