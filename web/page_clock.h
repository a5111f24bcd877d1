// The page's clock: the times its script passes in are performance.now()
// milliseconds; the steps keep to the core's 100 ms grid on them, and the
// fps corner counts on them too.
#pragma once

#include <cstdint>

// The first step is due at once; the grid goes on from there.
void StartPageClock(double nowMs);

// A step ran at nowMs: the next one is due at the grid's next point.
void MoveToNextStep(double nowMs);

// How long until the next step is due (0 when it is overdue).
double MillisecondsToNextStep(double nowMs);

// Counts a step that ended at nowMs and took stepMs, for the fps corner.
void NotePageStep(double nowMs, double stepMs);
