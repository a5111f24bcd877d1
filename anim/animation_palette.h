// The display palette on 8-bit displays, realized when the window is asked.
#pragma once

#include <windows.h>

// 1 when realizing changed entries (the animation has then been redrawn by
// one extra step) or when there is no palette at all; 0 otherwise.
LRESULT RealizeDisplayPalette();
