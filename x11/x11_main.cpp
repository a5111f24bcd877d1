// pennydance for X11: the saver's characters on an X window, as an
// xscreensaver hack or in a window of its own.
#include <cstdio>

#include "anim/window_animation.h"
#include "x11/drawing_window.h"
#include "x11/event_loop.h"
#include "x11/fps_overlay.h"
#include "x11/step_clock.h"
#include "x11/stop_signals.h"
#include "x11/x11_options.h"

namespace {

const int ExitBadOption = 2;
const int ExitFailed = 1;

int ReportFailure(const char* what) {
  std::fprintf(stderr, "pennydance: %s\n", what);
  return ExitFailed;
}

// Everything opened for the run is closed here, whatever came of it. A stop
// signal during the start ends it there, with 0, as it does later.
int DrawUntilTheEnd(const X11OptionsRecord& options) {
  int32_t width = 0, height = 0;
  int code = 0;
  const char* failure = OpenDrawingWindow(options, &WindowPicture.Format, &width, &height);
  if (failure == nullptr && !StopWasSignalled()) {
    failure = StartWindowAnimation(options.settings, options.isPreview, width, height,
                                   MillisecondCount());
  }
  if (StopWasSignalled()) {
    code = 0;
  } else if (failure != nullptr) {
    code = ReportFailure(failure);
  } else {
    OpenFpsOverlay(options.showFps);
    code = RunEventLoop();
  }
  CloseFpsOverlay();
  EndWindowAnimation();
  CloseDrawingWindow();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  CatchStopSignals();
  X11OptionsRecord options;
  char problem[256];
  switch (ReadOptions(argc, argv, &options, problem, sizeof problem)) {
    case OptionsHelp:
      PrintHelp(stdout);
      return 0;
    case OptionsBad:
      std::fprintf(stderr, "pennydance: %s\n", problem);
      PrintUsageLine(stderr);
      return ExitBadOption;
    case OptionsRun:
      break;
  }
  return DrawUntilTheEnd(options);
}
