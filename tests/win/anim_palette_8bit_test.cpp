// The display palette of an 8-bit display: made at creation with the sheet's
// first 32 colours, realized on the two palette messages (with one extra
// step when that changed entries), deleted on destruction, and the two
// allocation failures that only this display has. Runs on its own 8-bit
// display; elsewhere every test here is skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/animation_error.h"
#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "host/host_state.h"
#include "host/screen_saver_proc.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_box_watcher.h"
#include "tests/support/anim_test_window.h"
#include "tests/support/settings_registry.h"

namespace {

bool DisplayHasEightBits() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits == 8;
}

class EightBitSaver : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayHasEightBits()) GTEST_SKIP() << "needs an 8-bit display";
    liveBlocksBefore = StartFromFreshSaverState();
  }

  void TearDown() override {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    if (other != nullptr) DestroyWindow(other);
    if (otherPalette != nullptr) DeleteObject(otherPalette);
    PumpMessagesFor(20);
    ClearSaverStateAfterTest();
  }

  HWND StartSaver() {
    window = CreateAnimTestWindow(400, 300, ScreenSaverProc);
    if (window != nullptr) KillTimer(window, 1);  // steps only when the test says
    return window;
  }

  // Another application's window realizing a palette of its own, which
  // takes the system palette's free entries away from the saver's colours.
  HWND RealizeAnotherPalette() {
    other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 450, 0, 100, 100,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<unsigned char> room(sizeof(LOGPALETTE) + 235 * sizeof(PALETTEENTRY));
    LOGPALETTE* description = reinterpret_cast<LOGPALETTE*>(room.data());
    description->palVersion = 0x300;
    description->palNumEntries = 236;
    for (int k = 0; k < 236; ++k) {
      description->palPalEntry[k] = PALETTEENTRY{static_cast<BYTE>(k), static_cast<BYTE>(255 - k),
                                                 static_cast<BYTE>(k * 7), PC_NOCOLLAPSE};
    }
    otherPalette = CreatePalette(description);
    HDC dc = GetDC(other);
    SelectPalette(dc, otherPalette, FALSE);
    RealizePalette(dc);
    ReleaseDC(other, dc);
    return other;
  }

  std::vector<SpriteState> Sprites() const {
    return std::vector<SpriteState>(SpriteField.Sprites, SpriteField.Sprites + SaverSettings.Number);
  }

  HWND window = nullptr;
  HWND other = nullptr;
  HPALETTE otherPalette = nullptr;
  int32_t liveBlocksBefore = 0;
};

TEST_F(EightBitSaver, PaletteHoldsTheSheetsFirst32ColoursAndGoesWithTheWindow) {
  ASSERT_NE(StartSaver(), nullptr);
  EXPECT_EQ(AnimState.BitsPerPixel, 8);
  ASSERT_NE(AnimState.DisplayPalette, nullptr);
  EXPECT_EQ(GetObjectType(AnimState.DisplayPalette), static_cast<DWORD>(OBJ_PAL));
  WORD entryCount = 0;
  GetObjectA(AnimState.DisplayPalette, sizeof entryCount, &entryCount);
  EXPECT_EQ(entryCount, 32);
  PALETTEENTRY entries[32] = {};
  ASSERT_EQ(GetPaletteEntries(AnimState.DisplayPalette, 0, 32, entries), 32u);
  const uint8_t* table = SpriteField.Sheet.Header + 40;
  for (int k = 0; k < 32; ++k) {
    SCOPED_TRACE("entry " + std::to_string(k));
    EXPECT_EQ(entries[k].peRed, table[4 * k + 2]);
    EXPECT_EQ(entries[k].peGreen, table[4 * k + 1]);
    EXPECT_EQ(entries[k].peBlue, table[4 * k]);
    EXPECT_EQ(entries[k].peFlags, PC_NOCOLLAPSE);
  }
  // The palette's scratch description is gone again: sheet and sprites only.
  EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore + 16);

  const HPALETTE palette = AnimState.DisplayPalette;
  DestroyWindow(window);
  window = nullptr;
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(GetObjectType(palette), 0u);
  EXPECT_EQ(AnimState.DisplayPalette, nullptr);
  EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore);
}

// Palette events in turn. A message's answer says whether realizing changed
// entries, and exactly then the sprites have moved one step.
enum class PaletteEvent {
  Query,             // WM_QUERYNEWPALETTE
  OwnAnnouncement,   // WM_PALETTECHANGED from the saver window itself
  OtherAnnouncement, // WM_PALETTECHANGED naming the other window
  OtherRealizes,     // another window realizes a palette; the platform tells the saver
};

struct PaletteStep {
  const char* what;
  PaletteEvent event;
  int expectedSteps;  // 0 or 1; -1 where the platform decides
};

const PaletteStep PaletteSteps[] = {
    // Showing the window has asked once already (activation), so whether
    // this maps anything is the platform's affair.
    {"first query", PaletteEvent::Query, -1},
    {"own announcement", PaletteEvent::OwnAnnouncement, 0},
    {"query with nothing changed since", PaletteEvent::Query, 0},
    // The other palette takes the system palette's free entries; the saver
    // hears of it, takes its colours back and redraws by one step.
    {"another window realizes its palette", PaletteEvent::OtherRealizes, 1},
    {"the same change announced again", PaletteEvent::OtherAnnouncement, 0},
    {"query after taking the colours back", PaletteEvent::Query, 0},
    {"own announcement again", PaletteEvent::OwnAnnouncement, 0},
};

TEST_F(EightBitSaver, PaletteMessagesRealizeAndRedrawOnlyWhenEntriesChange) {
  ASSERT_NE(StartSaver(), nullptr);
  ASSERT_GT(SaverSettings.Number, 0);
  for (const PaletteStep& step : PaletteSteps) {
    SCOPED_TRACE(step.what);
    const std::vector<SpriteState> before = Sprites();
    SaverRandom = UntouchedRandom;
    ResetAnimTestMessageCounts();
    LRESULT result = -1;
    switch (step.event) {
      case PaletteEvent::Query:
        result = SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0);
        break;
      case PaletteEvent::OwnAnnouncement:
        result = SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0);
        break;
      case PaletteEvent::OtherAnnouncement:
        result = SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0);
        break;
      case PaletteEvent::OtherRealizes:
        RealizeAnotherPalette();
        PumpMessagesFor(50);
        EXPECT_EQ(AnimTestMessageCount(WM_PALETTECHANGED), 1u);
        break;
    }
    const bool stepped = SaverRandom != UntouchedRandom;
    if (result != -1) {
      EXPECT_EQ(result, stepped ? 1 : 0) << "answer and redraw disagree";
    }
    if (step.expectedSteps != -1) {
      EXPECT_EQ(stepped ? 1 : 0, step.expectedSteps);
    }
    const std::vector<SpriteState> after = Sprites();
    for (size_t i = 0; i < after.size(); ++i) {
      EXPECT_EQ(after[i].Frame, stepped ? (before[i].Frame + 1) % 7 : before[i].Frame)
          << "sprite " << i;
    }
  }
}

// ---- Failures that only an 8-bit display reaches ----------------------------

// Header, then image and mask of each of the seven frames, then the
// palette's description, then the sprite array.
const uint32_t PaletteCall = 16;
const uint32_t PosCall = 17;

struct BoxLook {
  LRESULT queryResult;
  LRESULT changedResult;
  uint32_t randomAfter;
};
BoxLook LookedWhileOpen;

// The failed creation's box is open and its owner still exists, with the
// palette but without sprites: realizing the palette must not step. The
// palette was never realized, so the query does change entries.
void SendPaletteMessagesWhileOpen(SeenMessageBox* seen) {
  SaverRandom = UntouchedRandom;
  LookedWhileOpen.queryResult = SendMessageA(seen->owner, WM_QUERYNEWPALETTE, 0, 0);
  LookedWhileOpen.changedResult =
      SendMessageA(seen->owner, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(GetDesktopWindow()), 0);
  LookedWhileOpen.randomAfter = SaverRandom;
}

struct EightBitFailure {
  const char* name;
  uint32_t failingCall;
  const char* text;
  bool paletteHeld;
};

void PrintTo(const EightBitFailure& c, std::ostream* out) { *out << c.name; }

const EightBitFailure EightBitFailures[] = {
    {"Palette", PaletteCall, PaletteFailureText, false},
    {"PosWithThePaletteMade", PosCall, PosFailureText, true},
};

class EightBitSaverFailure : public EightBitSaver,
                             public ::testing::WithParamInterface<EightBitFailure> {};

TEST_P(EightBitSaverFailure, ShowsOneBoxAndDestructionReleasesThePaletteToo) {
  const EightBitFailure& c = GetParam();
  LookedWhileOpen = BoxLook{-7, -7, 0};  // as if the messages never returned
  FailAllocationAt(c.failingCall);
  StartWatchingMessageBoxes(SendPaletteMessagesWhileOpen);
  EXPECT_EQ(CreateAnimTestWindow(400, 300, ScreenSaverProc), nullptr);
  const std::vector<SeenMessageBox> boxes = StopWatchingMessageBoxes();

  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Pennydance Error");
  ASSERT_EQ(boxes[0].texts.size(), 1u);
  EXPECT_EQ(boxes[0].texts[0], c.text);
  EXPECT_EQ(boxes[0].owner, AnimTestWindow);
  EXPECT_FALSE(boxes[0].timerWasRunning);
  const HPALETTE palette = boxes[0].animation.DisplayPalette;
  EXPECT_EQ(palette != nullptr, c.paletteHeld);
  EXPECT_EQ(boxes[0].field.Sprites, nullptr);
  EXPECT_EQ(LookedWhileOpen.randomAfter, UntouchedRandom) << "a palette message ran a step";
  // Without a palette the answer is 1 anyway; with one, its first
  // realization changed entries, which is when a step would have run.
  EXPECT_EQ(LookedWhileOpen.queryResult, 1);
  EXPECT_TRUE(LookedWhileOpen.changedResult == 0 || LookedWhileOpen.changedResult == 1);

  EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore) << "blocks left allocated";
  if (palette != nullptr) {
    EXPECT_EQ(GetObjectType(palette), 0u) << "palette left";
  }
  EXPECT_EQ(GetObjectType(boxes[0].animation.BackBitmap), 0u);
  SaverRandom = UntouchedRandom;
  PumpMessagesFor(250);
  EXPECT_EQ(SaverRandom, UntouchedRandom) << "a timer outlived the refused window";
}

INSTANTIATE_TEST_SUITE_P(Cases, EightBitSaverFailure, ::testing::ValuesIn(EightBitFailures),
                         [](const ::testing::TestParamInfo<EightBitFailure>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
