#include "x11/fps_overlay.h"

#include <cstdio>
#include <cstring>

#include "anim/step_rate.h"
#include "anim/window_picture.h"
#include "x11/step_clock.h"
#include "x11/x11_state.h"

namespace {

struct FpsRecord {
  int32_t shown;
  StepRateRecord rate;
};

FpsRecord Fps = {};

const int32_t Margin = 4;

}  // namespace

void OpenFpsOverlay(int32_t showFps) {
  Fps = FpsRecord{};
  if (!showFps) return;
  X11State.font = XLoadQueryFont(X11State.display, "fixed");
  if (X11State.font == nullptr) return;
  Fps.shown = 1;
  StartStepRate(&Fps.rate, MonotonicNanoseconds());
  XSetFont(X11State.display, X11State.gc, X11State.font->fid);
}

void CloseFpsOverlay() {
  if (X11State.font != nullptr) XFreeFont(X11State.display, X11State.font);
  X11State.font = nullptr;
  Fps.shown = 0;
}

void NoteStep(int64_t stepNanoseconds) {
  if (!Fps.shown) return;
  NoteStepRate(&Fps.rate, MonotonicNanoseconds(), stepNanoseconds);
  DrawFpsOverlay();
}

void DrawFpsOverlay() {
  if (!Fps.shown) return;
  char text[64];
  FormatStepRate(Fps.rate, text, sizeof text);
  Display* display = X11State.display;
  XSetForeground(display, X11State.gc, PixelOfColour(WindowPicture.Format, 0xFFFFFF));
  XSetBackground(display, X11State.gc, PixelOfColour(WindowPicture.Format, 0x000000));
  XDrawImageString(display, X11State.window, X11State.gc, Margin, Margin + X11State.font->ascent,
                   text, static_cast<int>(std::strlen(text)));
}
