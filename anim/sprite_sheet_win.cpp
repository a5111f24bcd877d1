#include "anim/sprite_sheet_win.h"

#include <windows.h>

#include <cstring>

#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/sheet_builder.h"
#include "host/host_state.h"
#include "res/resource_ids.h"

namespace {

const int PaletteEntries = 32;
const size_t ColourTableOffset = 40;  // behind the BITMAPINFOHEADER

// The BMP file of frame f as the module stores it; false when the resource
// is missing or too short for what the builder reads.
bool FindFrameFile(int frame, FrameFileView* view) {
  HRSRC resource = FindResourceA(HostState.instance, MAKEINTRESOURCEA(FRAME_RESOURCE_FIRST + frame),
                                 MAKEINTRESOURCEA(FRAME_RESOURCE_TYPE));
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(HostState.instance, resource);
  if (loaded == nullptr) return false;
  const void* file = LockResource(loaded);
  if (file == nullptr) return false;
  return ReadFrameFile(static_cast<const uint8_t*>(file), SizeofResource(HostState.instance, resource),
                       view);
}

uint8_t* AllocateBytes(size_t size) { return static_cast<uint8_t*>(AllocateBlock(size)); }

}  // namespace

const char* BuildSpriteSheet(SpriteSheet* sheet) {
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
    if (!FindFrameFile(f, &view)) return FrameFailureText;
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

const char* CreateDisplayPalette(const SpriteSheet* sheet, HPALETTE* palette) {
  const size_t bytes = sizeof(LOGPALETTE) + (PaletteEntries - 1) * sizeof(PALETTEENTRY);
  LOGPALETTE* description = static_cast<LOGPALETTE*>(AllocateBlock(bytes));
  if (description == nullptr) return PaletteFailureText;
  description->palVersion = 0x300;
  description->palNumEntries = PaletteEntries;
  const uint8_t* colours = sheet->Header + ColourTableOffset;
  PALETTEENTRY* entries = description->palPalEntry;  // room for all 32
  for (int k = 0; k < PaletteEntries; ++k) {
    // RGBQUAD is blue, green, red, reserved.
    entries[k].peRed = colours[4 * k + 2];
    entries[k].peGreen = colours[4 * k + 1];
    entries[k].peBlue = colours[4 * k];
    entries[k].peFlags = PC_NOCOLLAPSE;
  }
  *palette = CreatePalette(description);
  ReleaseBlock(description);
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
