// AnimationTick drawing into a real window: the test sets the sprites, runs
// steps, reads back what the window shows and compares it pixel by pixel
// with the picture worked out from the sheet's bytes and colour table.
// True-colour display, where GDI keeps colours exact.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sprite_renderer.h"
#include "anim/sprite_sheet_win.h"
#include "host/host_state.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_render_cases.h"
#include "tests/support/anim_screen_model.h"
#include "tests/support/anim_test_window.h"

namespace {

// One window for every case, each using its top-left part: destroying a
// shown window can cost Wine seconds without a window manager.
const int StageWidth = RenderStageWidth, StageHeight = RenderStageHeight;

HWND SharedStage() {
  static HWND stage = nullptr;
  if (stage == nullptr) {
    stage = CreateAnimTestWindow(StageWidth, StageHeight, DefWindowProcA);
    PumpMessagesFor(60);  // shown and erased to the class's black
  }
  return stage;
}

// The surfaces of the animation state on the stage, as creation makes them.
void PrepareSurfaces(int zoom, int moveSpeed) {
  AnimState.ScreenDC = GetDC(SharedStage());
  AnimState.BitsPerPixel = GetDeviceCaps(AnimState.ScreenDC, BITSPIXEL);
  AnimState.BackDC = CreateCompatibleDC(AnimState.ScreenDC);
  const int side = zoom * (moveSpeed + 112);
  AnimState.BackBitmap = CreateCompatibleBitmap(AnimState.ScreenDC, side, side);
  SelectObject(AnimState.BackDC, AnimState.BackBitmap);
}

void ReleaseSurfaces() {
  DeleteDC(AnimState.BackDC);
  DeleteObject(AnimState.BackBitmap);
}

void PaintStageBlack() {
  RECT whole = {0, 0, StageWidth, StageHeight};
  FillRect(AnimState.ScreenDC, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

std::vector<uint32_t> StageShows() {
  return ReadPixels(AnimState.ScreenDC, 0, 0, StageWidth, StageHeight);
}

std::string DescribeDifference(const std::vector<uint32_t>& shown, const ScreenModel& model,
                               long at) {
  if (at < 0) return "none";
  char text[96];
  snprintf(text, sizeof text, "at (%ld, %ld): shown %06x, expected %06x", at % StageWidth,
           at / StageWidth, shown[at], model.pixels[at]);
  return text;
}

class AnimationTickDrawing : public ::testing::TestWithParam<RenderCase> {
 protected:
  void SetUp() override {
    const RenderCase& c = GetParam();
    ASSERT_NE(SharedStage(), nullptr);
    ASSERT_LE(c.width, StageWidth);
    ASSERT_LE(c.height, StageHeight);
    ResetHostState();
    SaverSettings = SaverSettingsRecord{c.zoom, static_cast<int32_t>(c.sprites.size()),
                                        c.moveSpeed, 16, 16, 48};
    AnimState = AnimStateRecord{};
    SpriteField = SpriteFieldRecord{};
    SpriteField.isPreview = c.isPreview;
    PrepareSurfaces(c.zoom, c.moveSpeed);
    FillSyntheticSheet(&SpriteField.Sheet);
    sprites = c.sprites;
    SpriteField.Sprites = sprites.data();
    SpriteField.LimitX = c.width - 112 * c.zoom;
    SpriteField.LimitY = c.height - 112 * c.zoom;
  }

  void TearDown() override {
    ReleaseTestSheet(&SpriteField.Sheet);
    ReleaseSurfaces();
    AnimState = AnimStateRecord{};
    SpriteField = SpriteFieldRecord{};
    ResetHostState();
  }

  // Black, then the case's bands; the model starts as the same picture.
  ScreenModel PaintBackground() {
    const RenderCase& c = GetParam();
    ScreenModel model = FilledScreenModel(StageWidth, StageHeight, 0);
    PaintStageBlack();
    for (const Band& band : c.background) {
      HBRUSH brush = CreateSolidBrush(RGB(band.colour >> 16, (band.colour >> 8) & 0xFF,
                                          band.colour & 0xFF));
      RECT area = {band.left, 0, band.right, StageHeight};
      FillRect(AnimState.ScreenDC, &area, brush);
      DeleteObject(brush);
      for (int y = 0; y < StageHeight; ++y) {
        for (int x = band.left; x < band.right; ++x) {
          model.pixels[size_t(y) * StageWidth + x] = band.colour;
        }
      }
    }
    return model;
  }

  std::vector<SpriteState> sprites;
};

TEST_P(AnimationTickDrawing, WindowShowsTheMaskedPicturesOfEveryStep) {
  const RenderCase& c = GetParam();
  ASSERT_EQ(AnimState.BitsPerPixel, 32) << "needs the true-colour test display";
  ScreenModel model = PaintBackground();
  ASSERT_EQ(FirstDifference(StageShows(), model.pixels), -1) << "background not as modelled";
  for (int step = 1; step <= c.steps; ++step) {
    const std::vector<SpriteState> before = sprites;
    const uint32_t allocationCalls = HeapCounters.calls;
    AnimationTick();
    EXPECT_EQ(HeapCounters.calls, allocationCalls) << "a step allocated";
    for (size_t i = 0; i < sprites.size(); ++i) {
      ModelSpriteRedraw(&model, SpriteField.Sheet, c.zoom, before[i], sprites[i]);
    }
    const std::vector<uint32_t> shown = StageShows();
    const long at = FirstDifference(shown, model.pixels);
    EXPECT_EQ(at, -1) << "step " << step << ": first wrong pixel "
                      << DescribeDifference(shown, model, at);
    if (at != -1) break;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AnimationTickDrawing, ::testing::ValuesIn(RenderCases),
                         [](const ::testing::TestParamInfo<RenderCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- The module's own frames --------------------------------------------------

struct FramesCase {
  const char* name;
  int zoom, number, moveSpeed;
  int steps;
};

void PrintTo(const FramesCase& c, std::ostream* out) { *out << c.name; }

const FramesCase FramesCases[] = {
    {"DefaultSettings", 1, 4, 8, 12},
    {"ManySprites", 1, 24, 8, 6},
    {"ZoomTwoFast", 2, 6, 40, 6},
};

// The key colour of the frames: the colour-table entry of the first stored
// pixel of frame 0, read from the resource itself.
uint32_t FramesKeyColour(const SpriteSheet& sheet) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(200), MAKEINTRESOURCEA(200));
  const uint8_t* file = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  const uint32_t pixelsAt = file[10] | file[11] << 8 | file[12] << 16 | uint32_t(file[13]) << 24;
  return SheetColour(sheet, file[pixelsAt]);
}

class AnimationTickWithTheFrames : public ::testing::TestWithParam<FramesCase> {
 protected:
  void SetUp() override {
    const FramesCase& c = GetParam();
    ASSERT_NE(SharedStage(), nullptr);
    ResetHostState();
    HostState.instance = GetModuleHandleA(nullptr);
    SaverSettings = SaverSettingsRecord{c.zoom, c.number, c.moveSpeed, 16, 16, 48};
    AnimState = AnimStateRecord{};
    SpriteField = SpriteFieldRecord{};
    PrepareSurfaces(c.zoom, c.moveSpeed);
    ASSERT_EQ(BuildSpriteSheet(&SpriteField.Sheet), nullptr);
    sprites.resize(c.number);
    SpriteField.Sprites = sprites.data();
    SpriteField.LimitX = StageWidth - 112 * c.zoom;
    SpriteField.LimitY = StageHeight - 112 * c.zoom;
    SeedRandom(1000u + c.number);
    PlaceSprites(SpriteField.LimitX, SpriteField.LimitY);
  }

  void TearDown() override {
    ReleaseSpriteSheet(&SpriteField.Sheet);
    ReleaseSurfaces();
    AnimState = AnimStateRecord{};
    SpriteField = SpriteFieldRecord{};
    ResetHostState();
  }

  std::vector<SpriteState> sprites;
};

// Drawn exactly as the sheet says, never with the key colour, and on a
// background that stays black outside the sprites' squares.
TEST_P(AnimationTickWithTheFrames, KeyColourNeverShowsAndTheBackgroundStaysBlack) {
  const FramesCase& c = GetParam();
  const uint32_t key = FramesKeyColour(SpriteField.Sheet);
  ASSERT_NE(key, 0u);
  PaintStageBlack();
  ScreenModel model = FilledScreenModel(StageWidth, StageHeight, 0);
  for (int step = 1; step <= c.steps; ++step) {
    const std::vector<SpriteState> before = sprites;
    AnimationTick();
    for (size_t i = 0; i < sprites.size(); ++i) {
      ModelSpriteRedraw(&model, SpriteField.Sheet, c.zoom, before[i], sprites[i]);
    }
    const std::vector<uint32_t> shown = StageShows();
    const long at = FirstDifference(shown, model.pixels);
    ASSERT_EQ(at, -1) << "step " << step << ": " << DescribeDifference(shown, model, at);
    long keyPixels = 0, strayPixels = 0, spritePixels = 0;
    for (size_t p = 0; p < shown.size(); ++p) {
      if (shown[p] == 0) continue;
      keyPixels += shown[p] == key;
      const int x = static_cast<int>(p % StageWidth), y = static_cast<int>(p / StageWidth);
      bool inSquare = false;
      for (const SpriteState& sprite : sprites) {
        const int left = sprite.PosX >> 12, top = sprite.PosY >> 12;
        inSquare = inSquare || (x >= left && x < left + 112 * c.zoom && y >= top &&
                                y < top + 112 * c.zoom);
      }
      strayPixels += !inSquare;
      spritePixels += inSquare;
    }
    EXPECT_EQ(keyPixels, 0) << "step " << step;
    EXPECT_EQ(strayPixels, 0) << "step " << step << ": colour outside every sprite";
    EXPECT_GT(spritePixels, 0) << "step " << step << ": nothing drawn";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AnimationTickWithTheFrames, ::testing::ValuesIn(FramesCases),
                         [](const ::testing::TestParamInfo<FramesCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
