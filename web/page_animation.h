// The animation's life on the page's canvas, as the X11 program's on its
// window: settings, sheet, sprites and picture are made when the page
// starts and released when the module goes; the page's clock calls the
// steps in between and tells it of size changes. Times are the page's
// performance.now() milliseconds.
#pragma once

#include <cstdint>

// Null on success, otherwise what failed (in English).
const char* CreatePageAnimation(int32_t width, int32_t height, double nowMs);

// One step: the generator re-seeded from the millisecond count, every
// sprite moved and composed, its rectangle noted; the next step's time
// moves on along the grid.
void RunPageStep(double nowMs);

// How long until the next step is due (0 when it is overdue).
double MillisecondsToNextStep(double nowMs);

// A new canvas size: a new black picture; the limits and the preview rule
// follow it. False when the picture could not be made.
bool FollowCanvasSize(int32_t width, int32_t height);

void DestroyPageAnimation();
