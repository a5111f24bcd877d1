// The animation's one process-wide record, filled when the saver window is
// created and released when it is destroyed.
#pragma once

#include <cstdint>

#include "anim/sprite_motion.h"
#include "anim/sprite_sheet.h"
#include "host/win_types.h"

struct AnimStateRecord {
  HDC ScreenDC;
  int32_t BitsPerPixel;
  HDC BackDC;
  HBITMAP BackBitmap;
  SpriteSheet Sheet;
  HPALETTE DisplayPalette;
  SpriteState* Sprites;
  int32_t LimitX;
  int32_t LimitY;
};

extern AnimStateRecord AnimState;
