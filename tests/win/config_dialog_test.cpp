// The configuration dialog, created from the real template by
// DialogBoxParamA and used as a person would: a timer on the dialog's own
// thread types into the fields, presses keys in the focused control and
// clicks the buttons while the modal loop runs; afterwards the test reads the
// registry of the test prefix. Needs the ANSI code page 932, except the
// English dialog's tests, which CTest runs under English and French locales.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/host_state.h"
#include "res/resource_ids.h"
#include "settings/config_dialog.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_test_window.h"
#include "tests/fixtures/fixture_record.h"
#include "tests/support/dialog_paths.h"
#include "tests/support/host_test_support.h"
#include "tests/support/settings_registry.h"

namespace {

// ---- What the person does ------------------------------------------------

enum class Act { Type, Press, Click, CloseBox, Look, Picture };

struct Step {
  Act act;
  int control;       // Type, Click
  const char* text;  // Type: the characters, "\b" erases
  UINT key;          // Press
};

// Moves to the field as the Tab key does (which selects its whole text),
// then types the characters one by one.
Step Type(int control, const char* text) { return {Act::Type, control, text, 0}; }
// A key pressed and released in whichever control has the focus.
Step Press(UINT key) { return {Act::Press, 0, nullptr, key}; }
Step Click(int control) { return {Act::Click, control, nullptr, 0}; }
Step CloseBox() { return {Act::CloseBox, 0, nullptr, 0}; }
// Notes what the dialog shows at this moment.
Step Look() { return {Act::Look, 0, nullptr, 0}; }
Step Picture() { return {Act::Picture, 0, nullptr, 0}; }

const int FieldIds[5] = {IDC_NUMBER, IDC_MOVE_SPEED, IDC_ROT_SPEED, IDC_ROT_TIME_MIN, IDC_ROT_TIME_MAX};
const int SpinIds[5] = {IDC_NUMBER_SPIN, IDC_MOVE_SPEED_SPIN, IDC_ROT_SPEED_SPIN,
                        IDC_ROT_TIME_MIN_SPIN, IDC_ROT_TIME_MAX_SPIN};

struct ControlText {
  int id;
  std::string text;  // UTF-8
  bool operator==(const ControlText& other) const { return id == other.id && text == other.text; }
};

void PrintTo(const ControlText& control, std::ostream* out) { *out << control.id << " \"" << control.text << "\""; }

struct DialogView {
  bool visible;
  std::string title;  // UTF-8
  std::string fontFace;
  std::vector<ControlText> controls;  // in tab order
  std::string version;
  std::string fields[5];
  UINT standard, doubled;
  int focusId;
  int buddyIds[5];
  int lowest[5], highest[5];  // the up-down controls' ranges
};

// ---- Driving the dialog from a timer on its own thread -------------------

const UINT TickMilliseconds = 15;
const int SettleTicks = 4;       // the dialog is shown and painted meanwhile
const int GiveUpTicks = 400;     // then the run ends with GaveUpResult
const INT_PTR GaveUpResult = 99;

struct Driver {
  const std::vector<Step>* steps;
  size_t next;
  int ticks;
  std::vector<DialogView> views;
  int picturesWritten;
};

Driver TheDriver;

BOOL CALLBACK NoteDialogWindow(HWND window, LPARAM found) {
  char className[16];
  if (GetClassNameA(window, className, sizeof className) && strcmp(className, "#32770") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), NoteDialogWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string Utf8WindowText(HWND window) {
  wchar_t wide[256] = {};
  GetWindowTextW(window, wide, 256);
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

std::string ItemText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

DialogView LookAt(HWND dialog) {
  DialogView view;
  view.visible = IsWindowVisible(dialog) != FALSE;
  view.title = Utf8WindowText(dialog);
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  view.fontFace = font.lfFaceName;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    view.controls.push_back({LOWORD(GetDlgCtrlID(child)), Utf8WindowText(child)});
  }
  view.version = ItemText(dialog, IDC_VERSION);
  for (int i = 0; i < 5; ++i) {
    view.fields[i] = ItemText(dialog, FieldIds[i]);
    HWND buddy = reinterpret_cast<HWND>(SendDlgItemMessageA(dialog, SpinIds[i], UDM_GETBUDDY, 0, 0));
    view.buddyIds[i] = buddy ? GetDlgCtrlID(buddy) : 0;
    const LRESULT range = SendDlgItemMessageA(dialog, SpinIds[i], UDM_GETRANGE, 0, 0);
    view.lowest[i] = static_cast<short>(HIWORD(range));
    view.highest[i] = static_cast<short>(LOWORD(range));
  }
  view.standard = IsDlgButtonChecked(dialog, IDC_ZOOM_STANDARD);
  view.doubled = IsDlgButtonChecked(dialog, IDC_ZOOM_DOUBLE);
  HWND focus = GetFocus();
  view.focusId = focus && IsChild(dialog, focus) ? GetDlgCtrlID(focus) : 0;
  return view;
}

// The whole window as it is on the screen, into ART_DIR/dialog.png, or
// dialog-english.png for the English template.
bool SavePicture(HWND dialog) {
  RECT frame;
  GetWindowRect(dialog, &frame);
  HDC windowDC = GetWindowDC(dialog);
  const bool english = PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE;
  const bool written = WritePixelsPng(windowDC, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                                      english ? ART_DIR "/dialog-english.png" : ART_DIR "/dialog.png");
  ReleaseDC(dialog, windowDC);
  return written;
}

void Perform(HWND dialog, const Step& step) {
  switch (step.act) {
    case Act::Type: {
      HWND field = GetDlgItem(dialog, step.control);
      SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
      for (const char* c = step.text; *c != '\0'; ++c) {
        PostMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 1);
      }
      break;
    }
    case Act::Press: {
      HWND focus = GetFocus() != nullptr ? GetFocus() : dialog;
      PostMessageA(focus, WM_KEYDOWN, step.key, 1);
      PostMessageA(focus, WM_KEYUP, step.key, 0xC0000001);
      break;
    }
    case Act::Click:
      PostMessageA(GetDlgItem(dialog, step.control), BM_CLICK, 0, 0);
      break;
    case Act::CloseBox:
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Act::Look:
      TheDriver.views.push_back(LookAt(dialog));
      break;
    case Act::Picture:
      TheDriver.picturesWritten += SavePicture(dialog) ? 1 : 0;
      break;
  }
}

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = OpenDialog();
  if (dialog == nullptr) {
    return;
  }
  ++TheDriver.ticks;
  if (TheDriver.ticks <= SettleTicks) {
    return;
  }
  if (TheDriver.next < TheDriver.steps->size()) {
    Perform(dialog, (*TheDriver.steps)[TheDriver.next++]);
  } else if (TheDriver.ticks > SettleTicks + GiveUpTicks) {
    EndDialog(dialog, GaveUpResult);
  }
}

// Shows the dialog as configure mode does and runs the steps; the dialog's
// result comes back.
INT_PTR RunDialog(const std::vector<Step>& steps) {
  TheDriver = Driver{&steps, 0, 0, {}, 0};
  HostState.instance = GetModuleHandleA(nullptr);
  EXPECT_TRUE(InitConfigureDialogClasses(HostState.instance));
  const UINT_PTR timer = SetTimer(nullptr, 0, TickMilliseconds, DriverTick);
  const INT_PTR result = DialogBoxParamA(HostState.instance, MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr,
                                         ScreenSaverConfigureDialog, 0);
  KillTimer(nullptr, timer);
  EXPECT_EQ(TheDriver.next, steps.size()) << "the dialog ended before every step was done";
  return result;
}

// ---- Registry ------------------------------------------------------------

struct Six {
  int32_t Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax;
};

struct StoredDword {
  const char* name;
  uint32_t value;
};

void Arrange(const std::vector<StoredDword>& stored) {
  RemoveMakerKey();
  for (const StoredDword& value : stored) {
    StoreSettingsDword(value.name, value.value);
  }
}

void ExpectSavedSettings(const Six& expected) {
  const auto values = ReadSettingsKey();
  const StoredDword six[] = {{"Zoom", uint32_t(expected.Zoom)},
                             {"Number", uint32_t(expected.Number)},
                             {"MoveSpeed", uint32_t(expected.MoveSpeed)},
                             {"RotSpeed", uint32_t(expected.RotSpeed)},
                             {"RotTimeMin", uint32_t(expected.RotTimeMin)},
                             {"RotTimeMax", uint32_t(expected.RotTimeMax)}};
  for (const StoredDword& value : six) {
    SCOPED_TRACE(value.name);
    auto found = values.find(value.name);
    ASSERT_NE(found, values.end());
    EXPECT_EQ(found->second.type, DWORD{REG_DWORD});
    ASSERT_EQ(found->second.bytes.size(), 4u);
    int32_t saved;
    memcpy(&saved, found->second.bytes.data(), 4);
    EXPECT_EQ(saved, int32_t(value.value));
  }
}

class ConfigureDialog : public testing::Test {
 protected:
  void SetUp() override { RemoveMakerKey(); }
  void TearDown() override { RemoveMakerKey(); }
};

// ---- What the dialog shows when it opens ---------------------------------

struct ShownCase {
  const char* name;
  std::vector<StoredDword> stored;
  const char* fields[5];
  UINT standard, doubled;
};

const std::vector<ShownCase>& ShownCases() {
  static const std::vector<ShownCase> cases = {
      {"no key shows the defaults", {}, {"4", "8", "16", "16", "48"}, BST_CHECKED, BST_UNCHECKED},
      {"Zoom 1 is standard", {{"Zoom", 1}}, {"4", "8", "16", "16", "48"}, BST_CHECKED, BST_UNCHECKED},
      {"Zoom 2 is double", {{"Zoom", 2}}, {"4", "8", "16", "16", "48"}, BST_UNCHECKED, BST_CHECKED},
      {"Zoom 0 is double", {{"Zoom", 0}}, {"4", "8", "16", "16", "48"}, BST_UNCHECKED, BST_CHECKED},
      {"Zoom 3 is double", {{"Zoom", 3}}, {"4", "8", "16", "16", "48"}, BST_UNCHECKED, BST_CHECKED},
      {"Number 1000 shown unbounded", {{"Number", 1000}}, {"1000", "8", "16", "16", "48"}, BST_CHECKED, BST_UNCHECKED},
      {"negative Number shown unsigned", {{"Number", 0xFFFFFFFFu}}, {"4294967295", "8", "16", "16", "48"}, BST_CHECKED, BST_UNCHECKED},
      {"each value in its own field",
       {{"Zoom", 2}, {"Number", 10}, {"MoveSpeed", 20}, {"RotSpeed", 30}, {"RotTimeMin", 40}, {"RotTimeMax", 50}},
       {"10", "20", "30", "40", "50"}, BST_UNCHECKED, BST_CHECKED},
  };
  return cases;
}

TEST_F(ConfigureDialog, OpensWithTheStoredValuesTheVersionAndTheFocusOnOk) {
  // The arrows' ranges: what OK saves at most, but the shortest turn's reach 999.
  const int lowest[5] = {1, 0, 0, 0, 1};
  const int highest[5] = {256, 256, 64, 999, 999};
  for (const ShownCase& row : ShownCases()) {
    SCOPED_TRACE(row.name);
    Arrange(row.stored);
    const auto before = ReadSettingsKey();
    EXPECT_EQ(RunDialog({Look(), Click(IDCANCEL)}), IDCANCEL);
    ASSERT_EQ(TheDriver.views.size(), 1u);
    const DialogView& view = TheDriver.views[0];
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.title, "Pennydanceの設定");
    EXPECT_EQ(view.version, "Version.1.02");
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(view.fields[i], row.fields[i]) << "field " << FieldIds[i];
      EXPECT_EQ(view.buddyIds[i], FieldIds[i]) << "arrows " << SpinIds[i];
      EXPECT_EQ(view.lowest[i], lowest[i]) << "arrows " << SpinIds[i];
      EXPECT_EQ(view.highest[i], highest[i]) << "arrows " << SpinIds[i];
    }
    EXPECT_EQ(view.standard, row.standard);
    EXPECT_EQ(view.doubled, row.doubled);
    EXPECT_EQ(view.focusId, IDOK);
    EXPECT_TRUE(ReadSettingsKey() == before);
    EXPECT_EQ(SettingsKeyExists(), !row.stored.empty());
  }
}

// ---- What OK saves -------------------------------------------------------

struct SaveCase {
  const char* name;
  std::vector<StoredDword> stored;
  std::vector<Step> steps;
  Six saved;
};

const std::vector<SaveCase>& SaveCases() {
  static const std::vector<SaveCase> cases = {
      {"OK alone saves the defaults", {}, {Click(IDOK)}, {1, 4, 8, 16, 16, 48}},
      {"OK keeps values already in range",
       {{"Zoom", 2}, {"Number", 10}, {"MoveSpeed", 20}, {"RotSpeed", 30}, {"RotTimeMin", 40}, {"RotTimeMax", 50}},
       {Click(IDOK)}, {2, 10, 20, 30, 40, 50}},
      {"stored Zoom 0 saves 2", {{"Zoom", 0}}, {Click(IDOK)}, {2, 4, 8, 16, 16, 48}},
      {"stored Zoom 3 saves 2", {{"Zoom", 3}}, {Click(IDOK)}, {2, 4, 8, 16, 16, 48}},
      {"stored Number 1000 saves 256", {{"Number", 1000}}, {Click(IDOK)}, {1, 256, 8, 16, 16, 48}},
      {"choosing double saves 2", {}, {Click(IDC_ZOOM_DOUBLE), Click(IDOK)}, {2, 4, 8, 16, 16, 48}},
      {"choosing standard saves 1", {{"Zoom", 2}}, {Click(IDC_ZOOM_STANDARD), Click(IDOK)}, {1, 4, 8, 16, 16, 48}},
      {"empty Number saves 1", {}, {Type(IDC_NUMBER, "\b"), Click(IDOK)}, {1, 1, 8, 16, 16, 48}},
      {"300 in Number saves 256", {}, {Type(IDC_NUMBER, "300"), Click(IDOK)}, {1, 256, 8, 16, 16, 48}},
      {"Number takes digits only", {}, {Type(IDC_NUMBER, "3x0"), Click(IDOK)}, {1, 30, 8, 16, 16, 48}},
      {"letters in movement save 0", {}, {Type(IDC_MOVE_SPEED, "abc"), Click(IDOK)}, {1, 4, 0, 16, 16, 48}},
      {"100 in rotation saves 64", {}, {Type(IDC_ROT_SPEED, "100"), Click(IDOK)}, {1, 4, 8, 64, 16, 48}},
      {"5000 in minimum saves 998 and 999", {}, {Type(IDC_ROT_TIME_MIN, "5000"), Click(IDOK)}, {1, 4, 8, 16, 998, 999}},
      {"minimum 20 maximum 10 saves 21", {},
       {Type(IDC_ROT_TIME_MIN, "20"), Type(IDC_ROT_TIME_MAX, "10"), Click(IDOK)}, {1, 4, 8, 16, 20, 21}},
      {"minimum 0 maximum 0 saves 1", {},
       {Type(IDC_ROT_TIME_MIN, "0"), Type(IDC_ROT_TIME_MAX, "0"), Click(IDOK)}, {1, 4, 8, 16, 0, 1}},
      {"minimum 500 maximum 2000 saves 999", {},
       {Type(IDC_ROT_TIME_MIN, "500"), Type(IDC_ROT_TIME_MAX, "2000"), Click(IDOK)}, {1, 4, 8, 16, 500, 999}},
      {"minimum 999 saves 998 and 999", {},
       {Type(IDC_ROT_TIME_MIN, "999"), Type(IDC_ROT_TIME_MAX, "999"), Click(IDOK)}, {1, 4, 8, 16, 998, 999}},
      {"4294967295 in movement saves 0", {}, {Type(IDC_MOVE_SPEED, "4294967295"), Click(IDOK)}, {1, 4, 0, 16, 16, 48}},
      {"4294967294 in movement saves 0", {}, {Type(IDC_MOVE_SPEED, "4294967294"), Click(IDOK)}, {1, 4, 0, 16, 16, 48}},
      {"-5 in rotation saves 0", {}, {Type(IDC_ROT_SPEED, "-5"), Click(IDOK)}, {1, 4, 8, 0, 16, 48}},
      {"2147483648 in minimum saves 0", {},
       {Type(IDC_ROT_TIME_MIN, "2147483648"), Type(IDC_ROT_TIME_MAX, "10"), Click(IDOK)}, {1, 4, 8, 16, 0, 10}},
      {"Enter in the Number field acts as OK", {}, {Type(IDC_NUMBER, "7"), Press(VK_RETURN)}, {1, 7, 8, 16, 16, 48}},
      {"Enter in the maximum field acts as OK", {}, {Type(IDC_ROT_TIME_MAX, "60"), Press(VK_RETURN)}, {1, 4, 8, 16, 16, 60}},
      {"arrows stop at the upper ends", {},
       {Type(IDC_NUMBER, "255"), Press(VK_UP), Press(VK_UP), Type(IDC_MOVE_SPEED, "255"), Press(VK_UP), Press(VK_UP),
        Type(IDC_ROT_SPEED, "63"), Press(VK_UP), Press(VK_UP), Type(IDC_ROT_TIME_MIN, "997"), Press(VK_UP), Press(VK_UP),
        Type(IDC_ROT_TIME_MAX, "998"), Press(VK_UP), Press(VK_UP), Click(IDOK)},
       {1, 256, 256, 64, 998, 999}},
      {"arrows stop at the lower ends", {},
       {Type(IDC_NUMBER, "2"), Press(VK_DOWN), Press(VK_DOWN), Type(IDC_MOVE_SPEED, "1"), Press(VK_DOWN),
        Press(VK_DOWN), Type(IDC_ROT_SPEED, "1"), Press(VK_DOWN), Press(VK_DOWN), Type(IDC_ROT_TIME_MIN, "1"),
        Press(VK_DOWN), Press(VK_DOWN), Type(IDC_ROT_TIME_MAX, "2"), Press(VK_DOWN), Press(VK_DOWN), Click(IDOK)},
       {1, 1, 0, 0, 0, 1}},
  };
  return cases;
}

TEST_F(ConfigureDialog, OkBoundsAndSavesWhatWasTyped) {
  for (const SaveCase& row : SaveCases()) {
    SCOPED_TRACE(row.name);
    Arrange(row.stored);
    EXPECT_EQ(RunDialog(row.steps), IDOK);
    ExpectSavedSettings(row.saved);
    EXPECT_EQ(ReadSettingsKey().size(), 6u);
  }
}

// ---- Leaving without saving ----------------------------------------------

struct CancelCase {
  const char* name;
  std::vector<StoredDword> stored;
  std::vector<Step> steps;
  Six loaded;  // what SaverSettings still holds afterwards
};

const std::vector<CancelCase>& CancelCases() {
  static const std::vector<CancelCase> cases = {
      {"Cancel button after typing", {{"Number", 10}, {"Zoom", 2}},
       {Type(IDC_NUMBER, "99"), Type(IDC_MOVE_SPEED, "5"), Click(IDC_ZOOM_STANDARD), Click(IDCANCEL)},
       {2, 10, 8, 16, 16, 48}},
      {"Escape in a field after typing", {{"Number", 10}},
       {Type(IDC_NUMBER, "99"), Type(IDC_ROT_TIME_MAX, "3"), Press(VK_ESCAPE)}, {1, 10, 8, 16, 16, 48}},
      {"Escape on the OK button", {{"RotSpeed", 3}}, {Press(VK_ESCAPE)}, {1, 4, 8, 3, 16, 48}},
      {"close box after typing", {{"MoveSpeed", 7}}, {Type(IDC_ROT_SPEED, "1"), CloseBox()}, {1, 4, 7, 16, 16, 48}},
      {"Cancel without a key keeps it absent", {}, {Type(IDC_NUMBER, "5"), Click(IDCANCEL)}, {1, 4, 8, 16, 16, 48}},
      {"Escape without a key keeps it absent", {}, {Press(VK_ESCAPE)}, {1, 4, 8, 16, 16, 48}},
      {"close box without a key keeps it absent", {}, {CloseBox()}, {1, 4, 8, 16, 16, 48}},
  };
  return cases;
}

TEST_F(ConfigureDialog, CancelEscapeAndCloseBoxLeaveTheRegistryAlone) {
  for (const CancelCase& row : CancelCases()) {
    SCOPED_TRACE(row.name);
    Arrange(row.stored);
    if (!row.stored.empty()) {
      StoreSettingsValue("Other", REG_SZ, {'k', 'e', 'e', 'p', 0});
    }
    const auto before = ReadSettingsKey();
    EXPECT_EQ(RunDialog(row.steps), IDCANCEL);
    EXPECT_TRUE(ReadSettingsKey() == before);
    EXPECT_EQ(SettingsKeyExists(), !row.stored.empty());
    EXPECT_EQ(SaverSettings.Zoom, row.loaded.Zoom);
    EXPECT_EQ(SaverSettings.Number, row.loaded.Number);
    EXPECT_EQ(SaverSettings.MoveSpeed, row.loaded.MoveSpeed);
    EXPECT_EQ(SaverSettings.RotSpeed, row.loaded.RotSpeed);
    EXPECT_EQ(SaverSettings.RotTimeMin, row.loaded.RotTimeMin);
    EXPECT_EQ(SaverSettings.RotTimeMax, row.loaded.RotTimeMax);
  }
}

// ---- The home-page button ------------------------------------------------

// What the shell starts for an https address, for as long as a test runs:
// `reg add` records the address it was given, so the test sees that the
// button really asked the shell to open the home page.
class OpenedAddressRecorder {
 public:
  OpenedAddressRecorder() {
    RegDeleteKeyA(HKEY_CURRENT_USER, RecordKey);
    RegCreateKeyExA(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &command_, nullptr);
    DWORD size = sizeof previous_ - 1;
    hadPrevious_ = RegQueryValueExA(command_, nullptr, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(previous_), &size) == ERROR_SUCCESS;
    const std::string recorder = std::string("C:\\windows\\system32\\reg.exe add \"HKCU\\") +
                                 RecordKey + "\" /v Address /t REG_SZ /d \"%1\" /f";
    RegSetValueExA(command_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder.c_str()),
                   static_cast<DWORD>(recorder.size() + 1));
  }
  ~OpenedAddressRecorder() {
    if (hadPrevious_) {
      RegSetValueExA(command_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_),
                     static_cast<DWORD>(strlen(previous_) + 1));
    } else {
      RegDeleteValueA(command_, nullptr);
    }
    RegCloseKey(command_);
    RegDeleteKeyA(HKEY_CURRENT_USER, RecordKey);
  }
  // The address recorded, waiting up to a minute for the program started.
  std::string WaitForAddress() const {
    for (int i = 0; i < 600; ++i) {
      const std::string address = hosttest::ReadFixtureText(RecordKey, "Address");
      if (!address.empty()) return address;
      Sleep(100);
    }
    return "(nothing opened)";
  }

 private:
  static constexpr const char* RecordKey = FIXTURE_KEY_ROOT "Opened";
  HKEY command_ = nullptr;
  char previous_[1024] = {};
  bool hadPrevious_ = false;
};

// The dialog must stay as the user left it, and the shell is asked to open
// the home page's address.
TEST_F(ConfigureDialog, HomePageButtonOpensTheAddressAndLeavesTheDialogAsTyped) {
  const OpenedAddressRecorder recorder;
  const std::vector<Step> steps = {Type(IDC_NUMBER, "12"), Type(IDC_MOVE_SPEED, "abc"), Click(IDC_ZOOM_DOUBLE),
                                   Look(), Click(IDC_HOME_PAGE), Look(), Click(IDOK)};
  EXPECT_EQ(RunDialog(steps), IDOK);
  EXPECT_EQ(recorder.WaitForAddress(), "https://pennydance.example.org/");
  ASSERT_EQ(TheDriver.views.size(), 2u);
  const char* typed[5] = {"12", "abc", "16", "16", "48"};
  for (const DialogView& view : TheDriver.views) {
    EXPECT_TRUE(view.visible);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(view.fields[i], typed[i]) << "field " << FieldIds[i];
    }
    EXPECT_EQ(view.standard, UINT{BST_UNCHECKED});
    EXPECT_EQ(view.doubled, UINT{BST_CHECKED});
    EXPECT_EQ(view.version, "Version.1.02");
  }
  ExpectSavedSettings({2, 12, 0, 16, 16, 48});
}

// ---- A picture to judge by eye -------------------------------------------

TEST_F(ConfigureDialog, LeavesAPictureOfTheOpenDialog) {
  EXPECT_EQ(RunDialog({Look(), Picture(), Click(IDCANCEL)}), IDCANCEL);
  EXPECT_EQ(TheDriver.picturesWritten, 1) << "could not write " ART_DIR "/dialog.png";
}

// ---- The English dialog -------------------------------------------------

// Every user interface but a Japanese one gets the English template, which
// Windows picks by its resource language; the same controls in the same
// order, with English texts.
class EnglishConfigureDialog : public ConfigureDialog {
 protected:
  void SetUp() override {
    ASSERT_NE(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE)
        << "run these with an English or French locale (LC_ALL)";
    ConfigureDialog::SetUp();
  }
};

TEST_F(EnglishConfigureDialog, ShowsEnglishTextsOnTheSameControls) {
  EXPECT_EQ(RunDialog({Look(), Picture(), Click(IDCANCEL)}), IDCANCEL);
  EXPECT_EQ(TheDriver.picturesWritten, 1) << "could not write " ART_DIR "/dialog-english.png";
  ASSERT_EQ(TheDriver.views.size(), 1u);
  const DialogView& view = TheDriver.views[0];
  EXPECT_EQ(view.title, "Pennydance Settings");
  EXPECT_EQ(view.fontFace, "MS Shell Dlg");
  const std::vector<ControlText> controls = {
      {IDOK, "OK"}, {IDCANCEL, "Cancel"}, {0xFFFF, "Count and size"}, {0xFFFF, "Count (1-256):"},
      {IDC_NUMBER, "4"}, {IDC_NUMBER_SPIN, "Spin1"}, {IDC_ZOOM_STANDARD, "1x"}, {IDC_ZOOM_DOUBLE, "2x"},
      {0xFFFF, "Speed"}, {0xFFFF, "Move (0-256):"}, {IDC_MOVE_SPEED, "8"}, {IDC_MOVE_SPEED_SPIN, "Spin2"},
      {0xFFFF, "Turn (0-64):"}, {IDC_ROT_SPEED, "16"}, {IDC_ROT_SPEED_SPIN, "Spin3"}, {0xFFFF, "Turn time"},
      {0xFFFF, "Min (0+):"}, {IDC_ROT_TIME_MIN, "16"}, {IDC_ROT_TIME_MIN_SPIN, "Spin4"}, {0xFFFF, "Max (1+):"},
      {IDC_ROT_TIME_MAX, "48"}, {IDC_ROT_TIME_MAX_SPIN, "Spin5"}, {0xFFFF, "ID_APP"}, {0xFFFF, "Pennydance"},
      {0xFFFF, "Character and code: Pennydance team"}, {IDC_VERSION, "Version.1.02"},
      {0xFFFF, "https://pennydance.example.org/"}, {IDC_HOME_PAGE, "Open home page"}};
  EXPECT_EQ(view.controls, controls);
  // The name and the icon exist in Japanese only, and serve every language.
  wchar_t name[16] = {};
  EXPECT_EQ(LoadStringW(HostState.instance, IDS_SAVER_NAME, name, 16), 10);
  EXPECT_STREQ(name, L"Pennydance");
  EXPECT_NE(LoadIconA(HostState.instance, "ID_APP"), nullptr);
}

TEST_F(EnglishConfigureDialog, OkBoundsAndSavesWhatWasTyped) {
  EXPECT_EQ(RunDialog({Type(IDC_NUMBER, "300"), Click(IDC_ZOOM_DOUBLE), Type(IDC_ROT_TIME_MIN, "20"),
                       Type(IDC_ROT_TIME_MAX, "10"), Press(VK_RETURN)}),
            IDOK);
  ExpectSavedSettings({2, 256, 8, 16, 20, 21});
}

}  // namespace
