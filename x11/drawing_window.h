// Where the program draws, the xscreensaver way: the window xscreensaver
// names in $XSCREENSAVER_WINDOW or the root window (--root), a window given
// by id (--window-id, the settings dialog's preview), or an 800 x 600
// window of its own titled "Pennydance".
#pragma once

#include <cstdint>

#include "anim/window_picture.h"
#include "x11/x11_options.h"

// Opens the display and takes or makes the window; fills X11State's
// display, window, visual, depth, GC and the pixel format. Null on success,
// otherwise what went wrong (exit 1).
const char* OpenDrawingWindow(const X11OptionsRecord& options, PixelFormat* format,
                              int32_t* width, int32_t* height);

// Frees the GC, destroys the window when it is our own, closes the display.
void CloseDrawingWindow();
