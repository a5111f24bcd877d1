#include "tests/support/anim_screen_model.h"

#include <cstring>

#include "anim/heap_block.h"

namespace {

const uint8_t* PictureOf(const uint8_t* const* blocks, const SpriteState& sprite) {
  return blocks[sprite.Frame] + (sprite.Angle >> 4) * PictureBytes;
}

// Stored rows run bottom-up; the destination square is side x side pixels.
template <typename Combine>
void ApplyPicture(ScreenModel* screen, const SpriteSheet& sheet, int zoom, int left, int top,
                  const uint8_t* picture, Combine combine) {
  const int side = SpriteSide * zoom;
  for (int dy = 0; dy < side; ++dy) {
    const int y = top + dy;
    if (y < 0 || y >= screen->height) continue;
    const int storedRow = SpriteSide - 1 - dy / zoom;
    for (int dx = 0; dx < side; ++dx) {
      const int x = left + dx;
      if (x < 0 || x >= screen->width) continue;
      uint32_t& pixel = screen->pixels[size_t(y) * screen->width + x];
      pixel = combine(pixel, SheetColour(sheet, picture[storedRow * SpriteSide + dx / zoom]));
    }
  }
}

int PixelOf(int32_t coordinate) { return static_cast<int16_t>(coordinate >> 12); }

void PutLittleEndian(uint8_t* at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

ScreenModel FilledScreenModel(int width, int height, uint32_t colour) {
  return ScreenModel{width, height, std::vector<uint32_t>(size_t(width) * height, colour)};
}

uint32_t SheetColour(const SpriteSheet& sheet, uint8_t index) {
  const uint8_t* entry = sheet.Header + 40 + 4 * index;  // blue, green, red, reserved
  return uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
}

void ModelSpriteRedraw(ScreenModel* screen, const SpriteSheet& sheet, int zoom,
                       const SpriteState& before, const SpriteState& after) {
  auto both = [](uint32_t a, uint32_t b) { return a & b; };
  auto either = [](uint32_t a, uint32_t b) { return a | b; };
  ApplyPicture(screen, sheet, zoom, PixelOf(before.PosX), PixelOf(before.PosY),
               PictureOf(sheet.Mask, before), both);
  ApplyPicture(screen, sheet, zoom, PixelOf(after.PosX), PixelOf(after.PosY),
               PictureOf(sheet.Mask, after), both);
  ApplyPicture(screen, sheet, zoom, PixelOf(after.PosX), PixelOf(after.PosY),
               PictureOf(sheet.Bitmap, after), either);
}

void FillSyntheticSheet(SpriteSheet* sheet) {
  sheet->Header = static_cast<uint8_t*>(AllocateBlock(HeaderBytes));
  std::memset(sheet->Header, 0, HeaderBytes);
  uint8_t* header = sheet->Header;
  PutLittleEndian(header + 0, 40, 4);
  PutLittleEndian(header + 4, SpriteSide, 4);
  PutLittleEndian(header + 8, SpriteSide, 4);  // positive: bottom-up rows
  PutLittleEndian(header + 12, 1, 2);
  PutLittleEndian(header + 14, 8, 2);
  PutLittleEndian(header + 20, PictureBytes, 4);
  PutLittleEndian(header + 32, 256, 4);
  PutLittleEndian(header + 36, 20, 4);
  uint8_t* table = header + 40;
  for (int k = 1; k <= 18; ++k) {
    // Bright, distinct, and each with bits the others lack, so a wrong
    // AND or OR shows as a colour of its own.
    table[4 * k + 0] = static_cast<uint8_t>(0x40 + 11 * k);          // blue
    table[4 * k + 1] = static_cast<uint8_t>(((k * 97) & 0xFF) | 0x21);  // green
    table[4 * k + 2] = static_cast<uint8_t>(0xFF - 9 * k);            // red
  }
  std::memset(table + 4 * 19, 0xFF, 3);
  for (int f = 0; f < FrameCount; ++f) {
    sheet->Bitmap[f] = static_cast<uint8_t*>(AllocateBlock(FrameBlockBytes));
    sheet->Mask[f] = static_cast<uint8_t*>(AllocateBlock(FrameBlockBytes));
    for (int r = 0; r < RotationCount; ++r) {
      uint8_t* image = sheet->Bitmap[f] + r * PictureBytes;
      uint8_t* mask = sheet->Mask[f] + r * PictureBytes;
      for (int row = 0; row < SpriteSide; ++row) {
        for (int column = 0; column < SpriteSide; ++column) {
          const bool opaque = (column * 3 + row * 5 + r * 7 + f * 11) % 23 < 14 &&
                              column + row / 2 > 6 + r + f && row < 104 - f;
          const int p = row * SpriteSide + column;
          image[p] = opaque ? static_cast<uint8_t>(1 + (column / 7 + row / 3 + r + 2 * f) % 18) : 0;
          mask[p] = opaque ? MaskOpaque : MaskTransparent;
        }
      }
    }
  }
}

void ReleaseTestSheet(SpriteSheet* sheet) {
  ReleaseBlock(sheet->Header);
  sheet->Header = nullptr;
  for (int f = 0; f < FrameCount; ++f) {
    ReleaseBlock(sheet->Bitmap[f]);
    ReleaseBlock(sheet->Mask[f]);
    sheet->Bitmap[f] = sheet->Mask[f] = nullptr;
  }
}

long FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return 0;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return static_cast<long>(i);
  }
  return -1;
}
