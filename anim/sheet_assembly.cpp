#include "anim/sheet_assembly.h"

#include <cstring>

#include "anim/failure_texts.h"
#include "anim/heap_block.h"

namespace {

uint8_t* AllocateBytes(size_t size) { return static_cast<uint8_t*>(AllocateBlock(size)); }

}  // namespace

const char* AssembleSpriteSheet(SpriteSheet* sheet, FrameFileFinder findFrame) {
  // All pointers start null, so that a build stopped early leaves nothing
  // undefined for the release.
  sheet->Header = nullptr;
  for (int f = 0; f < FrameCount; ++f) {
    sheet->Bitmap[f] = nullptr;
    sheet->Mask[f] = nullptr;
  }
  const uint8_t* storedPixels[FrameCount];
  // Every block is allocated first, in the order Header, then per frame its
  // image and its mask; the pictures are filled once all of them exist, so
  // that each rotation's sampling serves all seven frames.
  for (int f = 0; f < FrameCount; ++f) {
    FrameFileView view;
    if (!findFrame(f, &view)) return FrameFailureText;
    if (f == 0) {
      sheet->Header = AllocateBytes(HeaderBytes);
      if (sheet->Header == nullptr) return HeaderFailureText;
      std::memcpy(sheet->Header, view.header, HeaderBytes);
    }
    sheet->Bitmap[f] = AllocateBytes(FrameBlockBytes);
    if (sheet->Bitmap[f] == nullptr) return BitmapFailureText;
    sheet->Mask[f] = AllocateBytes(FrameBlockBytes);
    if (sheet->Mask[f] == nullptr) return MaskFailureText;
    storedPixels[f] = view.pixels;
  }
  FillSheetBlocks(FrameCount, storedPixels, sheet->Bitmap, sheet->Mask);
  return nullptr;
}

void ReleaseSpriteSheet(SpriteSheet* sheet) {
  ReleaseBlock(sheet->Header);
  sheet->Header = nullptr;
  for (int f = 0; f < FrameCount; ++f) {
    ReleaseBlock(sheet->Bitmap[f]);
    sheet->Bitmap[f] = nullptr;
    ReleaseBlock(sheet->Mask[f]);
    sheet->Mask[f] = nullptr;
  }
}
