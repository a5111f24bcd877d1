#include "anim/sheet_builder.h"

#include "anim/sin_cos_table.h"
#include "anim/sprite_sheet.h"

namespace {

const size_t FileHeaderBytes = 14;
const size_t OffBitsOffset = 10;
const int32_t PictureCentre = 0x38000;  // 56 pixels
const int32_t CornerDistance = 79;      // pixels from the centre to a corner

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool IsOutside(int32_t u, int32_t v) {
  return static_cast<uint32_t>(u) >= SampleLimit || static_cast<uint32_t>(v) >= SampleLimit;
}

// The stored pixel that each destination pixel of rotation r (1..31)
// samples. A sample outside the stored square takes pixel 0, which holds the
// key colour by definition; the rest of each row needs no bounds test.
void BuildSampleMap(int rotation, uint16_t* map) {
  const SinCos step = SinCosTable[(128 * rotation) & SinCosMask];
  const SinCos corner = SinCosTable[(128 * rotation - 1536) & SinCosMask];
  int32_t rowU = PictureCentre + CornerDistance * corner.Cos;
  int32_t rowV = PictureCentre + CornerDistance * corner.Sin;
  for (int y = 0; y < SpriteSide; ++y) {
    uint16_t* row = map + y * SpriteSide;
    const ColumnSpan span = InsideColumns(rowU, rowV, step.Cos, step.Sin);
    for (int32_t x = 0; x < span.first; ++x) row[x] = 0;
    int32_t u = rowU + span.first * step.Cos;
    int32_t v = rowV + span.first * step.Sin;
    for (int32_t x = span.first; x <= span.last; ++x) {
      row[x] = static_cast<uint16_t>((v >> 12) * SpriteSide + (u >> 12));
      u += step.Cos;
      v += step.Sin;
    }
    for (int32_t x = span.last + 1; x < SpriteSide; ++x) row[x] = 0;
    rowU -= step.Sin;
    rowV += step.Cos;
  }
}

// The mask pass as a table over the 256 colours: image byte in the low
// half, mask byte in the high half. The key colour becomes image 0 and
// mask 19, every other colour keeps itself with mask 0.
typedef uint16_t MaskedPixels[256];

void BuildMaskedPixels(uint8_t key, MaskedPixels masked) {
  for (int colour = 0; colour < 256; ++colour) {
    masked[colour] = colour == key ? MaskTransparent << 8 : static_cast<uint16_t>(colour);
  }
}

void WriteMasked(uint16_t masked, uint8_t* image, uint8_t* mask) {
  *image = static_cast<uint8_t>(masked);
  *mask = static_cast<uint8_t>(masked >> 8);
}

}  // namespace

bool ReadFrameFile(const uint8_t* file, size_t size, FrameFileView* view) {
  if (file == nullptr || size < FileHeaderBytes + HeaderBytes) return false;
  const uint32_t offBits = ReadLittleEndian32(file + OffBitsOffset);
  // Written as a subtraction so that no bfOffBits can overflow the sum.
  if (offBits > size || size - offBits < static_cast<size_t>(PictureBytes)) return false;
  view->header = file + FileHeaderBytes;
  view->pixels = file + offBits;
  return true;
}

ColumnSpan InsideColumns(int32_t u, int32_t v, int32_t stepU, int32_t stepV) {
  ColumnSpan span = {0, SpriteSide - 1};
  while (span.first <= span.last && IsOutside(u + span.first * stepU, v + span.first * stepV)) {
    ++span.first;
  }
  while (span.last >= span.first && IsOutside(u + span.last * stepU, v + span.last * stepV)) {
    --span.last;
  }
  return span;
}

void FillSheetBlocks(int frameCount, const uint8_t* const storedPixels[],
                     uint8_t* const bitmapBlocks[], uint8_t* const maskBlocks[]) {
  MaskedPixels masked[FrameCount];
  for (int f = 0; f < frameCount; ++f) {
    const uint8_t* stored = storedPixels[f];
    uint8_t* image = bitmapBlocks[f];
    uint8_t* mask = maskBlocks[f];
    BuildMaskedPixels(stored[0], masked[f]);
    for (int p = 0; p < PictureBytes; ++p) WriteMasked(masked[f][stored[p]], image + p, mask + p);
  }
  // Where a rotation samples does not depend on the picture, so one map per
  // rotation serves every frame.
  uint16_t map[PictureBytes];
  for (int rotation = 1; rotation < RotationCount; ++rotation) {
    BuildSampleMap(rotation, map);
    for (int f = 0; f < frameCount; ++f) {
      uint8_t* image = bitmapBlocks[f] + rotation * PictureBytes;
      uint8_t* mask = maskBlocks[f] + rotation * PictureBytes;
      const uint8_t* stored = storedPixels[f];
#pragma GCC unroll 4
      for (int p = 0; p < PictureBytes; ++p) {
        WriteMasked(masked[f][stored[map[p]]], image + p, mask + p);
      }
    }
  }
}

void FillFrameBlocks(const uint8_t* storedPixels, uint8_t* bitmapBlock, uint8_t* maskBlock) {
  FillSheetBlocks(1, &storedPixels, &bitmapBlock, &maskBlock);
}
