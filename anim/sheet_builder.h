// Platform-free core: building the sprite sheet from the frame bitmaps'
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the parts of one frame's BMP file lie.
struct FrameFileView {
  const uint8_t* header;  // 1,064 bytes at file offset 14: header + colour table
  const uint8_t* pixels;  // 12,544 bytes at bfOffBits, stored rows bottom-up
};

// False when the file is too short for the 14-byte file header and the
// 1,064 bytes after it, or for 12,544 pixel bytes at bfOffBits (which may be
// any 32-bit value); the view is then left unchanged.
bool ReadFrameFile(const uint8_t* file, size_t size, FrameFileView* view);

// Fills the image and mask blocks (32 rotations of 12,544 bytes each) of
// frameCount frames (at most FrameCount) from their stored pixels: rotation
// 0 is the stored picture, rotation r the picture turned clockwise by r/32
// of a turn, each sampled from the stored pixels and then masked with the
// frame's key colour storedPixels[f][0]. The stored pixels must not lie in
// the blocks.
void FillSheetBlocks(int frameCount, const uint8_t* const storedPixels[],
                     uint8_t* const bitmapBlocks[], uint8_t* const maskBlocks[]);
// The same for one frame.
void FillFrameBlocks(const uint8_t* storedPixels, uint8_t* bitmapBlock,
                     uint8_t* maskBlock);

// Rotation sampling reads stored pixel (v >> 12, u >> 12) while both
// coordinates, taken as unsigned, stay below this (112 pixels in 20.12).
const uint32_t SampleLimit = 0x70000;

// The columns first..last of one destination row whose samples
// (u + x * stepU, v + x * stepV) fall inside the stored square; the span is
// empty (first > last) when none does. Both coordinates are linear in x, so
// the inside columns are one run and everything outside lies at the ends.
// The sums must not leave the 32-bit range (true for row starts within
// +-2^24 and steps within +-4096, as in every rotation).
struct ColumnSpan {
  int32_t first;
  int32_t last;
};
ColumnSpan InsideColumns(int32_t u, int32_t v, int32_t stepU, int32_t stepV);
