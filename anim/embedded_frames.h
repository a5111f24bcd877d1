// Platform-free core: the seven frame bitmaps (BMP files 200..206 of the art
// generator), built into the program.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedFile {
  const unsigned char* bytes;
  size_t size;
};

const int EmbeddedFrameCount = 7;
extern const EmbeddedFile EmbeddedFrames[EmbeddedFrameCount];
