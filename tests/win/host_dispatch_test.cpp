// The mode dispatch run in this process: what it records, the exit codes of
// invalid input, and the preview and configuration modes ended from a timer
// inside their own message loops.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/host_state.h"
#include "host/saver_main.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

class HostDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    ResetHostState();
  }
  void TearDown() override {
    ResetHostState();
    hosttest::UnlockScreen(screenLock_);
  }
  HANDLE screenLock_ = nullptr;
};

HINSTANCE ThisModule() {
  return GetModuleHandleA(nullptr);
}

TEST_F(HostDispatchTest, RecordsTheInstanceAndThePlatformFamily) {
  DispatchSaverMode(ThisModule(), "/x");
  EXPECT_EQ(HostState.instance, ThisModule());
  EXPECT_EQ(HostState.isWin95Family, hosttest::PlatformIsWin95Family());
}

TEST_F(HostDispatchTest, InvalidInputGivesMinusOne) {
  REQUIRE_NT_FAMILY();
  const char* tails[] = {"/x", "/1", "/\ts", "\ts", "/p 0", "/p:1234", "/p", "/p 99999999",
                         "/a", "/A 5", "?"};
  for (const char* tail : tails) {
    SCOPED_TRACE(std::string("[") + tail + "]");
    EXPECT_EQ(DispatchSaverMode(ThisModule(), tail), -1);
    EXPECT_EQ(HostState.saverWindow, nullptr);
  }
}

HWND g_windowToEnd;

void CALLBACK DestroyChosenWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  DestroyWindow(g_windowToEnd);
}

struct PreviewTextCase {
  const char* name;
  const char* suffix;
  unsigned long long add;
};

TEST_F(HostDispatchTest, PreviewHandleTextNamesTheParent) {
  const PreviewTextCase cases[] = {{"plain", "", 0},
                                   {"letters after the digits", "abc", 0},
                                   {"wrapped modulo 2^32", "", 0x100000000ull}};
  for (const PreviewTextCase& row : cases) {
    SCOPED_TRACE(row.name);
    HWND parent = hosttest::CreatePlainWindow("preview parent", 152, 112);
    g_windowToEnd = parent;
    const unsigned long long handle =
        static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(parent)) + row.add;
    const std::string tail = "/p " + std::to_string(handle) + row.suffix;
    SetTimer(nullptr, 0, 300, DestroyChosenWindow);
    EXPECT_EQ(DispatchSaverMode(ThisModule(), tail.c_str()), 0);
    EXPECT_EQ(HostState.isPreview, 1);
    EXPECT_NE(HostState.saverWindow, nullptr);
    EXPECT_FALSE(IsWindow(parent));
    ResetHostState();
  }
}

struct DialogEnd {
  int button;
  HWND owner;
};
DialogEnd g_dialogEnd;
HWND g_dialogOwner;

BOOL CALLBACK PressButtonOfThreadDialog(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770") {
    g_dialogOwner = GetWindow(window, GW_OWNER);
    PostMessageA(window, WM_COMMAND, g_dialogEnd.button, 0);
    return FALSE;
  }
  return TRUE;
}

void CALLBACK EndThreadDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EnumThreadWindows(GetCurrentThreadId(), PressButtonOfThreadDialog, 0);
}

struct ConfigureCase {
  const char* tail;
  int button;
  bool ownedByForeground;
  int32_t result;
};

TEST_F(HostDispatchTest, ConfigureReturnsTheDialogsResult) {
  HWND settings = hosttest::CreatePlainWindow("display settings", 60, 60);
  SetForegroundWindow(settings);
  hosttest::PumpMessagesFor(50);
  const ConfigureCase cases[] = {{"", IDCANCEL, false, 2},
                                 {"/c", IDCANCEL, true, 2},
                                 {"/c:1234", IDCANCEL, true, 2}};
  for (const ConfigureCase& row : cases) {
    SCOPED_TRACE(std::string("[") + row.tail + "]");
    SetForegroundWindow(settings);
    g_dialogEnd = DialogEnd{row.button, nullptr};
    g_dialogOwner = reinterpret_cast<HWND>(1);
    SetTimer(nullptr, 0, 300, EndThreadDialog);
    EXPECT_EQ(DispatchSaverMode(ThisModule(), row.tail), row.result);
    EXPECT_EQ(g_dialogOwner, row.ownedByForeground ? settings : nullptr);
  }
  DestroyWindow(settings);
}

}  // namespace
