// The X11 program's composing of a step into its picture, against the same
// model and the same sprite sequences as the Windows renderer's test: after
// every step each pixel must be the model's, in each pixel format the
// program draws (24- and 32-bit TrueColor, 16-bit 5-6-5).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "host/host_state.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_render_cases.h"
#include "tests/support/anim_screen_model.h"
#include "x11/embedded_sheet.h"
#include "x11/window_picture.h"

namespace {

struct FormatCase {
  const char* name;
  int32_t depth, bitsPerPixel;
  uint32_t red, green, blue;
};

const FormatCase Formats[] = {
    {"Depth24", 24, 32, 0xFF0000, 0x00FF00, 0x0000FF},
    {"Depth32WithAlpha", 32, 32, 0xFF0000, 0x00FF00, 0x0000FF},
    {"Depth16", 16, 16, 0xF800, 0x07E0, 0x001F},
};

struct PictureCase {
  RenderCase render;
  FormatCase format;
};

void PrintTo(const PictureCase& c, std::ostream* out) {
  *out << c.render.name << "/" << c.format.name;
}

std::vector<PictureCase> AllPictureCases() {
  std::vector<PictureCase> cases;
  for (const FormatCase& format : Formats) {
    for (const RenderCase& render : RenderCases) cases.push_back({render, format});
  }
  return cases;
}

uint32_t PixelAt(int x, int y) {
  const uint8_t* row = WindowPicture.Pixels + static_cast<size_t>(y) * WindowPicture.Stride;
  return WindowPicture.Format.bytesPerPixel == 2 ? reinterpret_cast<const uint16_t*>(row)[x]
                                                 : reinterpret_cast<const uint32_t*>(row)[x];
}

// Index of the first pixel that is not the model's colour in the picture's
// format, or -1; the conversion keeps each channel's top bits, which AND
// and OR leave in place, so the model in that format is exact.
long FirstWrongPixel(const ScreenModel& model, std::string* said) {
  for (int y = 0; y < model.height; ++y) {
    for (int x = 0; x < model.width; ++x) {
      const uint32_t expected = PixelOfColour(WindowPicture.Format, model.pixels[size_t(y) * model.width + x]);
      if (PixelAt(x, y) != expected) {
        char text[96];
        std::snprintf(text, sizeof text, "at (%d, %d): picture %08x, expected %08x", x, y,
                      PixelAt(x, y), expected);
        *said = text;
        return long(y) * model.width + x;
      }
    }
  }
  return -1;
}

class StepComposing : public ::testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override {
    const PictureCase& c = GetParam();
    ASSERT_TRUE(DescribeTrueColour(c.format.depth, c.format.bitsPerPixel, c.format.red,
                                   c.format.green, c.format.blue, &WindowPicture.Format));
    // Rows padded as an XImage's may be, so that the stride is honoured.
    const int32_t stride = RenderStageWidth * WindowPicture.Format.bytesPerPixel + 12;
    pixels.assign(static_cast<size_t>(stride) * RenderStageHeight, 0xA5);
    WindowPicture.Pixels = pixels.data();
    WindowPicture.Width = RenderStageWidth;
    WindowPicture.Height = RenderStageHeight;
    WindowPicture.Stride = stride;
    ResetHostState();
    HostState.isPreview = c.render.isPreview;
    SaverSettings = SaverSettingsRecord{c.render.zoom, static_cast<int32_t>(c.render.sprites.size()),
                                        c.render.moveSpeed, 16, 16, 48};
    AnimState = AnimStateRecord{};
    FillSyntheticSheet(&AnimState.Sheet);
    TranslateSheetColours(AnimState.Sheet);
    sprites = c.render.sprites;
    AnimState.Sprites = sprites.data();
    AnimState.LimitX = c.render.width - 112 * c.render.zoom;
    AnimState.LimitY = c.render.height - 112 * c.render.zoom;
    SeedRandom(77);
  }

  void TearDown() override {
    ReleaseTestSheet(&AnimState.Sheet);
    AnimState = AnimStateRecord{};
    WindowPicture = WindowPictureRecord{};
    ResetHostState();
  }

  // Black, then the case's bands, in the picture and in the model.
  ScreenModel PaintBackground() {
    ScreenModel model = FilledScreenModel(RenderStageWidth, RenderStageHeight, 0);
    FillWindowPicture(0);
    for (const Band& band : GetParam().render.background) {
      const uint32_t pixel = PixelOfColour(WindowPicture.Format, band.colour);
      for (int y = 0; y < RenderStageHeight; ++y) {
        uint8_t* row = WindowPicture.Pixels + static_cast<size_t>(y) * WindowPicture.Stride;
        for (int x = band.left; x < band.right; ++x) {
          model.pixels[size_t(y) * RenderStageWidth + x] = band.colour;
          if (WindowPicture.Format.bytesPerPixel == 2) {
            reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(pixel);
          } else {
            reinterpret_cast<uint32_t*>(row)[x] = pixel;
          }
        }
      }
    }
    return model;
  }

  std::vector<uint8_t> pixels;
  std::vector<SpriteState> sprites;
};

TEST_P(StepComposing, PictureIsTheModelsAfterEveryStepAndEachRectangleCoversTheUnion) {
  const RenderCase& c = GetParam().render;
  ScreenModel model = PaintBackground();
  const int side = 112 * c.zoom;
  for (int step = 1; step <= c.steps; ++step) {
    const uint32_t allocationCalls = HeapCounters.calls;
    for (size_t i = 0; i < sprites.size(); ++i) {
      const SpriteState before = sprites[i];
      const PictureRect sent = MoveAndComposeSprite(static_cast<int32_t>(i));
      ModelSpriteRedraw(&model, AnimState.Sheet, c.zoom, before, sprites[i]);
      // The rectangle sent is the union of both squares, cut to the picture.
      const int ox = int16_t(before.PosX >> 12), oy = int16_t(before.PosY >> 12);
      const int nx = int16_t(sprites[i].PosX >> 12), ny = int16_t(sprites[i].PosY >> 12);
      EXPECT_EQ(sent.left, std::max(0, std::min(ox, nx)));
      EXPECT_EQ(sent.top, std::max(0, std::min(oy, ny)));
      EXPECT_EQ(sent.right, std::min(RenderStageWidth, std::max(ox, nx) + side));
      EXPECT_EQ(sent.bottom, std::min(RenderStageHeight, std::max(oy, ny) + side));
    }
    EXPECT_EQ(HeapCounters.calls, allocationCalls) << "a step allocated";
    std::string said;
    const long at = FirstWrongPixel(model, &said);
    ASSERT_EQ(at, -1) << "step " << step << ": " << said;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StepComposing, ::testing::ValuesIn(AllPictureCases()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                           return std::string(info.param.render.name) + "_" + info.param.format.name;
                         });

// Visuals the program must refuse (it then says so and exits 1).
TEST(PixelFormats, OnlyTrueColourOf24Or32BitsWithByteChannelsAnd565AreDrawn) {
  struct Row {
    int32_t depth, bitsPerPixel;
    uint32_t red, green, blue;
    bool drawn;
  };
  const Row rows[] = {
      {24, 32, 0xFF0000, 0x00FF00, 0x0000FF, true},
      {24, 32, 0x0000FF, 0x00FF00, 0xFF0000, true},  // blue first
      {16, 16, 0xF800, 0x07E0, 0x001F, true},
      {15, 16, 0x7C00, 0x03E0, 0x001F, false},
      {24, 24, 0xFF0000, 0x00FF00, 0x0000FF, false},  // packed three bytes
      {30, 32, 0x3FF00000, 0x000FFC00, 0x000003FF, false},
      {8, 8, 0, 0, 0, false},
  };
  for (const Row& row : rows) {
    PixelFormat format = {};
    EXPECT_EQ(DescribeTrueColour(row.depth, row.bitsPerPixel, row.red, row.green, row.blue, &format),
              row.drawn)
        << "depth " << row.depth << ", " << row.bitsPerPixel << " bits";
  }
  PixelFormat deep = {};
  ASSERT_TRUE(DescribeTrueColour(32, 32, 0xFF0000, 0x00FF00, 0x0000FF, &deep));
  EXPECT_EQ(PixelOfColour(deep, 0x000000), 0xFF000000u) << "black stays opaque";
  PixelFormat narrow = {};
  ASSERT_TRUE(DescribeTrueColour(16, 16, 0xF800, 0x07E0, 0x001F, &narrow));
  EXPECT_EQ(PixelOfColour(narrow, 0xFFFFFF), 0xFFFFu);
  EXPECT_EQ(PixelOfColour(narrow, 0x30807F), uint32_t(0x30 >> 3 << 11 | 0x80 >> 2 << 5 | 0x7F >> 3));
}

std::vector<uint8_t> ReadArtFile(int frame) {
  char path[512];
  std::snprintf(path, sizeof path, "%s/%d.bmp", ART_DIR, frame);
  std::vector<uint8_t> bytes;
  if (FILE* file = std::fopen(path, "rb")) {
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
  }
  return bytes;
}

std::vector<std::vector<uint8_t>> ArtFiles;

bool FindArtFile(int frame, FrameFileView* view) {
  return ReadFrameFile(ArtFiles[frame].data(), ArtFiles[frame].size(), view);
}

// The program carries the art generator's files, and its sheet is the one
// the same assembly makes from those files.
TEST(EmbeddedSheet, IsTheSheetOfTheArtFiles) {
  ArtFiles.clear();
  for (int frame = 200; frame <= 206; ++frame) ArtFiles.push_back(ReadArtFile(frame));
  SpriteSheet fromFiles = {}, embedded = {};
  ASSERT_EQ(AssembleSpriteSheet(&fromFiles, FindArtFile), nullptr);
  ASSERT_EQ(BuildEmbeddedSpriteSheet(&embedded), nullptr);
  EXPECT_EQ(std::memcmp(fromFiles.Header, embedded.Header, HeaderBytes), 0);
  for (int f = 0; f < FrameCount; ++f) {
    EXPECT_EQ(std::memcmp(fromFiles.Bitmap[f], embedded.Bitmap[f], FrameBlockBytes), 0) << f;
    EXPECT_EQ(std::memcmp(fromFiles.Mask[f], embedded.Mask[f], FrameBlockBytes), 0) << f;
  }
  ReleaseSpriteSheet(&fromFiles);
  ReleaseSpriteSheet(&embedded);
  EXPECT_EQ(fromFiles.Header, nullptr);
}

}  // namespace
