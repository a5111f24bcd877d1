#include "x11/x11_animation.h"

#include "anim/anim_state.h"
#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "anim/sprite_motion.h"
#include "host/host_state.h"
#include "settings/saver_settings.h"
#include "settings/settings_bounds.h"
#include "x11/embedded_sheet.h"
#include "x11/fps_overlay.h"
#include "x11/picture_transport.h"
#include "x11/step_clock.h"

namespace {

// In a window that cannot hold two characters side by side or one above the
// other, the preview replacements apply, as in the small preview on Windows.
const int32_t PreviewBelow = 2 * SpriteSide;

void SetLimits(int32_t width, int32_t height) {
  AnimState.LimitX = width - SpriteSide * SaverSettings.Zoom;
  AnimState.LimitY = height - SpriteSide * SaverSettings.Zoom;
}

void LoadSettingsForThisRun(const X11OptionsRecord& options, int32_t width, int32_t height) {
  SaverSettings = options.settings;
  HostState.isPreview = options.isPreview || width < PreviewBelow || height < PreviewBelow;
  if (HostState.isPreview) ReplaceSettingsForPreview(&SaverSettings);
  BoundSettingsForRun(&SaverSettings);
}

}  // namespace

const char* CreateX11Animation(const X11OptionsRecord& options, const PixelFormat& format,
                               int32_t width, int32_t height) {
  SeedRandom(MillisecondCount());
  LoadSettingsForThisRun(options, width, height);
  const char* failure = BuildEmbeddedSpriteSheet(&AnimState.Sheet);
  if (failure != nullptr) return FailureInEnglish(failure);
  AnimState.Sprites = static_cast<SpriteState*>(
      AllocateBlock(static_cast<size_t>(SaverSettings.Number) * sizeof(SpriteState)));
  if (AnimState.Sprites == nullptr) return FailureInEnglish(PosFailureText);
  if (!CreatePicture(width, height, format)) return "out of memory (picture)";
  TranslateSheetColours(AnimState.Sheet);
  SetLimits(width, height);
  PlaceSprites(AnimState.LimitX, AnimState.LimitY);
  // The window shows the picture from the start: black, whatever it showed.
  SendPictureRect(PictureRect{0, 0, WindowPicture.Width, WindowPicture.Height});
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
  SetLimits(width, height);
  SendPictureRect(PictureRect{0, 0, WindowPicture.Width, WindowPicture.Height});
  return true;
}

void RepaintRect(const PictureRect& rect) {
  SendPictureRect(CutToPicture(rect));
  DrawFpsOverlay();
}

void DestroyX11Animation() {
  DestroyPicture();
  ReleaseSpriteSheet(&AnimState.Sheet);
  ReleaseBlock(AnimState.Sprites);
  AnimState.Sprites = nullptr;
}
