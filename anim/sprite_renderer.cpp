#include "anim/sprite_renderer.h"

#include <windows.h>

#include <cstdint>

#include "anim/anim_state.h"
#include "anim/saver_random.h"
#include "anim/sprite_motion.h"
#include "anim/sprite_sheet.h"
#include "settings/saver_settings.h"

namespace {

// Where one sprite is drawn: its top-left pixel.
struct SpritePlace {
  int32_t x;
  int32_t y;
};

// The pixel place is taken as 16 bits, as the drawing calls' coordinates
// were.
SpritePlace PlaceOf(const SpriteState& sprite) {
  return SpritePlace{static_cast<int16_t>(sprite.PosX >> 12),
                     static_cast<int16_t>(sprite.PosY >> 12)};
}

// The sheet's rotation Angle >> 4 of the frame shown, from the images or
// the masks.
const uint8_t* PictureOf(uint8_t* const (&frames)[FrameCount], const SpriteState& sprite) {
  return frames[sprite.Frame] + (sprite.Angle >> 4) * PictureBytes;
}

RECT SquareAt(int32_t x, int32_t y, int32_t side) {
  return RECT{x, y, x + side, y + side};
}

// One 112 x 112 picture of the sheet, stretched to side x side.
void DrawPicture(int32_t x, int32_t y, int32_t side, const uint8_t* bits, DWORD operation) {
  StretchDIBits(AnimState.BackDC, x, y, side, side, 0, 0, SpriteSide, SpriteSide, bits,
                reinterpret_cast<const BITMAPINFO*>(AnimState.Sheet.Header), DIB_RGB_COLORS,
                operation);
}

// The screen is read and written once each: the old picture is erased and
// the new one masked in on the off-screen copy of both squares' union.
void MoveAndRedrawSprite(int32_t index, int32_t side) {
  const SpritePlace before = PlaceOf(AnimState.Sprites[index]);
  const uint8_t* beforeMask = PictureOf(AnimState.Sheet.Mask, AnimState.Sprites[index]);
  UpdateSprite(index);
  const SpriteState& moved = AnimState.Sprites[index];
  const SpritePlace after = PlaceOf(moved);

  const RECT oldSquare = SquareAt(before.x, before.y, side);
  const RECT newSquare = SquareAt(after.x, after.y, side);
  RECT united;
  UnionRect(&united, &oldSquare, &newSquare);
  const int32_t width = united.right - united.left;
  const int32_t height = united.bottom - united.top;

  BitBlt(AnimState.BackDC, 0, 0, width, height, AnimState.ScreenDC, united.left, united.top,
         SRCCOPY);
  DrawPicture(before.x - united.left, before.y - united.top, side, beforeMask, SRCAND);
  DrawPicture(after.x - united.left, after.y - united.top, side,
              PictureOf(AnimState.Sheet.Mask, moved), SRCAND);
  DrawPicture(after.x - united.left, after.y - united.top, side,
              PictureOf(AnimState.Sheet.Bitmap, moved), SRCPAINT);
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
