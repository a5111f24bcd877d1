// A 24-bit picture of every frame at several rotations, drawn the way the
// saver draws them, for judging the art by eye.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/byte_writer.h"

// `storedFrames` are the seven frames' pixel bytes as stored in their files
// (bottom-up); `table` is frame 0's colour table, 256 RGBQUADs.
Bytes ContactSheetFile(const std::vector<std::vector<uint8_t>>& storedFrames, const uint8_t* table);
