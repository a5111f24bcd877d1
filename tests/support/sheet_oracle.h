// The sprite sheet's frame blocks built the slow, obvious way: every rotation
// sampled pixel by pixel with its bounds test, then one mask pass over the
// whole block. The shipped builder must produce the same bytes.
#pragma once

#include <cstdint>

void FillFrameBlocksOracle(const uint8_t* storedPixels, uint8_t* bitmapBlock,
                           uint8_t* maskBlock);
