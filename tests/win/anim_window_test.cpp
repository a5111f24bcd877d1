// ScreenSaverProc over the life of real saver windows: what creation sets
// up for the stored settings and the client size, what each failed
// allocation shows and leaves behind, what destruction releases, how keys
// end the saver, and the palette messages on a true-colour display. The
// frames come from this program's own resources, as they do in the module.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/animation_error.h"
#include "anim/animation_life.h"
#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sprite_sheet.h"
#include "host/host_state.h"
#include "host/host_window_proc.h"
#include "host/screen_saver_proc.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_box_watcher.h"
#include "tests/support/anim_screen_model.h"
#include "tests/support/anim_test_window.h"
#include "tests/support/settings_registry.h"

namespace {

// The GDI objects and blocks that creation made, noted to be checked once
// destruction has released them.
struct Acquired {
  HDC backDC;
  HBITMAP backBitmap;
  HPALETTE palette;
};

Acquired NoteAcquired(const AnimStateRecord& state) {
  return Acquired{state.BackDC, state.BackBitmap, state.DisplayPalette};
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

int LiveSheetBlocks(const SpriteSheet& sheet) {
  int live = sheet.Header != nullptr;
  for (int f = 0; f < FrameCount; ++f) {
    live += (sheet.Bitmap[f] != nullptr) + (sheet.Mask[f] != nullptr);
  }
  return live;
}

class SaverWindowLife : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBlocksBefore = StartFromFreshSaverState();
  }

  void TearDown() override {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    if (parent != nullptr) DestroyWindow(parent);
    ClearSaverStateAfterTest();
  }

  void Store(const std::map<std::string, int32_t>& values) {
    for (const auto& value : values) StoreSettingsDword(value.first.c_str(), value.second);
  }

  // Hidden unless asked: a shown window takes Wine seconds to destroy.
  HWND StartSaver(int width, int height, bool visible = false) {
    window = CreateAnimTestWindow(width, height, ScreenSaverProc, visible);
    return window;
  }

  HWND StartPreview(int width, int height) {
    parent = CreateWindowExA(0, "STATIC", "display settings", WS_POPUP, 0, 0, width, height,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    window = CreateAnimTestChild(parent, ScreenSaverProc);
    return window;
  }

  // Destroys the window and checks that everything went: the blocks, the
  // GDI objects, the timer's steps, and that the quit message was posted.
  void ExpectDestroyedAndReleased(const Acquired& acquired) {
    if (IsWindow(window)) DestroyWindow(window);
    window = nullptr;
    WPARAM quitCode = 99;
    EXPECT_TRUE(TakeQuitMessage(&quitCode)) << "no quit message after WM_DESTROY";
    EXPECT_EQ(quitCode, 0u);
    ExpectReleased(acquired);
  }

  void ExpectReleased(const Acquired& acquired) {
    EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore) << "blocks left allocated";
    EXPECT_EQ(GetObjectType(acquired.backDC), 0u) << "BackDC left";
    EXPECT_EQ(GetObjectType(acquired.backBitmap), 0u) << "BackBitmap left";
    if (acquired.palette != nullptr) {
      EXPECT_EQ(GetObjectType(acquired.palette), 0u) << "DisplayPalette left";
    }
    EXPECT_EQ(LiveSheetBlocks(SpriteField.Sheet), 0);
    EXPECT_EQ(SpriteField.Sprites, nullptr);
    SaverRandom = UntouchedRandom;
    PumpMessagesFor(250);
    EXPECT_EQ(SaverRandom, UntouchedRandom) << "a step ran after destruction";
  }

  HWND window = nullptr;
  HWND parent = nullptr;
  int32_t liveBlocksBefore = 0;
};

// ---- Creation for the stored settings and the client size -----------------

struct CreationCase {
  const char* name;
  std::map<std::string, int32_t> stored;  // registry values; none: no key
  bool preview;
  int width, height;                       // client area
  SaverSettingsRecord expected;            // what the animation sees
  int backSide;
  int32_t limitX, limitY;
};

void PrintTo(const CreationCase& c, std::ostream* out) { *out << c.name; }

const CreationCase CreationCases[] = {
    {"DefaultsFullScreen", {}, false, 800, 600, {1, 4, 8, 16, 16, 48}, 120, 688, 488},
    // The preview replaces four values, whatever is stored, and keeps the turn times.
    {"PreviewReplacesFourValues",
     {{"Zoom", 2}, {"Number", 30}, {"MoveSpeed", 40}, {"RotSpeed", 3}, {"RotTimeMin", 5},
      {"RotTimeMax", 9}},
     true, 152, 112, {1, 1, 1, 16, 5, 9}, 113, 40, 0},
    {"PreviewWithDefaults", {}, true, 152, 112, {1, 1, 1, 16, 16, 48}, 113, 40, 0},
    {"ZoomTwoAt640x480", {{"Zoom", 2}, {"MoveSpeed", 256}, {"Number", 5}}, false, 640, 480,
     {2, 5, 256, 16, 16, 48}, 736, 416, 256},
    {"ClientSmallerThanOneSprite", {{"Number", 3}}, false, 100, 80, {1, 3, 8, 16, 16, 48}, 120,
     -12, -32},
    {"ZoomTwoClientExactlyOneSprite", {{"Zoom", 2}, {"MoveSpeed", 0}}, false, 224, 224,
     {2, 4, 0, 16, 16, 48}, 224, 0, 0},
    {"NumberZeroMakesNoSprites", {{"Number", 0}}, false, 320, 240, {1, 0, 8, 16, 16, 48}, 120,
     208, 128},
    // Values no dialog saves are brought into reach for the run only.
    {"StoredValuesOutOfReachAreBounded",
     {{"Zoom", 7}, {"Number", 100000}, {"MoveSpeed", -20}, {"RotSpeed", 999}}, false, 800, 600,
     {2, 256, 0, 64, 16, 48}, 224, 576, 376},
    {"NegativeNumberMakesNoSprites", {{"Number", -5}, {"Zoom", 0}, {"MoveSpeed", 100000}}, false,
     640, 480, {2, 0, 256, 16, 16, 48}, 736, 416, 256},
    {"PreviewKeepsTheStoredTurnTimes", {{"RotTimeMin", 700}, {"RotTimeMax", 3}}, true, 152,
     112, {1, 1, 1, 16, 700, 3}, 113, 40, 0},
};

class SaverWindowCreation : public SaverWindowLife,
                            public ::testing::WithParamInterface<CreationCase> {};

TEST_P(SaverWindowCreation, SetsUpTheAnimationAndDestructionReleasesIt) {
  const CreationCase& c = GetParam();
  Store(c.stored);
  const auto storedBefore = ReadSettingsKey();
  HostState.isPreview = c.preview ? 1 : 0;
  ASSERT_NE(c.preview ? StartPreview(c.width, c.height) : StartSaver(c.width, c.height), nullptr);

  EXPECT_EQ(SaverSettings.Zoom, c.expected.Zoom);
  EXPECT_EQ(SaverSettings.Number, c.expected.Number);
  EXPECT_EQ(SaverSettings.MoveSpeed, c.expected.MoveSpeed);
  EXPECT_EQ(SaverSettings.RotSpeed, c.expected.RotSpeed);
  EXPECT_EQ(SaverSettings.RotTimeMin, c.expected.RotTimeMin);
  EXPECT_EQ(SaverSettings.RotTimeMax, c.expected.RotTimeMax);
  EXPECT_EQ(ReadSettingsKey(), storedBefore) << "the run wrote the stored settings";

  EXPECT_EQ(AnimState.ScreenDC, GetDC(window)) << "not the window's own DC";
  EXPECT_EQ(AnimState.BitsPerPixel, 32);
  EXPECT_EQ(GetObjectType(AnimState.BackDC), static_cast<DWORD>(OBJ_MEMDC));
  const SIZE back = BitmapSize(AnimState.BackBitmap);
  EXPECT_EQ(back.cx, c.backSide);
  EXPECT_EQ(back.cy, c.backSide);
  EXPECT_EQ(GetCurrentObject(AnimState.BackDC, OBJ_BITMAP), AnimState.BackBitmap);
  EXPECT_EQ(AnimState.DisplayPalette, nullptr) << "a palette on a true-colour display";
  EXPECT_EQ(LiveSheetBlocks(SpriteField.Sheet), 15);
  EXPECT_NE(SpriteField.Sprites, nullptr);
  EXPECT_EQ(SpriteField.LimitX, c.limitX);
  EXPECT_EQ(SpriteField.LimitY, c.limitY);
  EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore + 16) << "header, 14 frame blocks, sprites";

  // Placed inside the limits; an axis without room puts every sprite at 0.
  for (int32_t i = 0; i < SaverSettings.Number; ++i) {
    const SpriteState& sprite = SpriteField.Sprites[i];
    SCOPED_TRACE("sprite " + std::to_string(i));
    if (c.limitX > 0) {
      EXPECT_GE(sprite.PosX, 0);
      EXPECT_LT(sprite.PosX, c.limitX * 4096);
    } else {
      EXPECT_EQ(sprite.PosX, 0);
    }
    if (c.limitY > 0) {
      EXPECT_GE(sprite.PosY, 0);
      EXPECT_LT(sprite.PosY, c.limitY * 4096);
    } else {
      EXPECT_EQ(sprite.PosY, 0);
    }
    EXPECT_EQ(sprite.VelX, 0);
    EXPECT_EQ(sprite.VelY, 0);
    EXPECT_TRUE(sprite.RotTime == 1 || sprite.RotTime == -1);
    EXPECT_TRUE(sprite.Frame >= 0 && sprite.Frame < 7);
    EXPECT_TRUE(sprite.Angle >= 0 && sprite.Angle < 512);
  }

  // The timer drives the steps from its own procedure: the sprites' frames
  // move on while WM_TIMER never reaches the window procedure.
  std::vector<SpriteState> before(SpriteField.Sprites, SpriteField.Sprites + SaverSettings.Number);
  ResetAnimTestMessageCounts();
  SaverRandom = UntouchedRandom;
  // Every drawing goes through the off-screen surface: white there stays
  // white exactly when the steps draw nothing.
  PatBlt(AnimState.BackDC, 0, 0, c.backSide, c.backSide, WHITENESS);
  PumpMessagesFor(350);
  EXPECT_NE(SaverRandom, UntouchedRandom) << "no step ran while the messages were pumped";
  EXPECT_EQ(AnimTestMessageCount(WM_TIMER), 0u);
  const std::vector<uint32_t> pixels = ReadPixels(AnimState.BackDC, 0, 0, c.backSide, c.backSide);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFFFFFFu) == static_cast<long>(pixels.size()),
            SaverSettings.Number == 0)
      << "the steps drew something exactly when there are sprites";
  for (int32_t i = 1; i < SaverSettings.Number; ++i) {
    EXPECT_EQ((SpriteField.Sprites[i].Frame - before[i].Frame + 7) % 7,
              (SpriteField.Sprites[0].Frame - before[0].Frame + 7) % 7)
        << "sprite " << i << " took a different number of steps";
  }

  ExpectDestroyedAndReleased(NoteAcquired(AnimState));
  EXPECT_EQ(ReadSettingsKey(), storedBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, SaverWindowCreation, ::testing::ValuesIn(CreationCases),
                         [](const ::testing::TestParamInfo<CreationCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Failed allocations -----------------------------------------------------

// The sheet allocates its header, then per frame its image block and its
// mask block; the sprite array comes last (no palette on this display).
uint32_t HeaderCall() { return 1; }
uint32_t BitmapCall(int frame) { return 2 + 2 * frame; }
uint32_t MaskCall(int frame) { return 3 + 2 * frame; }
const uint32_t PosCall = 16;

struct FailureCase {
  const char* name;
  uint32_t failingCall;
  const char* text;
  int sheetBlocksHeld;  // when the box is shown
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

const FailureCase FailureCases[] = {
    {"Header", HeaderCall(), HeaderFailureText, 0},
    {"BitmapOfFirstFrame", BitmapCall(0), BitmapFailureText, 1},
    {"BitmapOfFourthFrame", BitmapCall(3), BitmapFailureText, 7},
    {"MaskOfFirstFrame", MaskCall(0), MaskFailureText, 2},
    {"MaskOfLastFrame", MaskCall(6), MaskFailureText, 14},
    {"Pos", PosCall, PosFailureText, 15},
};

class SaverWindowFailure : public SaverWindowLife,
                           public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SaverWindowFailure, ShowsOneBoxRefusesCreationAndDestructionReleases) {
  const FailureCase& c = GetParam();
  FailAllocationAt(c.failingCall);
  StartWatchingMessageBoxes();
  EXPECT_EQ(StartSaver(320, 240), nullptr) << "creation was not refused";
  const std::vector<SeenMessageBox> boxes = StopWatchingMessageBoxes();

  ASSERT_EQ(boxes.size(), 1u);
  const SeenMessageBox& box = boxes[0];
  EXPECT_EQ(box.owner, AnimTestWindow) << "the box is not owned by the saver window";
  EXPECT_EQ(box.caption, SaverErrorCaption);
  EXPECT_EQ(box.caption, "Pennydance Error");
  ASSERT_EQ(box.texts.size(), 1u);
  EXPECT_EQ(box.texts[0], c.text);
  EXPECT_EQ(box.buttons, 1) << "not MB_OK";
  EXPECT_FALSE(box.timerWasRunning);
  // Nothing is released before the box: it all waits for WM_DESTROY.
  EXPECT_NE(box.animation.BackDC, nullptr);
  EXPECT_NE(box.animation.BackBitmap, nullptr);
  EXPECT_EQ(LiveSheetBlocks(box.field.Sheet), c.sheetBlocksHeld);
  EXPECT_EQ(box.field.Sprites, nullptr);
  EXPECT_FALSE(IsWindow(AnimTestWindow));
  ExpectDestroyedAndReleased(NoteAcquired(box.animation));
}

INSTANTIATE_TEST_SUITE_P(Cases, SaverWindowFailure, ::testing::ValuesIn(FailureCases),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Keys -------------------------------------------------------------------

struct VerifierScript {
  std::vector<int32_t> answers;
  std::vector<HWND> calls;
};
VerifierScript Verifier;

int32_t WINAPI ScriptedVerifier(HWND window) {
  Verifier.calls.push_back(window);
  if (Verifier.calls.size() > Verifier.answers.size()) return 0;
  return Verifier.answers[Verifier.calls.size() - 1];
}

struct KeyCase {
  const char* name;
  int32_t isWin95Family;
  bool verifierLoaded;
  std::vector<int32_t> answers;
  bool preview;
  UINT message;
  bool destroyedAtOnce;       // within the key message itself
  size_t verifierCalls;       // once the close request has been processed
  bool destroyedAfterwards;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

const KeyCase KeyCases[] = {
    {"KeyDownEndsAnNtRunAtOnce", 0, false, {}, false, WM_KEYDOWN, true, 0, true},
    {"SysKeyDownEndsAnNtRunAtOnce", 0, false, {}, false, WM_SYSKEYDOWN, true, 0, true},
    {"KeyEnds95RunWithoutPasswordAtOnce", 1, false, {}, false, WM_KEYDOWN, true, 0, true},
    {"KeyEndsPreviewAtOnce", 0, false, {}, true, WM_KEYDOWN, true, 0, true},
    // With a password a key only asks to close, and the prompt decides.
    {"KeyAsksForPasswordRefused", 1, true, {0}, false, WM_KEYDOWN, false, 1, false},
    {"SysKeyAsksForPasswordRefused", 1, true, {0}, false, WM_SYSKEYDOWN, false, 1, false},
    {"KeyAsksForPasswordGranted", 1, true, {1}, false, WM_KEYDOWN, false, 1, true},
};

class SaverWindowKeys : public SaverWindowLife, public ::testing::WithParamInterface<KeyCase> {
 protected:
  void TearDown() override {
    Verifier = VerifierScript{};
    SaverWindowLife::TearDown();
  }
};

TEST_P(SaverWindowKeys, EndTheSaverOrAskForThePassword) {
  const KeyCase& c = GetParam();
  HostState.isWin95Family = c.isWin95Family;
  HostState.isPreview = c.preview ? 1 : 0;
  Verifier = VerifierScript{c.answers, {}};
  if (c.verifierLoaded) HostState.verifyPassword = ScriptedVerifier;
  ASSERT_NE(c.preview ? StartPreview(200, 150) : StartSaver(400, 300), nullptr);
  const Acquired acquired = NoteAcquired(AnimState);

  EXPECT_EQ(SendMessageA(window, c.message, 'A', 0x001E0001), 0);
  EXPECT_EQ(!IsWindow(window), c.destroyedAtOnce);
  if (c.destroyedAtOnce) {
    ExpectDestroyedAndReleased(acquired);
    EXPECT_TRUE(Verifier.calls.empty());
    return;
  }
  // The posted close request is processed; a granted one ends the loop.
  WPARAM quitCode = 99;
  const bool quitCame = !PumpMessagesFor(200, &quitCode);
  ASSERT_EQ(Verifier.calls.size(), c.verifierCalls);
  EXPECT_EQ(Verifier.calls[0], window);
  EXPECT_EQ(!IsWindow(window), c.destroyedAfterwards);
  EXPECT_EQ(quitCame, c.destroyedAfterwards);
  if (c.destroyedAfterwards) {
    EXPECT_EQ(quitCode, 0u);
    window = nullptr;
    ExpectReleased(acquired);
    return;
  }
  EXPECT_EQ(HostState.isClosing, 0);
  EXPECT_EQ(LiveSheetBlocks(SpriteField.Sheet), 15) << "a refused close released the animation";
  ExpectDestroyedAndReleased(acquired);
}

INSTANTIATE_TEST_SUITE_P(Cases, SaverWindowKeys, ::testing::ValuesIn(KeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Palette messages without a palette ---------------------------------------

struct PaletteMessageCase {
  const char* name;
  UINT message;
  bool fromSaverItself;
  LRESULT expected;
};

void PrintTo(const PaletteMessageCase& c, std::ostream* out) { *out << c.name; }

const PaletteMessageCase TrueColourPaletteCases[] = {
    {"QueryNewPalette", WM_QUERYNEWPALETTE, false, 1},
    {"PaletteChangedByAnotherWindow", WM_PALETTECHANGED, false, 1},
    {"PaletteChangedByTheSaverItself", WM_PALETTECHANGED, true, 0},
};

class TrueColourPaletteMessages : public SaverWindowLife,
                                  public ::testing::WithParamInterface<PaletteMessageCase> {};

TEST_P(TrueColourPaletteMessages, AnswerWithoutDrawing) {
  const PaletteMessageCase& c = GetParam();
  ASSERT_NE(StartSaver(400, 300), nullptr);
  ASSERT_EQ(AnimState.DisplayPalette, nullptr);
  const std::vector<SpriteState> before(SpriteField.Sprites, SpriteField.Sprites + SaverSettings.Number);
  SaverRandom = UntouchedRandom;
  HWND other = GetDesktopWindow();
  const WPARAM wParam = c.message == WM_PALETTECHANGED
                            ? reinterpret_cast<WPARAM>(c.fromSaverItself ? window : other)
                            : 0;
  EXPECT_EQ(SendMessageA(window, c.message, wParam, 0), c.expected);
  EXPECT_EQ(SaverRandom, UntouchedRandom) << "a step ran";
  for (int32_t i = 0; i < SaverSettings.Number; ++i) {
    EXPECT_EQ(SpriteField.Sprites[i].Frame, before[i].Frame);
    EXPECT_EQ(SpriteField.Sprites[i].PosX, before[i].PosX);
  }
  ExpectDestroyedAndReleased(NoteAcquired(AnimState));
}

INSTANTIATE_TEST_SUITE_P(Cases, TrueColourPaletteMessages,
                         ::testing::ValuesIn(TrueColourPaletteCases),
                         [](const ::testing::TestParamInfo<PaletteMessageCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Destruction of what was never made --------------------------------------

TEST_F(SaverWindowLife, DestroyAnimationToleratesAnEmptyState) {
  HWND plain = CreateAnimTestWindow(50, 50, DefWindowProcA, false);
  ASSERT_NE(plain, nullptr);
  AnimState = AnimStateRecord{};
  SpriteField = SpriteFieldRecord{};
  DestroyAnimation(plain);
  WPARAM quitCode = 99;
  EXPECT_TRUE(TakeQuitMessage(&quitCode));
  EXPECT_EQ(quitCode, 0u);
  EXPECT_EQ(HeapCounters.liveBlocks, liveBlocksBefore);
  DestroyWindow(plain);
}

// ---- A full-screen run with the default settings ------------------------------

// The screen after a few seconds of steps, kept as ART_DIR/saver.png: the
// characters in the sheet's own colours on black, nothing else anywhere.
// The messages take the whole way, through the framework's procedure first,
// which also notes the pointer's place so that its first move does not end
// the run.
TEST_F(SaverWindowLife, FullScreenRunShowsTheCharactersOnBlack) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  window = CreateAnimTestWindow(width, height, HostWindowProc, true);
  ASSERT_NE(window, nullptr);
  PumpMessagesFor(3000);
  ASSERT_TRUE(IsWindow(window)) << "the run ended by itself";
  KillTimer(window, AnimationTimerId);
  PumpMessagesFor(200);  // Wine hands the window's pixels to X while pumping
  HDC screen = GetDC(nullptr);
  const std::vector<uint32_t> onScreen = ReadPixels(screen, 0, 0, width, height);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(onScreen, ReadPixels(AnimState.ScreenDC, 0, 0, width, height))
      << "the screen does not show what the window holds";
  EXPECT_TRUE(WriteScreenPng(ART_DIR "/saver.png")) << "could not write " ART_DIR "/saver.png";

  std::set<uint32_t> sheetColours;
  for (int k = 0; k < 20; ++k) sheetColours.insert(SheetColour(SpriteField.Sheet, k));
  // The frames' key colour is index 2; it is in the table, yet never drawn.
  const uint32_t keyColour = SheetColour(SpriteField.Sheet, 2);
  long foreign = 0, key = 0, outside = 0, drawn = 0;
  for (size_t p = 0; p < onScreen.size(); ++p) {
    const uint32_t pixel = onScreen[p];
    if (pixel == 0) continue;
    drawn++;
    key += pixel == keyColour;
    foreign += sheetColours.count(pixel) == 0;
    const int x = static_cast<int>(p % width), y = static_cast<int>(p / width);
    bool inSquare = false;
    for (int32_t i = 0; i < SaverSettings.Number; ++i) {
      const int left = SpriteField.Sprites[i].PosX >> 12, top = SpriteField.Sprites[i].PosY >> 12;
      inSquare = inSquare || (x >= left && x < left + 112 && y >= top && y < top + 112);
    }
    outside += !inSquare;
  }
  EXPECT_EQ(key, 0) << "key colour on the screen";
  EXPECT_EQ(foreign, 0) << "colours that are not the sheet's";
  EXPECT_EQ(outside, 0) << "pixels drawn outside every character's square";
  EXPECT_GT(drawn, 4 * 1000) << "the four characters are hardly there";
  EXPECT_LT(drawn, 4 * 112 * 112);
  ExpectDestroyedAndReleased(NoteAcquired(AnimState));
}

// ---- The preview ---------------------------------------------------------------

// One character, spinning where it was placed, inside the display
// settings' little window.
TEST_F(SaverWindowLife, PreviewShowsOneCharacterSpinningInPlace) {
  HostState.isPreview = 1;
  parent = CreateWindowExA(0, "STATIC", "display settings", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                           0, 0, 152, 112, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  window = CreateAnimTestChild(parent, HostWindowProc);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(SaverSettings.Number, 1);
  PumpMessagesFor(400);
  const SpriteState placed = SpriteField.Sprites[0];
  std::vector<std::vector<uint32_t>> pictures;
  for (int look = 0; look < 3; ++look) {
    PumpMessagesFor(250);
    pictures.push_back(ReadPixels(AnimState.ScreenDC, 0, 0, 152, 112));
  }
  EXPECT_EQ(SpriteField.Sprites[0].PosX, placed.PosX) << "the preview character walked";
  EXPECT_EQ(SpriteField.Sprites[0].PosY, 0);
  EXPECT_NE(SpriteField.Sprites[0].Angle, placed.Angle) << "it does not spin";
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[1], pictures[2]);
  std::set<uint32_t> sheetColours;
  for (int k = 0; k < 20; ++k) sheetColours.insert(SheetColour(SpriteField.Sheet, k));
  const int left = placed.PosX >> 12;
  for (const std::vector<uint32_t>& picture : pictures) {
    long drawn = 0, outside = 0, foreign = 0;
    for (size_t p = 0; p < picture.size(); ++p) {
      if (picture[p] == 0) continue;
      const int x = static_cast<int>(p % 152);
      drawn++;
      outside += x < left || x >= left + 112;
      foreign += sheetColours.count(picture[p]) == 0;
    }
    EXPECT_GT(drawn, 1000);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(foreign, 0);
  }
}

}  // namespace
