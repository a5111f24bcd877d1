#ifdef _WIN32
#include "tests/bench/gdi_floor.h"

#include <algorithm>

FloorPose FloorPoseOf(const SpriteState& sprite, const SpriteSheet& sheet) {
  const int32_t offset = (sprite.Angle >> 4) * PictureBytes;
  return FloorPose{static_cast<int16_t>(sprite.PosX >> 12), static_cast<int16_t>(sprite.PosY >> 12),
                   sheet.Bitmap[sprite.Frame] + offset, sheet.Mask[sprite.Frame] + offset};
}

bool OpenFloorSurfaces(HDC screen, int32_t backSide, const uint8_t* sheetHeader, int32_t side,
                       FloorSurfaces* surfaces) {
  surfaces->screen = screen;
  surfaces->back = CreateCompatibleDC(screen);
  surfaces->backBitmap = CreateCompatibleBitmap(screen, backSide, backSide);
  surfaces->keptBitmap = SelectObject(surfaces->back, surfaces->backBitmap);
  surfaces->header = reinterpret_cast<const BITMAPINFO*>(sheetHeader);
  surfaces->side = side;
  return surfaces->back != nullptr && surfaces->backBitmap != nullptr;
}

void CloseFloorSurfaces(FloorSurfaces* surfaces) {
  SelectObject(surfaces->back, surfaces->keptBitmap);
  DeleteDC(surfaces->back);
  DeleteObject(surfaces->backBitmap);
}

void DrawFloorStep(const FloorSurfaces& s, const FloorPose* before, const FloorPose* after,
                   int32_t count) {
  const int32_t side = s.side;
  for (int32_t i = 0; i < count; ++i) {
    const FloorPose& b = before[i];
    const FloorPose& a = after[i];
    const int32_t left = std::min(b.x, a.x), top = std::min(b.y, a.y);
    const int32_t width = std::max(b.x, a.x) + side - left;
    const int32_t height = std::max(b.y, a.y) + side - top;
    BitBlt(s.back, 0, 0, width, height, s.screen, left, top, SRCCOPY);
    StretchDIBits(s.back, b.x - left, b.y - top, side, side, 0, 0, SpriteSide, SpriteSide, b.mask,
                  s.header, DIB_RGB_COLORS, SRCAND);
    StretchDIBits(s.back, a.x - left, a.y - top, side, side, 0, 0, SpriteSide, SpriteSide, a.mask,
                  s.header, DIB_RGB_COLORS, SRCAND);
    StretchDIBits(s.back, a.x - left, a.y - top, side, side, 0, 0, SpriteSide, SpriteSide, a.image,
                  s.header, DIB_RGB_COLORS, SRCPAINT);
    BitBlt(s.screen, left, top, width, height, s.back, 0, 0, SRCCOPY);
  }
}
#endif
