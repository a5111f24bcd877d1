#include "anim/animation_life.h"

#include "anim/anim_state.h"
#include "anim/animation_error.h"
#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sprite_motion.h"
#include "anim/sprite_field.h"
#include "anim/sprite_renderer.h"
#include "anim/sprite_sheet.h"
#include "anim/sprite_sheet_win.h"
#include "host/host_state.h"
#include "settings/saver_settings.h"
#include "settings/settings_bounds.h"
#include "settings/settings_store.h"

namespace {

void LoadSettingsForThisRun() {
  LoadSaverSettings();
  SpriteField.isPreview = HostState.isPreview;
  if (SpriteField.isPreview) {
    ReplaceSettingsForPreview(&SaverSettings);
  }
  // Values stored by other means than the dialog size the surfaces and the
  // sprite array below, so they are brought into reach first.
  BoundSettingsForRun(&SaverSettings);
}

// No union of a sprite's old and new squares is larger than this: a square
// is Zoom x 112 pixels and moves at most MoveSpeed pixels per axis.
int32_t BackSurfaceSide() {
  return SaverSettings.Zoom * (SaverSettings.MoveSpeed + SpriteSide);
}

void CreateSurfaces(HWND window) {
  AnimState.ScreenDC = GetDC(window);
  AnimState.BitsPerPixel = GetDeviceCaps(AnimState.ScreenDC, BITSPIXEL);
  AnimState.BackDC = CreateCompatibleDC(AnimState.ScreenDC);
  const int32_t side = BackSurfaceSide();
  AnimState.BackBitmap = CreateCompatibleBitmap(AnimState.ScreenDC, side, side);
  SelectObject(AnimState.BackDC, AnimState.BackBitmap);
}

// The palette and the sprite array; null text on success.
const char* CreatePaletteAndSprites() {
  AnimState.DisplayPalette = nullptr;
  if (AnimState.BitsPerPixel == 8) {
    const char* failure = CreateDisplayPalette(&SpriteField.Sheet, &AnimState.DisplayPalette);
    if (failure != nullptr) {
      return failure;
    }
  }
  SpriteField.Sprites = static_cast<SpriteState*>(
      AllocateBlock(static_cast<size_t>(SaverSettings.Number) * sizeof(SpriteState)));
  return SpriteField.Sprites == nullptr ? PosFailureText : nullptr;
}

void PlaceSpritesInClientArea(HWND window) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);
  SpriteField.LimitX = client.right - SpriteSide * SaverSettings.Zoom;
  SpriteField.LimitY = client.bottom - SpriteSide * SaverSettings.Zoom;
  PlaceSprites(SpriteField.LimitX, SpriteField.LimitY);
}

}  // namespace

bool CreateAnimation(HWND window) {
  SeedRandom(GetTickCount());
  LoadSettingsForThisRun();
  CreateSurfaces(window);
  const char* failure = BuildSpriteSheet(&SpriteField.Sheet);
  if (failure == nullptr) {
    failure = CreatePaletteAndSprites();
  }
  if (failure != nullptr) {
    // The platform destroys the refused window, and its destruction
    // releases what was acquired up to here.
    ShowSaverError(window, failure);
    return false;
  }
  PlaceSpritesInClientArea(window);
  SetTimer(window, AnimationTimerId, AnimationTimerPeriod, AnimationTimerProc);
  return true;
}

void DestroyAnimation(HWND window) {
  KillTimer(window, AnimationTimerId);
  if (AnimState.DisplayPalette != nullptr) {
    DeleteObject(AnimState.DisplayPalette);
    AnimState.DisplayPalette = nullptr;
  }
  if (AnimState.BackDC != nullptr) {
    DeleteDC(AnimState.BackDC);
    AnimState.BackDC = nullptr;
  }
  if (AnimState.BackBitmap != nullptr) {
    DeleteObject(AnimState.BackBitmap);
    AnimState.BackBitmap = nullptr;
  }
  ReleaseSpriteSheet(&SpriteField.Sheet);
  ReleaseBlock(SpriteField.Sprites);
  SpriteField.Sprites = nullptr;
  if (AnimState.ScreenDC != nullptr) {
    ReleaseDC(window, AnimState.ScreenDC);
    AnimState.ScreenDC = nullptr;
  }
  PostQuitMessage(0);
}

bool AnimationIsHeld() {
  const SpriteSheet& sheet = SpriteField.Sheet;
  bool held = AnimState.ScreenDC != nullptr || AnimState.BackDC != nullptr ||
              AnimState.BackBitmap != nullptr || AnimState.DisplayPalette != nullptr ||
              SpriteField.Sprites != nullptr || sheet.Header != nullptr;
  for (int f = 0; f < FrameCount; ++f) {
    held = held || sheet.Bitmap[f] != nullptr || sheet.Mask[f] != nullptr;
  }
  return held;
}

void CALLBACK AnimationTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  AnimationTick();
}
