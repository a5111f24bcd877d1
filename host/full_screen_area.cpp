#include "host/full_screen_area.h"

ScreenArea FullScreenArea(const ScreenMetrics& metrics) {
  if (metrics.virtualWidth <= 0 || metrics.virtualHeight <= 0) {
    return ScreenArea{0, 0, metrics.screenWidth, metrics.screenHeight};
  }
  return ScreenArea{metrics.virtualLeft, metrics.virtualTop, metrics.virtualWidth,
                    metrics.virtualHeight};
}
