#include "anim/sprite_renderer.h"

#include <windows.h>

#include <cstdint>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/saver_random.h"
#include "anim/sprite_motion.h"
#include "anim/sprite_pose.h"
#include "anim/sprite_sheet.h"
#include "settings/saver_settings.h"

namespace {

RECT SquareAt(int32_t x, int32_t y, int32_t side) {
  return RECT{x, y, x + side, y + side};
}

// One 112 x 112 picture of the sheet, stretched to side x side.
void DrawPicture(int32_t x, int32_t y, int32_t side, const uint8_t* bits, DWORD operation) {
  StretchDIBits(AnimState.BackDC, x, y, side, side, 0, 0, SpriteSide, SpriteSide, bits,
                reinterpret_cast<const BITMAPINFO*>(SpriteField.Sheet.Header), DIB_RGB_COLORS,
                operation);
}

// The screen is read and written once each: the old picture is erased and
// the new one masked in on the off-screen copy of both squares' union.
void MoveAndRedrawSprite(int32_t index, int32_t side) {
  const SpritePose before = PoseOf(SpriteField.Sprites[index]);
  UpdateSprite(index);
  const SpritePose after = PoseOf(SpriteField.Sprites[index]);
  const SpriteSheet& sheet = SpriteField.Sheet;

  const RECT oldSquare = SquareAt(before.x, before.y, side);
  const RECT newSquare = SquareAt(after.x, after.y, side);
  RECT united;
  UnionRect(&united, &oldSquare, &newSquare);
  const int32_t width = united.right - united.left;
  const int32_t height = united.bottom - united.top;

  BitBlt(AnimState.BackDC, 0, 0, width, height, AnimState.ScreenDC, united.left, united.top,
         SRCCOPY);
  DrawPicture(before.x - united.left, before.y - united.top, side,
              sheet.Mask[before.frame] + before.offset, SRCAND);
  DrawPicture(after.x - united.left, after.y - united.top, side,
              sheet.Mask[after.frame] + after.offset, SRCAND);
  DrawPicture(after.x - united.left, after.y - united.top, side,
              sheet.Bitmap[after.frame] + after.offset, SRCPAINT);
  BitBlt(AnimState.ScreenDC, united.left, united.top, width, height, AnimState.BackDC, 0, 0,
         SRCCOPY);
}

}  // namespace

void AnimationTick() {
  SeedRandom(GetTickCount());
  HPALETTE keptPalette = nullptr;
  if (AnimState.DisplayPalette != nullptr) {
    keptPalette = SelectPalette(AnimState.ScreenDC, AnimState.DisplayPalette, FALSE);
    RealizePalette(AnimState.ScreenDC);
  }
  const int32_t side = SaverSettings.Zoom * SpriteSide;
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    MoveAndRedrawSprite(index, side);
  }
  if (AnimState.DisplayPalette != nullptr) {
    SelectPalette(AnimState.ScreenDC, keptPalette, FALSE);
  }
}
