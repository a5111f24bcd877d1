// The BMP file of one animation frame, as the module stores it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/byte_writer.h"

const uint32_t FrameFileBytes = 14 + 40 + 256 * 4 + 112 * 112;  // 13,622
const uint32_t FramePixelOffset = 14 + 40 + 256 * 4;            // 1,078

// `picture` is 112 x 112 colour indexes, top row first; the file stores the
// rows bottom-up.
Bytes FrameBitmapFile(int frame, const std::vector<uint8_t>& picture);
