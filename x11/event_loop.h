// The program's loop: X events as they come, a step every 100 ms on the
// monotonic clock, and SIGTERM and SIGINT (how xscreensaver stops a hack)
// as a clean end.
#pragma once

// Returns the exit code: 0 for every clean end (signal, q or Escape in our
// own window, the window closed or destroyed), 1 after an X error or when
// a new size could not be followed.
int RunEventLoop();
