// What the page's script calls: the WebAssembly module's exports. The
// script owns the canvas, the clock's timer and the page's events; the
// picture and the rectangles it puts are read straight from this memory.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "anim/window_picture.h"
#include "web/canvas_picture.h"
#include "web/page_animation.h"
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
  const char* failure = CreatePageAnimation(width, height, nowMs);
  if (failure == nullptr) return Started;
  SayFailure(failure);
  return Failed;
}

EMSCRIPTEN_KEEPALIVE const char* pennydance_message() { return PageState.message; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_show_fps() { return PageState.options.showFps; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_resize(int32_t width, int32_t height) {
  if (FollowCanvasSize(width, height)) return Started;
  SayFailure("Not enough memory (picture)");
  return Failed;
}

EMSCRIPTEN_KEEPALIVE void pennydance_step(double nowMs) { RunPageStep(nowMs); }

EMSCRIPTEN_KEEPALIVE double pennydance_wait(double nowMs) { return MillisecondsToNextStep(nowMs); }

EMSCRIPTEN_KEEPALIVE uint8_t* pennydance_pixels() { return WindowPicture.Pixels; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_width() { return WindowPicture.Width; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_height() { return WindowPicture.Height; }

EMSCRIPTEN_KEEPALIVE const int32_t* pennydance_rects() { return ChangedRects(); }

// Counts a step that ended at nowMs and took stepMs (composing and
// putting), and gives the fps corner's text.
EMSCRIPTEN_KEEPALIVE const char* pennydance_fps_text(double nowMs, double stepMs) {
  NoteStepRate(&PageState.rate, static_cast<int64_t>(nowMs * 1e6), static_cast<int64_t>(stepMs * 1e6));
  FormatStepRate(PageState.rate, PageState.fpsText, sizeof PageState.fpsText);
  return PageState.fpsText;
}

}  // extern "C"
