// The X11 program's one process-wide record: the connection, the window it
// draws on and what it holds for drawing there. Filled when the drawing
// starts, released when it ends.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

struct X11StateRecord {
  Display* display;
  Window window;
  int32_t ownsWindow;  // the 800 x 600 window of our own, destroyed at the end
  Visual* visual;
  int32_t depth;
  GC gc;
  XImage* image;  // the window's picture (WindowPicture's pixels)
  XShmSegmentInfo segment;
  int32_t usesShm;  // the picture lies in a segment the server reads too
  XFontStruct* font;  // for --fps
  Atom deleteWindow;  // WM_DELETE_WINDOW
  int32_t windowGone;  // destroyed under us: the run ends with 0
  int32_t failed;      // another X error: the run ends with 1
};

extern X11StateRecord X11State;
