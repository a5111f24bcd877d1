#include "tools/artgen/contact_sheet.h"

#include "tools/artgen/bmp24.h"


namespace {

const int Rotations[] = {0, 2, 4, 8, 12, 16, 21, 24, 29};
const int RotationRows = sizeof(Rotations) / sizeof(Rotations[0]);
const int Enlarge = 2;
const int Gap = 8;
const int Cell = SpriteSide * Enlarge;
const int SheetWidth = FrameCount * Cell + (FrameCount + 1) * Gap;
const int SheetHeight = RotationRows * Cell + (RotationRows + 1) * Gap;

// Masks the sprite onto the black sheet as the renderer does: the mask with
// AND, then the image with OR, both through frame 0's colour table.
void Composite(std::vector<uint8_t>* rgb, int left, int top, const uint8_t* image,
               const uint8_t* mask, const uint8_t* table) {
  for (int row = 0; row < SpriteSide; ++row) {
    int y = SpriteSide - 1 - row;  // stored rows are bottom-up
    for (int x = 0; x < SpriteSide; ++x) {
      const uint8_t* m = table + 4 * mask[row * SpriteSide + x];
      const uint8_t* c = table + 4 * image[row * SpriteSide + x];
      for (int dy = 0; dy < Enlarge; ++dy)
        for (int dx = 0; dx < Enlarge; ++dx) {
          uint8_t* d = &(*rgb)[3 * ((top + y * Enlarge + dy) * SheetWidth + left + x * Enlarge + dx)];
          for (int k = 0; k < 3; ++k) d[k] = static_cast<uint8_t>((d[k] & m[k]) | c[k]);
        }
    }
  }
}

}  // namespace

Bytes ContactSheetFile(const SpriteSheet& sheet) {
  std::vector<uint8_t> rgb(3 * SheetWidth * SheetHeight, 0);  // blue, green, red; top row first
  const uint8_t* table = sheet.Header + 40;
  for (int f = 0; f < FrameCount; ++f) {
    for (int i = 0; i < RotationRows; ++i) {
      int offset = Rotations[i] * PictureBytes;
      Composite(&rgb, Gap + f * (Cell + Gap), Gap + i * (Cell + Gap), sheet.Bitmap[f] + offset,
                sheet.Mask[f] + offset, table);
    }
  }
  return Bmp24File(rgb, SheetWidth, SheetHeight);
}
