// Building the sprite sheet from the frame bitmaps' bytes (no platform calls).
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

// Fills one frame's image and mask blocks (32 rotations of 12,544 bytes each)
// from the stored pixels: rotation 0 is the stored picture, rotation r the
// picture turned clockwise by r/32 of a turn, and the mask pass applied with
// the key colour storedPixels[0].
void FillFrameBlocks(const uint8_t* storedPixels, uint8_t* bitmapBlock,
                     uint8_t* maskBlock);
