// The floor under one animation step: for each sprite the same five GDI
// calls the step makes (the union of the old and new squares copied from
// the screen, the old mask, the new mask and the new picture stretched onto
// that copy, the copy put back), with the same rectangles, pictures,
// operations and kinds of device context and bitmap, and nothing else: no
// motion, no bookkeeping, no palette.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <cstdint>

#include "anim/sprite_motion.h"
#include "anim/sprite_sheet.h"

// Where a sprite is drawn and with which pictures of the sheet, worked out
// as the renderer does: the place in whole pixels taken as 16 bits, the
// rotation Angle >> 4 of the frame shown.
struct FloorPose {
  int32_t x;
  int32_t y;
  const uint8_t* image;
  const uint8_t* mask;
};

FloorPose FloorPoseOf(const SpriteState& sprite, const SpriteSheet& sheet);

// A memory DC with a bitmap compatible with the screen DC, as the saver's
// back surface is, and the sheet's shared colour table.
struct FloorSurfaces {
  HDC screen;
  HDC back;
  HBITMAP backBitmap;
  HGDIOBJ keptBitmap;
  const BITMAPINFO* header;
  int32_t side;  // of a drawn square: Zoom x 112
};

bool OpenFloorSurfaces(HDC screen, int32_t backSide, const uint8_t* sheetHeader, int32_t side,
                       FloorSurfaces* surfaces);
void CloseFloorSurfaces(FloorSurfaces* surfaces);

// One step's calls for count sprites going from before[i] to after[i].
void DrawFloorStep(const FloorSurfaces& surfaces, const FloorPose* before, const FloorPose* after,
                   int32_t count);
#endif
