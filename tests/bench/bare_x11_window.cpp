// The floor for the X11 program's memory: a bare Xlib program that opens the
// one 800 x 600 window the program opens and waits for its events, with no
// sheet, no picture and no animation. Ends on SIGTERM.
#include <X11/Xlib.h>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 800, 600,
                                            0, 0, BlackPixel(display, screen));
  XStoreName(display, window, "Pennydance");
  XSelectInput(display, window, ExposureMask | KeyPressMask | StructureNotifyMask);
  XMapWindow(display, window);
  for (XEvent event;;) XNextEvent(display, &event);
}
