// Platform-free core: the pre-rotated sprite sheet, per animation frame 32
// rotations of a 112 x 112 one-byte-per-pixel picture, a mask for each, one
// colour table.
#pragma once

#include <cstddef>
#include <cstdint>

const int FrameCount = 7;
const int RotationCount = 32;
const int SpriteSide = 112;
const int PictureBytes = SpriteSide * SpriteSide;             // 12,544
const int FrameBlockBytes = RotationCount * PictureBytes;     // 401,408
const int HeaderBytes = 40 + 256 * 4;                         // 1,064
const uint8_t MaskTransparent = 19;  // white in frame 0's colour table
const uint8_t MaskOpaque = 0;        // black

struct SpriteSheet {
  uint8_t* Header;  // BITMAPINFOHEADER + 256 RGBQUAD, shared by every picture
  uint8_t* Bitmap[FrameCount];
  uint8_t* Mask[FrameCount];
};
