// The page's settings: those the page keeps for its visitor and those of
// its address, named as the X11 program's options without regard to case:
// "?number=64&zoom=2&move-speed=..&rot-speed=..&rot-time-min=..&
// rot-time-max=..&fps=1&preview=1". Settings given by neither keep the
// table's defaults, the address's override the kept ones, and all six are
// bounded as the dialog's OK bounds them. A piece of the address that is
// unknown or whose value is no whole number is ignored and named, for the
// page's one console warning.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/saver_settings.h"

struct PageOptionsRecord {
  SaverSettingsRecord settings;
  int32_t isPreview;  // preview=1
  int32_t showFps;    // fps=1
};

// Each piece of the warning is cut at this many bytes, marked with "…".
const size_t IgnoredPieceRoom = 64;

// kept and query with or without a leading '?'; ignored gets the address's
// pieces ignored, each in quotes and cut short, ending with "and N more"
// where the room runs out, or "" when there were none.
void ReadPageOptions(const char* kept, const char* query, PageOptionsRecord* options,
                     char* ignored, size_t ignoredSize);

// The six settings as the address names them, in the table's order:
// "zoom=1&number=4&move-speed=8&rot-speed=16&rot-time-min=16&rot-time-max=48".
void FormatSettingsQuery(const SaverSettingsRecord& settings, char* text, size_t size);
