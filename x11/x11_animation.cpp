#include "x11/x11_animation.h"

#include "anim/embedded_sheet.h"
#include "anim/failure_texts.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "anim/sprite_field.h"
#include "anim/window_field.h"
#include "settings/saver_settings.h"
#include "x11/fps_overlay.h"
#include "x11/picture_transport.h"
#include "x11/step_clock.h"

namespace {

void SendWholePicture() {
  SendPictureRect(PictureRect{0, 0, WindowPicture.Width, WindowPicture.Height});
}

}  // namespace

const char* CreateX11Animation(const X11OptionsRecord& options, const PixelFormat& format,
                               int32_t width, int32_t height) {
  SeedRandom(MillisecondCount());
  const char* failure = BuildEmbeddedSpriteSheet(&SpriteField.Sheet);
  if (failure == nullptr) failure = StartWindowField(options.settings, options.isPreview, width, height);
  if (failure != nullptr) return EnglishFailureText(failure);
  if (!CreatePicture(width, height, format)) return "Not enough memory (picture)";
  TranslateSheetColours(SpriteField.Sheet);
  // The window shows the picture from the start: black, whatever it showed.
  SendWholePicture();
  return nullptr;
}

void RunAnimationStep() {
  const int64_t started = MonotonicNanoseconds();
  SeedRandom(MillisecondCount());
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    SendPictureRect(MoveAndComposeSprite(index));
  }
  // Flushed, not waited for: a reply from the server would cost Xlib a
  // heap block on every step. A pixel changed while the server still reads
  // an earlier rectangle is sent again with its own sprite's rectangle.
  FlushSending();
  NoteStep(MonotonicNanoseconds() - started);
}

bool FollowWindowSize(int32_t width, int32_t height) {
  const PixelFormat format = WindowPicture.Format;
  DestroyPicture();
  if (!CreatePicture(width, height, format)) return false;
  FollowWindowFieldSize(width, height);
  SendWholePicture();
  return true;
}

void RepaintRect(const PictureRect& rect) {
  SendPictureRect(CutToPicture(rect));
  DrawFpsOverlay();
}

void DestroyX11Animation() {
  DestroyPicture();
  ReleaseSpriteSheet(&SpriteField.Sheet);
  EndWindowField();
}
