#include "x11/drawing_window.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "x11/x11_state.h"

namespace {

const unsigned OwnWidth = 800;
const unsigned OwnHeight = 600;

// Errors while the window is looked at or drawn on: one on our own window
// means it has gone (xscreensaver or the settings dialog destroyed it),
// which ends the run as the window's destruction does; others end it too.
int NoteXError(Display* display, XErrorEvent* error) {
  const bool aboutWindow = error->error_code == BadWindow || error->error_code == BadDrawable;
  if (aboutWindow && error->resourceid == X11State.window) {
    X11State.windowGone = 1;
    return 0;
  }
  char text[128];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "pennydance: X error: %s (request %d)\n", text, error->request_code);
  X11State.failed = 1;
  return 0;
}

// The window of --window-id, or of $XSCREENSAVER_WINDOW, else the root
// window; 0 when the variable holds no window id (drawing over the whole
// screen instead of the window xscreensaver meant would be wrong).
Window ChosenWindow(const X11OptionsRecord& options) {
  if (options.place == DrawInWindowId) return options.windowId;
  const char* named = std::getenv("XSCREENSAVER_WINDOW");
  if (named == nullptr || *named == '\0') return DefaultRootWindow(X11State.display);
  unsigned long id = 0;
  return ReadWindowId(named, &id) ? id : 0;
}

Window CreateOwnWindow() {
  Display* display = X11State.display;
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = ExposureMask | KeyPressMask | StructureNotifyMask;
  const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, OwnWidth,
                                      OwnHeight, 0, CopyFromParent, InputOutput, CopyFromParent,
                                      CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "Pennydance");
  XClassHint classHint = {const_cast<char*>("pennydance"), const_cast<char*>("Pennydance")};
  XSetClassHint(display, window, &classHint);
  X11State.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &X11State.deleteWindow, 1);
  XMapWindow(display, window);
  return window;
}

int BitsPerPixelOfDepth(int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(X11State.display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return bits;
}

const char* VisualClassName(int visualClass) {
  switch (visualClass) {
    case StaticGray: return "StaticGray";
    case GrayScale: return "GrayScale";
    case StaticColor: return "StaticColor";
    case PseudoColor: return "PseudoColor";
    case TrueColor: return "TrueColor";
    case DirectColor: return "DirectColor";
    default: return "unknown";
  }
}

}  // namespace

const char* OpenDrawingWindow(const X11OptionsRecord& options, PixelFormat* format,
                              int32_t* width, int32_t* height) {
  static char problem[256];
  X11State.display = XOpenDisplay(nullptr);
  if (X11State.display == nullptr) {
    std::snprintf(problem, sizeof problem, "cannot open the display \"%s\"", XDisplayName(nullptr));
    return problem;
  }
  XSetErrorHandler(NoteXError);
  if (options.place == DrawInOwnWindow) {
    X11State.window = CreateOwnWindow();
    X11State.ownsWindow = 1;
  } else {
    X11State.window = ChosenWindow(options);
    if (X11State.window == 0) {
      std::snprintf(problem, sizeof problem, "$XSCREENSAVER_WINDOW \"%.64s\" is not a window id",
                    std::getenv("XSCREENSAVER_WINDOW"));
      return problem;
    }
    // Another client's window: only its size changes, its pictures and its
    // end are asked for, nothing of it is changed. Asked before its size is
    // read, so that no change in between goes unseen.
    XSelectInput(X11State.display, X11State.window, ExposureMask | StructureNotifyMask);
  }
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(X11State.display, X11State.window, &attributes) || X11State.windowGone) {
    std::snprintf(problem, sizeof problem, "there is no window 0x%lx", X11State.window);
    X11State.window = 0;
    return problem;
  }
  X11State.visual = attributes.visual;
  X11State.depth = attributes.depth;
  const int bitsPerPixel = BitsPerPixelOfDepth(attributes.depth);
  const Visual* visual = attributes.visual;
  if (visual->c_class != TrueColor ||
      !DescribeTrueColour(attributes.depth, bitsPerPixel, static_cast<uint32_t>(visual->red_mask),
                          static_cast<uint32_t>(visual->green_mask),
                          static_cast<uint32_t>(visual->blue_mask), format)) {
    std::snprintf(problem, sizeof problem,
                  "cannot draw on a %s visual of depth %d at %d bits per pixel (masks %lx %lx %lx); "
                  "TrueColor at depth 24 or 32, or 16 as 5-6-5, is needed",
                  VisualClassName(visual->c_class), attributes.depth, bitsPerPixel,
                  visual->red_mask, visual->green_mask, visual->blue_mask);
    return problem;
  }
  X11State.gc = XCreateGC(X11State.display, X11State.window, 0, nullptr);
  XSetGraphicsExposures(X11State.display, X11State.gc, False);
  *width = attributes.width;
  *height = attributes.height;
  return nullptr;
}

void CloseDrawingWindow() {
  Display* display = X11State.display;
  if (display == nullptr) return;
  if (X11State.gc != nullptr) XFreeGC(display, X11State.gc);
  X11State.gc = nullptr;
  if (X11State.ownsWindow && !X11State.windowGone) XDestroyWindow(display, X11State.window);
  X11State.window = 0;
  X11State.ownsWindow = 0;
  XCloseDisplay(display);
  X11State.display = nullptr;
}
