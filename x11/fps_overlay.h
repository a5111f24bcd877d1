// --fps: steps per second and the milliseconds of the last step, drawn in
// the top-left corner after every step (not part of the picture, so a
// sprite passing under it covers it until the step ends).
#pragma once

#include <cstdint>

// Loads the font when showFps is set; without a font nothing is shown.
void OpenFpsOverlay(int32_t showFps);
void CloseFpsOverlay();

// Counts a step that took the given time and draws the corner.
void NoteStep(int64_t stepNanoseconds);
void DrawFpsOverlay();
