// A window of the test's own for the X11 program to draw into
// (--window-id), as xscreensaver's settings dialog gives it its preview:
//   x11_stage WIDTH HEIGHT [argb]
// maps a grey window of that size (with a 32-bit ARGB visual when asked),
// prints its id as 0x... and stays until it is terminated; its window goes
// with it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: x11_stage WIDTH HEIGHT [argb]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  XVisualInfo visual = {};
  visual.visual = DefaultVisual(display, screen);
  visual.depth = DefaultDepth(display, screen);
  const bool argb = argc > 3 && std::strcmp(argv[3], "argb") == 0;
  if (argb && !XMatchVisualInfo(display, screen, 32, TrueColor, &visual)) return 1;
  XSetWindowAttributes attributes = {};
  attributes.colormap = XCreateColormap(display, RootWindow(display, screen), visual.visual, AllocNone);
  attributes.background_pixel = argb ? 0xFF808080u : 0x808080u;
  attributes.border_pixel = 0;
  attributes.event_mask = StructureNotifyMask;
  const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0,
                                      std::atoi(argv[1]), std::atoi(argv[2]), 0, visual.depth,
                                      InputOutput, visual.visual,
                                      CWColormap | CWBackPixel | CWBorderPixel | CWEventMask,
                                      &attributes);
  XMapWindow(display, window);
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) break;
  }
  std::printf("0x%lx\n", window);
  std::fflush(stdout);
  // Until it is terminated: the server then destroys the window with the
  // connection. The events are only read so that the queue stays empty.
  for (XEvent event;;) XNextEvent(display, &event);
}
