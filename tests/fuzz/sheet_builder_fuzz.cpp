// Any bytes as one frame's bitmap file: the reader accepts exactly the files
// that hold the headers and a whole picture at bfOffBits, points only inside
// them, and the blocks built from what it found match the pixel-by-pixel
// builder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "anim/sheet_builder.h"
#include "anim/sprite_sheet.h"
#include "tests/support/sheet_oracle.h"

namespace {

void Require(bool holds) {
  if (!holds) {
    abort();
  }
}

// Only a file at least this long has the file header and the header block.
const size_t HeadersEnd = 14 + HeaderBytes;

bool HoldsAWholeFrame(const uint8_t* file, size_t size) {
  if (size < HeadersEnd) {
    return false;
  }
  const uint64_t offBits = static_cast<uint64_t>(file[10]) | static_cast<uint64_t>(file[11]) << 8 |
                           static_cast<uint64_t>(file[12]) << 16 |
                           static_cast<uint64_t>(file[13]) << 24;
  return offBits + PictureBytes <= size;
}

// Made once: mapping four fresh 392 KB blocks for every input would cost
// more than the building. Each still has exactly a frame block's size.
struct Blocks {
  uint8_t* bitmap = static_cast<uint8_t*>(malloc(FrameBlockBytes));
  uint8_t* mask = static_cast<uint8_t*>(malloc(FrameBlockBytes));
  uint8_t* expectedBitmap = static_cast<uint8_t*>(malloc(FrameBlockBytes));
  uint8_t* expectedMask = static_cast<uint8_t*>(malloc(FrameBlockBytes));
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The file in a block of exactly its size, so an over-read is caught.
  uint8_t* file = static_cast<uint8_t*>(malloc(size == 0 ? 1 : size));
  memcpy(file, data, size);

  static const uint8_t untouched = 0;
  FrameFileView view = {&untouched, &untouched};
  const bool accepted = ReadFrameFile(file, size, &view);
  Require(accepted == HoldsAWholeFrame(file, size));
  if (!accepted) {
    Require(view.header == &untouched && view.pixels == &untouched);
    free(file);
    return 0;
  }
  Require(view.header == file + 14);
  Require(view.pixels >= file && static_cast<size_t>(view.pixels - file) <= size &&
          size - static_cast<size_t>(view.pixels - file) >= static_cast<size_t>(PictureBytes));

  static const Blocks blocks;
  // A byte the builder leaves unwritten then shows, whatever the last input.
  memset(blocks.bitmap, 0xA5, FrameBlockBytes);
  memset(blocks.mask, 0xA5, FrameBlockBytes);
  FillFrameBlocks(view.pixels, blocks.bitmap, blocks.mask);
  FillFrameBlocksOracle(view.pixels, blocks.expectedBitmap, blocks.expectedMask);
  Require(memcmp(blocks.bitmap, blocks.expectedBitmap, FrameBlockBytes) == 0);
  Require(memcmp(blocks.mask, blocks.expectedMask, FrameBlockBytes) == 0);
  free(file);
  return 0;
}
