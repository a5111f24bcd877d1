#include "tests/support/sheet_oracle.h"

#include <cstring>

#include "anim/sin_cos_table.h"
#include "anim/sprite_sheet.h"

void FillFrameBlocksOracle(const uint8_t* storedPixels, uint8_t* bitmapBlock,
                           uint8_t* maskBlock) {
  std::memcpy(bitmapBlock, storedPixels, PictureBytes);
  const uint8_t key = bitmapBlock[0];
  uint8_t* out = bitmapBlock + PictureBytes;
  for (int r = 1; r < RotationCount; ++r) {
    const int a = 128 * r;
    const int32_t cosA = SinCosTable[a & SinCosMask].Cos;
    const int32_t sinA = SinCosTable[a & SinCosMask].Sin;
    int32_t su = 229376 + 79 * SinCosTable[(a - 1536) & SinCosMask].Cos;
    int32_t sv = 229376 + 79 * SinCosTable[(a - 1536) & SinCosMask].Sin;
    for (int y = 0; y < SpriteSide; ++y) {
      int32_t u = su;
      int32_t v = sv;
      for (int x = 0; x < SpriteSide; ++x) {
        if (static_cast<uint32_t>(u) >= 0x70000u || static_cast<uint32_t>(v) >= 0x70000u) {
          *out++ = key;
        } else {
          *out++ = bitmapBlock[(v >> 12) * SpriteSide + (u >> 12)];
        }
        u += cosA;
        v += sinA;
      }
      su -= sinA;
      sv += cosA;
    }
  }
  for (int p = 0; p < FrameBlockBytes; ++p) {
    if (bitmapBlock[p] == key) {
      bitmapBlock[p] = 0;
      maskBlock[p] = MaskTransparent;
    } else {
      maskBlock[p] = MaskOpaque;
    }
  }
}
