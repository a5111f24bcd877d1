#include "anim/sprite_sheet_win.h"

#include <windows.h>

#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/sheet_assembly.h"
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

}  // namespace

const char* BuildSpriteSheet(SpriteSheet* sheet) {
  return AssembleSpriteSheet(sheet, FindFrameFile);
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
