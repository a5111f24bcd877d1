// The X11 program's composing of a step into its picture, against the same
// model and the same sprite sequences as the Windows renderer's test: after
// every step each pixel must be the model's, in each pixel format the
// program draws (24-bit TrueColor in either channel order, 32-bit with
// alpha, 16-bit 5-6-5), for a picture of the whole stage and for one whose
// field starts off its corner, as in a window smaller than a character.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "anim/embedded_frames.h"
#include "anim/embedded_sheet.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "anim/sprite_field.h"
#include "anim/window_field.h"
#include "anim/window_picture.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_render_cases.h"
#include "tests/support/anim_screen_model.h"

namespace {

struct FormatCase {
  const char* name;
  int32_t depth, bitsPerPixel;
  uint32_t red, green, blue;
};

const FormatCase Formats[] = {
    {"Depth24", 24, 32, 0xFF0000, 0x00FF00, 0x0000FF},
    {"Depth24BlueFirst", 24, 32, 0x0000FF, 0x00FF00, 0xFF0000},
    {"Depth32WithAlpha", 32, 32, 0xFF0000, 0x00FF00, 0x0000FF},
    {"Depth16", 16, 16, 0xF800, 0x07E0, 0x001F},
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }

// The picture shows the stage from (left, top) on; odd, so that a Zoom 2
// square is cut inside a stored column.
struct Placement {
  const char* name;
  int32_t left, top;
};

const Placement Placements[] = {{"Whole", 0, 0}, {"OffTheCorner", 37, 21}};

void PrintTo(const Placement& c, std::ostream* out) { *out << c.name; }

using PictureCase = std::tuple<RenderCase, FormatCase, Placement>;

uint32_t PixelAt(int x, int y) {
  const uint8_t* row = WindowPicture.Pixels + static_cast<size_t>(y) * WindowPicture.Stride;
  return WindowPicture.Format.bytesPerPixel == 2 ? reinterpret_cast<const uint16_t*>(row)[x]
                                                 : reinterpret_cast<const uint32_t*>(row)[x];
}

class StepComposing : public ::testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override {
    const RenderCase& c = std::get<0>(GetParam());
    const FormatCase& f = std::get<1>(GetParam());
    PixelFormat format = {};
    ASSERT_TRUE(DescribeTrueColour(f.depth, f.bitsPerPixel, f.red, f.green, f.blue, &format));
    // Rows padded as an XImage's may be, so that the stride is honoured.
    const int32_t stride = RenderStageWidth * format.bytesPerPixel + 12;
    pixels.assign(static_cast<size_t>(stride) * RenderStageHeight, 0xA5);
    WindowPicture =
        WindowPictureRecord{pixels.data(), RenderStageWidth, RenderStageHeight, stride, format, {}, {}, {}, {}};
    SaverSettings = SaverSettingsRecord{c.zoom, static_cast<int32_t>(c.sprites.size()),
                                        c.moveSpeed, 16, 16, 48};
    SpriteField = SpriteFieldRecord{};
    SpriteField.isPreview = c.isPreview;
    FillSyntheticSheet(&SpriteField.Sheet);
    TranslateSheetColours(SpriteField.Sheet);
    sprites = c.sprites;
    SpriteField.Sprites = sprites.data();
    SpriteField.LimitX = c.width - 112 * c.zoom;
    SpriteField.LimitY = c.height - 112 * c.zoom;
    SeedRandom(77);
  }

  void TearDown() override {
    ReleaseTestSheet(&SpriteField.Sheet);
    SpriteField = SpriteFieldRecord{};
    WindowPicture = WindowPictureRecord{};
    WindowField = WindowFieldRecord{};
  }

  // Black, then the case's bands, in the picture and in the model. Each
  // band is filled as a picture of its own that starts at its left column
  // and keeps the stride.
  ScreenModel PaintBackground() {
    ScreenModel model = FilledScreenModel(RenderStageWidth, RenderStageHeight, 0);
    FillWindowPicture(0);
    const WindowPictureRecord whole = WindowPicture;
    for (const Band& band : std::get<0>(GetParam()).background) {
      WindowPicture.Pixels = whole.Pixels + band.left * whole.Format.bytesPerPixel;
      WindowPicture.Width = band.right - band.left;
      FillWindowPicture(band.colour);
      for (int y = 0; y < RenderStageHeight; ++y) {
        std::fill_n(model.pixels.begin() + y * RenderStageWidth + band.left, WindowPicture.Width,
                    band.colour);
      }
    }
    WindowPicture = whole;
    return model;
  }

  // The picture becomes the stage's part from the placement's corner on,
  // and the field's origin moves with it.
  void ShowFrom(const Placement& view) {
    WindowPicture.Pixels += view.top * WindowPicture.Stride + view.left * WindowPicture.Format.bytesPerPixel;
    WindowPicture.Width -= view.left;
    WindowPicture.Height -= view.top;
    WindowField.OriginX = -view.left;
    WindowField.OriginY = -view.top;
  }

  // Steps the case, checking the picture against the model after each.
  void RunTheCase();

  std::vector<uint8_t> pixels;
  std::vector<SpriteState> sprites;
};

TEST_P(StepComposing, PictureIsTheModelsAfterEveryStepAndEachRectangleCoversTheUnion) { RunTheCase(); }

void StepComposing::RunTheCase() {
  const RenderCase& c = std::get<0>(GetParam());
  ScreenModel model = PaintBackground();
  const Placement& view = std::get<2>(GetParam());
  ShowFrom(view);
  const int side = 112 * c.zoom;
  for (int step = 1; step <= c.steps; ++step) {
    const uint32_t allocationCalls = HeapCounters.calls;
    for (size_t i = 0; i < sprites.size(); ++i) {
      const SpriteState before = sprites[i];
      const PictureRect sent = MoveAndComposeSprite(static_cast<int32_t>(i));
      ModelSpriteRedraw(&model, SpriteField.Sheet, c.zoom, before, sprites[i]);
      // The rectangle sent is the union of both squares, cut to the picture.
      const int ox = int16_t(before.PosX >> 12), oy = int16_t(before.PosY >> 12);
      const int nx = int16_t(sprites[i].PosX >> 12), ny = int16_t(sprites[i].PosY >> 12);
      EXPECT_EQ(sent.left, std::max(0, std::min(ox, nx) - view.left));
      EXPECT_EQ(sent.top, std::max(0, std::min(oy, ny) - view.top));
      EXPECT_EQ(sent.right, std::min(RenderStageWidth, std::max(ox, nx) + side) - view.left);
      EXPECT_EQ(sent.bottom, std::min(RenderStageHeight, std::max(oy, ny) + side) - view.top);
    }
    EXPECT_EQ(HeapCounters.calls, allocationCalls) << "a step allocated";
    // The model in the picture's format is exact: the conversion keeps each
    // channel's top bits, which AND and OR leave in place.
    std::vector<uint32_t> picture, expected;
    for (int y = 0; y < WindowPicture.Height; ++y) {
      for (int x = 0; x < WindowPicture.Width; ++x) {
        picture.push_back(PixelAt(x, y));
        const int modelAt = (y + view.top) * RenderStageWidth + x + view.left;
        expected.push_back(PixelOfColour(WindowPicture.Format, model.pixels[modelAt]));
      }
    }
    const long at = FirstDifference(picture, expected);
    ASSERT_EQ(at, -1) << "step " << step << " at (" << at % WindowPicture.Width << ", "
                      << at / WindowPicture.Width << "): picture " << std::hex << picture[at]
                      << ", expected " << expected[at];
  }
}

std::string CaseName(const ::testing::TestParamInfo<PictureCase>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name + "_" +
         std::get<2>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Cases, StepComposing,
                         ::testing::Combine(::testing::ValuesIn(RenderCases), ::testing::ValuesIn(Formats),
                                            ::testing::ValuesIn(Placements)),
                         CaseName);

#if PICTURE_ROW_VECTORS
// The same with indices that the composing's vector bodies leave to the
// plain lookups: in some rows of every picture the mask's two indices and
// the image's are moved to others of the same colours, beyond the first 32.
class StepComposingUncommonIndices : public StepComposing {
 protected:
  void SetUp() override {
    StepComposing::SetUp();
    uint8_t* table = SpriteField.Sheet.Header + 40;
    const auto copyColour = [&](int to, int from) { std::memcpy(table + 4 * to, table + 4 * from, 4); };
    for (int k = 0; k < 20; ++k) copyColour(40 + k, k);
    for (int f = 0; f < FrameCount; ++f) {
      for (int at = 0; at < FrameBlockBytes; ++at) {
        const int row = at / SpriteSide;
        // Whole rows, and half rows, which start inside a vector's sixteen.
        const bool moved = row % 3 == 0 || (row % 3 == 1 && at % SpriteSide >= SpriteSide / 2 + 3);
        if (!moved) continue;
        SpriteField.Sheet.Bitmap[f][at] = static_cast<uint8_t>(40 + SpriteField.Sheet.Bitmap[f][at]);
        SpriteField.Sheet.Mask[f][at] = static_cast<uint8_t>(40 + SpriteField.Sheet.Mask[f][at]);
      }
    }
    TranslateSheetColours(SpriteField.Sheet);
  }
};

TEST_P(StepComposingUncommonIndices, PictureIsTheModelsAfterEveryStep) { RunTheCase(); }

INSTANTIATE_TEST_SUITE_P(Cases, StepComposingUncommonIndices,
                         ::testing::Combine(::testing::ValuesIn(RenderCases), ::testing::ValuesIn(Formats),
                                            ::testing::Values(Placements[0])),
                         CaseName);
#endif

// Visuals the program must refuse (it then says so and exits 1); those of
// Formats are drawn, as StepComposing shows.
TEST(PixelFormats, OnlyTrueColourOf24Or32BitsWithByteChannelsAnd565AreDrawn) {
  const FormatCase refused[] = {
      {"5-5-5", 15, 16, 0x7C00, 0x03E0, 0x001F},
      {"packed three bytes", 24, 24, 0xFF0000, 0x00FF00, 0x0000FF},
      {"10-bit channels", 30, 32, 0x3FF00000, 0x000FFC00, 0x000003FF},
      {"8 bits", 8, 8, 0, 0, 0},
  };
  for (const FormatCase& row : refused) {
    PixelFormat format = {};
    EXPECT_FALSE(DescribeTrueColour(row.depth, row.bitsPerPixel, row.red, row.green, row.blue, &format))
        << row.name;
  }
  PixelFormat deep = {}, narrow = {};
  ASSERT_TRUE(DescribeTrueColour(32, 32, 0xFF0000, 0x00FF00, 0x0000FF, &deep));
  EXPECT_EQ(PixelOfColour(deep, 0x000000), 0xFF000000u) << "black stays opaque";
  ASSERT_TRUE(DescribeTrueColour(16, 16, 0xF800, 0x07E0, 0x001F, &narrow));
  EXPECT_EQ(PixelOfColour(narrow, 0xFFFFFF), 0xFFFFu);
  EXPECT_EQ(PixelOfColour(narrow, 0x30807F), uint32_t(0x30 >> 3 << 11 | 0x80 >> 2 << 5 | 0x7F >> 3));
}

std::vector<std::vector<uint8_t>> ArtFiles;  // 200.bmp onwards, as frame 0 onwards

// The program carries the art generator's files, and its sheet is the one
// the same assembly makes from those files.
TEST(EmbeddedSheet, IsTheSheetOfTheArtFiles) {
  ArtFiles.clear();
  for (int frame = 200; frame <= 206; ++frame) {
    std::ifstream file(ART_DIR "/" + std::to_string(frame) + ".bmp", std::ios::binary);
    ArtFiles.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  const FrameFileFinder findArtFile = [](int frame, FrameFileView* view) {
    return ReadFrameFile(ArtFiles[frame].data(), ArtFiles[frame].size(), view);
  };
  SpriteSheet fromFiles = {}, embedded = {};
  ASSERT_EQ(AssembleSpriteSheet(&fromFiles, findArtFile), nullptr);
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

// Runs that make more or fewer than a picture's pixels, or end inside a
// pair, are refused.
TEST(EmbeddedSheet, OnlyRunsOfExactlyOnePictureExpand) {
  std::vector<uint8_t> whole;
  for (int left = PictureBytes; left > 0; left -= 255) whole.insert(whole.end(), {uint8_t(std::min(left, 255)), 7});
  std::vector<uint8_t> short_(whole.begin(), whole.end() - 2), long_ = whole, odd = whole;
  long_.insert(long_.end(), {1, 7});
  odd.push_back(1);
  const struct {
    const char* name;
    const std::vector<uint8_t>& runs;
    bool expands;
  } cases[] = {{"exactly", whole, true}, {"short", short_, false}, {"long", long_, false}, {"odd", odd, false}};
  for (const auto& c : cases) {
    std::vector<uint8_t> pixels(PictureBytes, 0);
    EXPECT_EQ(ExpandEmbeddedFrame(EmbeddedFrame{c.runs.data(), c.runs.size()}, pixels.data()), c.expands) << c.name;
    if (c.expands) {
      EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 7), PictureBytes) << c.name;
    }
  }
}

}  // namespace
