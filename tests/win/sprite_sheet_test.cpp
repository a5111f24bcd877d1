// The sprite sheet built from this program's own frame resources (the same
// resource script as the module's): its blocks against the pixel-by-pixel
// build, the failure of each allocation, the release, and the display
// palette.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/sheet_builder.h"
#include "anim/sprite_sheet.h"
#include "anim/sprite_sheet_win.h"
#include "host/host_state.h"
#include "tests/support/dialog_paths.h"
#include "tests/support/sheet_oracle.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// The bytes of frame resource 200 + f of this program.
Bytes FrameResource(int frame) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(200 + frame), MAKEINTRESOURCEA(200));
  if (resource == nullptr) return Bytes();
  const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(self, resource)));
  return Bytes(bytes, bytes + SizeofResource(self, resource));
}

// The art generator's file of frame f, read through Wine's drive Z:.
Bytes FrameFile(int frame) {
  const std::string path =
      WindowsPathOfUnixPath(std::string(ART_DIR) + "/" + std::to_string(200 + frame) + ".bmp");
  Bytes file;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) file.insert(file.end(), buffer, buffer + got);
    std::fclose(in);
  }
  return file;
}

class SheetFromResources : public ::testing::Test {
 protected:
  void SetUp() override {
    savedInstance = HostState.instance;
    HostState.instance = GetModuleHandleA(nullptr);
    FailAllocationAt(0);
    liveBefore = HeapCounters.liveBlocks;
  }
  void TearDown() override {
    ReleaseSpriteSheet(&sheet);
    FailAllocationAt(0);
    HostState.instance = savedInstance;
  }

  SpriteSheet sheet = {};
  HINSTANCE savedInstance;
  int32_t liveBefore;
};

TEST_F(SheetFromResources, ResourcesAreTheArtFiles) {
  if (FrameFile(0).empty()) GTEST_SKIP() << "no frame bitmaps in " << ART_DIR;
  for (int frame = 0; frame < FrameCount; ++frame) {
    SCOPED_TRACE(frame);
    EXPECT_EQ(FrameResource(frame), FrameFile(frame));
  }
}

TEST_F(SheetFromResources, BlocksEqualThePixelByPixelBuild) {
  ASSERT_EQ(BuildSpriteSheet(&sheet), nullptr);
  EXPECT_EQ(HeapCounters.liveBlocks - liveBefore, 1 + 2 * FrameCount);
  Bytes bitmap(FrameBlockBytes);
  Bytes mask(FrameBlockBytes);
  for (int frame = 0; frame < FrameCount; ++frame) {
    SCOPED_TRACE(frame);
    const Bytes file = FrameResource(frame);
    FrameFileView view;
    ASSERT_TRUE(ReadFrameFile(file.data(), file.size(), &view));
    FillFrameBlocksOracle(view.pixels, bitmap.data(), mask.data());
    for (int rotation = 0; rotation < RotationCount; ++rotation) {
      const size_t offset = static_cast<size_t>(rotation) * PictureBytes;
      EXPECT_EQ(0, std::memcmp(sheet.Bitmap[frame] + offset, bitmap.data() + offset, PictureBytes))
          << "image of rotation " << rotation;
      EXPECT_EQ(0, std::memcmp(sheet.Mask[frame] + offset, mask.data() + offset, PictureBytes))
          << "mask of rotation " << rotation;
    }
  }
}

// Frames 1 to 6 carry another colour in entry 19; only frame 0's table counts.
TEST_F(SheetFromResources, HeaderIsFrameZerosHeaderAndColourTable) {
  ASSERT_EQ(BuildSpriteSheet(&sheet), nullptr);
  const Bytes file = FrameResource(0);
  ASSERT_GE(file.size(), 14u + HeaderBytes);
  EXPECT_EQ(0, std::memcmp(sheet.Header, file.data() + 14, HeaderBytes));
  const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(sheet.Header);
  EXPECT_EQ(info->bmiHeader.biWidth, 112);
  EXPECT_EQ(info->bmiHeader.biHeight, 112);
  EXPECT_EQ(info->bmiHeader.biBitCount, 8);
  const RGBQUAD black = info->bmiColors[0];
  const RGBQUAD white = info->bmiColors[19];
  EXPECT_EQ(black.rgbRed | black.rgbGreen | black.rgbBlue, 0);
  EXPECT_EQ(white.rgbRed & white.rgbGreen & white.rgbBlue, 255);
}

struct FailureCase {
  uint32_t failingCall;
  const char* text;  // null: the build succeeds
};

// AllocateBlock calls in order: 1 Header, then per frame f its Bitmap
// (2 + 2f) and its Mask (3 + 2f).
TEST_F(SheetFromResources, EachFailedAllocationStopsWithItsText) {
  std::vector<FailureCase> cases = {{1, HeaderFailureText}};
  for (int frame = 0; frame < FrameCount; ++frame) {
    cases.push_back({2u + 2u * frame, BitmapFailureText});
    cases.push_back({3u + 2u * frame, MaskFailureText});
  }
  cases.push_back({16, nullptr});
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.failingCall);
    std::memset(&sheet, 0x5A, sizeof sheet);  // the build must not trust old pointers
    FailAllocationAt(c.failingCall);
    const char* text = BuildSpriteSheet(&sheet);
    if (c.text == nullptr) {
      EXPECT_EQ(text, nullptr);
    } else {
      EXPECT_STREQ(text, c.text);
    }
    // Exactly the blocks before the failing one exist, in allocation order.
    const uint8_t* const inOrder[] = {sheet.Header,    sheet.Bitmap[0], sheet.Mask[0],
                                      sheet.Bitmap[1], sheet.Mask[1],   sheet.Bitmap[2],
                                      sheet.Mask[2],   sheet.Bitmap[3], sheet.Mask[3],
                                      sheet.Bitmap[4], sheet.Mask[4],   sheet.Bitmap[5],
                                      sheet.Mask[5],   sheet.Bitmap[6], sheet.Mask[6]};
    for (uint32_t block = 0; block < 15; ++block) {
      EXPECT_EQ(inOrder[block] != nullptr, block + 1 < c.failingCall) << "block " << block;
    }
    EXPECT_EQ(HeapCounters.liveBlocks - liveBefore,
              static_cast<int32_t>(c.failingCall > 15 ? 15 : c.failingCall - 1));
    ReleaseSpriteSheet(&sheet);
    EXPECT_EQ(HeapCounters.liveBlocks, liveBefore);
    EXPECT_EQ(sheet.Header, nullptr);
    for (int frame = 0; frame < FrameCount; ++frame) {
      EXPECT_EQ(sheet.Bitmap[frame], nullptr);
      EXPECT_EQ(sheet.Mask[frame], nullptr);
    }
  }
}

TEST_F(SheetFromResources, ModuleWithoutFramesFailsBeforeAllocating) {
  HostState.instance = GetModuleHandleA("kernel32.dll");
  ASSERT_NE(HostState.instance, nullptr);
  EXPECT_STREQ(BuildSpriteSheet(&sheet), FrameFailureText);
  EXPECT_EQ(HeapCounters.liveBlocks, liveBefore);
  EXPECT_EQ(HeapCounters.calls, 0u);
  EXPECT_EQ(sheet.Header, nullptr);
  EXPECT_EQ(sheet.Bitmap[0], nullptr);
}

TEST_F(SheetFromResources, ReleasingAnEmptySheetDoesNothing) {
  ReleaseSpriteSheet(&sheet);
  ReleaseSpriteSheet(&sheet);
  EXPECT_EQ(HeapCounters.liveBlocks, liveBefore);
}

TEST_F(SheetFromResources, DisplayPaletteHoldsTheFirst32ColoursWithoutCollapse) {
  ASSERT_EQ(BuildSpriteSheet(&sheet), nullptr);
  const int32_t liveAfterBuild = HeapCounters.liveBlocks;
  HPALETTE palette = nullptr;
  ASSERT_EQ(CreateDisplayPalette(&sheet, &palette), nullptr);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(HeapCounters.liveBlocks, liveAfterBuild);  // scratch freed
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 32u);
  PALETTEENTRY entries[32] = {};
  ASSERT_EQ(GetPaletteEntries(palette, 0, 32, entries), 32u);
  const RGBQUAD* colours = reinterpret_cast<const BITMAPINFO*>(sheet.Header)->bmiColors;
  for (int k = 0; k < 32; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(entries[k].peRed, colours[k].rgbRed);
    EXPECT_EQ(entries[k].peGreen, colours[k].rgbGreen);
    EXPECT_EQ(entries[k].peBlue, colours[k].rgbBlue);
    EXPECT_EQ(entries[k].peFlags, PC_NOCOLLAPSE);
    if (k >= 20) {
      EXPECT_EQ(entries[k].peRed | entries[k].peGreen | entries[k].peBlue, 0);
    }
  }
  // Colours 0 and 19 differ, so a swapped red and blue would show.
  EXPECT_EQ(entries[19].peRed & entries[19].peGreen & entries[19].peBlue, 255);
  DeleteObject(palette);
}

TEST_F(SheetFromResources, DisplayPaletteFailsWhenItsScratchCannotBeAllocated) {
  ASSERT_EQ(BuildSpriteSheet(&sheet), nullptr);
  const int32_t liveAfterBuild = HeapCounters.liveBlocks;
  HPALETTE palette = reinterpret_cast<HPALETTE>(0x1234);
  FailAllocationAt(1);
  EXPECT_STREQ(CreateDisplayPalette(&sheet, &palette), PaletteFailureText);
  EXPECT_EQ(palette, reinterpret_cast<HPALETTE>(0x1234));
  EXPECT_EQ(HeapCounters.liveBlocks, liveAfterBuild);
}

// The texts are code page 932; decoded they read as the message box shows
// them to a Japanese user, and each has an English text naming the same block.
TEST(FailureTexts, AreShiftJisWithEnglishTexts) {
  struct Row {
    const char* text;
    const wchar_t* decoded;
    const char* english;
  };
  const Row rows[] = {
      {HeaderFailureText, L"\x30e1\x30e2\x30ea\x304c\x8db3\x308a\x307e\x305b\x3093(Header)",
       "Not enough memory (Header)"},
      {BitmapFailureText, L"\x30e1\x30e2\x30ea\x304c\x8db3\x308a\x307e\x305b\x3093(Bitmap)",
       "Not enough memory (Bitmap)"},
      {MaskFailureText, L"\x30e1\x30e2\x30ea\x304c\x8db3\x308a\x307e\x305b\x3093(Mask)",
       "Not enough memory (Mask)"},
      {PaletteFailureText, L"\x30e1\x30e2\x30ea\x304c\x8db3\x308a\x307e\x305b\x3093(Palette)",
       "Not enough memory (Palette)"},
      {PosFailureText, L"\x30e1\x30e2\x30ea\x304c\x8db3\x308a\x307e\x305b\x3093(pos)",
       "Not enough memory (pos)"},
      {FrameFailureText, L"\x753b\x50cf\x304c\x8aad\x3081\x307e\x305b\x3093(Frame)",
       "Cannot read a picture (Frame)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.english);
    wchar_t decoded[64] = {};
    ASSERT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, row.text, -1, decoded, 64), 0);
    EXPECT_EQ(std::wstring(decoded), std::wstring(row.decoded));
    EXPECT_STREQ(EnglishFailureText(row.text), row.english);
  }
  EXPECT_STREQ(EnglishFailureText("Pennydance"), "Pennydance") << "not a failure text";
}

}  // namespace
