// Platform-free core: the seven frame bitmaps (BMP files 200..206 of the art
// generator), built into the program: the sheet's header and colour table
// (frame 0's), and each frame's stored pixels as runs of one colour index.
#pragma once

#include <cstddef>
#include <cstdint>

#include "anim/sprite_sheet.h"

// Pairs of bytes: a count of 1 to 255, then the colour index repeated that
// many times; together the 12,544 stored pixels, bottom row first.
struct EmbeddedFrame {
  const uint8_t* runs;
  size_t size;
};

const int EmbeddedFrameCount = 7;
extern const uint8_t EmbeddedHeader[HeaderBytes];
extern const EmbeddedFrame EmbeddedFrames[EmbeddedFrameCount];

// The frame's stored pixels into pixels (PictureBytes); false when its
// runs do not make exactly that many.
bool ExpandEmbeddedFrame(const EmbeddedFrame& frame, uint8_t* pixels);
