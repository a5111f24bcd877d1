// What the page's script calls: the WebAssembly module's exports. The
// script owns the canvas, the clock's timer and the page's events; the
// picture and the rectangles it puts are read straight from this memory.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "anim/failure_texts.h"
#include "anim/window_animation.h"
#include "web/canvas_picture.h"
#include "web/page_clock.h"
#include "web/page_options.h"
#include "web/page_state.h"

PageStateRecord PageState = {};

namespace {

const int32_t Started = 0, Failed = 1;

void SayFailure(const char* failure) {
  std::snprintf(PageState.message, sizeof PageState.message, "%s", failure);
}

}  // namespace

extern "C" {

// Reads the address's query, builds the sheet and places the characters
// for a canvas of width x height device pixels. The message then holds what
// was ignored (a warning) or, on failure, what failed.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_start(const char* query, int32_t width, int32_t height,
                                              double nowMs) {
  ReadPageOptions(query, &PageState.options, PageState.message, sizeof PageState.message);
  const PageOptionsRecord& options = PageState.options;
  const char* failure = StartWindowAnimation(options.settings, options.isPreview, width, height,
                                             PageMillisecondCount(nowMs));
  if (failure != nullptr) {
    SayFailure(failure);
    return Failed;
  }
  StartPageClock(nowMs);
  return Started;
}

EMSCRIPTEN_KEEPALIVE const char* pennydance_message() { return PageState.message; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_show_fps() { return PageState.options.showFps; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_resize(int32_t width, int32_t height) {
  if (FollowWindowSize(width, height)) return Started;
  SayFailure(PictureFailureText);
  return Failed;
}

// One step; its rectangles are then the ones the script puts.
EMSCRIPTEN_KEEPALIVE void pennydance_step(double nowMs) {
  ForgetChangedRects();
  RunAnimationStep(PageMillisecondCount(nowMs));
  FinishChangedRects();
  MoveToNextStep(nowMs);
}

EMSCRIPTEN_KEEPALIVE double pennydance_wait(double nowMs) { return MillisecondsToNextStep(nowMs); }

EMSCRIPTEN_KEEPALIVE uint8_t* pennydance_pixels() { return WindowPicture.Pixels; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_width() { return WindowPicture.Width; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_height() { return WindowPicture.Height; }

EMSCRIPTEN_KEEPALIVE const int32_t* pennydance_rects() { return ChangedRects(); }

// How many numbers the rectangle list holds at most.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_rects_length() { return ChangedRectsLength; }

// Counts a step that ended at nowMs and took stepMs (composing and
// putting), and gives the fps corner's text.
EMSCRIPTEN_KEEPALIVE const char* pennydance_fps_text(double nowMs, double stepMs) {
  NotePageStep(nowMs, stepMs);
  FormatStepRate(PageState.rate, PageState.fpsText, sizeof PageState.fpsText);
  return PageState.fpsText;
}

}  // extern "C"
