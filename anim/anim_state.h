// The Windows animation's one process-wide record, filled when the saver
// window is created and released when it is destroyed; the sheet, the sprites
// and their limits are in SpriteField, which the other platforms share.
#pragma once

#include <cstdint>

#include "host/win_types.h"

struct AnimStateRecord {
  HDC ScreenDC;
  int32_t BitsPerPixel;
  HDC BackDC;
  HBITMAP BackBitmap;
  HPALETTE DisplayPalette;
};

extern AnimStateRecord AnimState;
