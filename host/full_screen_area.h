// Where the full-screen saver window goes: over every monitor, the bounding
// rectangle of them all (the virtual screen), or the one screen where the
// platform knows no virtual screen (Windows 95 and NT 4 answer 0).
#pragma once

#include <cstdint>

// The system metrics the choice rests on, as GetSystemMetrics answers them.
struct ScreenMetrics {
  int32_t virtualLeft;    // SM_XVIRTUALSCREEN
  int32_t virtualTop;     // SM_YVIRTUALSCREEN
  int32_t virtualWidth;   // SM_CXVIRTUALSCREEN
  int32_t virtualHeight;  // SM_CYVIRTUALSCREEN
  int32_t screenWidth;    // SM_CXSCREEN
  int32_t screenHeight;   // SM_CYSCREEN
};

struct ScreenArea {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
};

ScreenArea FullScreenArea(const ScreenMetrics& metrics);
