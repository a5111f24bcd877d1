// The module started as a process with each kind of command line on an
// NT-family platform: full 32-bit exit codes, the windows it shows and how
// they end. Every child is waited for with a timeout and killed if it stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/host_process.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

using hosttest::ChildProcess;

const DWORD ChildTimeoutMs = 15000;
const DWORD WindowTimeoutMs = 10000;

std::string SaverPath() {
  return hosttest::TestFilePath("pennydance_nt.scr");
}

std::string Decimal(unsigned long long value) {
  return std::to_string(value);
}

unsigned long long HandleValue(HWND window) {
  return static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window));
}

class HostModesTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    SetCursorPos(400, 300);
  }
  void TearDown() override { hosttest::UnlockScreen(screenLock_); }
  HANDLE screenLock_ = nullptr;
};

// Ends a full-screen saver as a key press would.
DWORD EndWithKey(HWND saver, ChildProcess* child) {
  PostMessageA(saver, WM_KEYDOWN, 'K', 0);
  return hosttest::FinishChild(child, ChildTimeoutMs);
}

TEST_F(HostModesTest, InvalidInputEndsWithMinusOne) {
  // (A tab right after the program name belongs to the blanks before the tail.)
  const char* tails[] = {"/x", "/1",  "/\ts", "- \ts", "+s", "/p 0",  "/p:1234", "/p",
                         "/p 99999999", "/l", "/a", "/A 12", "-a", "\xd3"};
  for (const char* tail : tails) {
    SCOPED_TRACE(std::string("tail [") + tail + "]");
    EXPECT_EQ(hosttest::RunChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), tail),
                                 ChildTimeoutMs),
              0xFFFFFFFFu);
  }
}

struct RunCase {
  const char* name;
  std::string commandLine;
};

TEST_F(HostModesTest, FullScreenRunShowsTheSaverWindowInFront) {
  const RunCase cases[] = {
      {"/s", hosttest::ModuleCommandLine(SaverPath(), "/s")},
      {"S", hosttest::ModuleCommandLine(SaverPath(), "S")},
      {"- - s", hosttest::ModuleCommandLine(SaverPath(), "- - s")},
      {"//s", hosttest::ModuleCommandLine(SaverPath(), "//s")},
      {"/s anything", hosttest::ModuleCommandLine(SaverPath(), "/s anything")},
      {"quoted name with spaces",
       "\"C:\\Program Files\\My Screen Savers\\pennydance.scr\" /s"},
      {"plain name, tab", "pennydance_nt.scr\t/s"},
  };
  for (const RunCase& row : cases) {
    SCOPED_TRACE(row.name);
    ChildProcess child;
    ASSERT_TRUE(hosttest::StartChild(SaverPath(), row.commandLine, &child));
    HWND saver = hosttest::WaitForTopLevelWindow(child.processId, "WindowsScreenSaverClass",
                                                 "Screen Saver", WindowTimeoutMs);
    EXPECT_NE(saver, nullptr);
    if (saver != nullptr) {
      EXPECT_TRUE(hosttest::WaitForForeground(saver, WindowTimeoutMs));
      EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saver, GWL_STYLE)), 0x96000000u);
      EXPECT_EQ(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
      RECT rect = {};
      GetWindowRect(saver, &rect);
      EXPECT_EQ(rect.left, 0);
      EXPECT_EQ(rect.top, 0);
      EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
      EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    }
    EXPECT_EQ(EndWithKey(saver, &child), 0u);
  }
}

// (Bringing a saver back to the front needs it to survive losing the
// foreground first, which only a refused password allows: see the Windows 95
// family's process tests.)
TEST_F(HostModesTest, SecondFullScreenStartEndsAtOnceAndLeavesTheFirstInFront) {
  ChildProcess first;
  ASSERT_TRUE(hosttest::StartChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                                   &first));
  HWND saver = hosttest::WaitForTopLevelWindow(first.processId, "WindowsScreenSaverClass",
                                               "Screen Saver", WindowTimeoutMs);
  EXPECT_NE(saver, nullptr);
  EXPECT_TRUE(hosttest::WaitForForeground(saver, WindowTimeoutMs));
  EXPECT_EQ(hosttest::RunChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                               ChildTimeoutMs),
            0u);
  hosttest::PumpMessagesFor(100);
  EXPECT_EQ(GetForegroundWindow(), saver);
  EXPECT_EQ(hosttest::CountTopLevelWindows("WindowsScreenSaverClass", "Screen Saver"), 1);
  EXPECT_FALSE(hosttest::ChildHasEnded(first)) << "the first saver still runs";
  EXPECT_EQ(EndWithKey(saver, &first), 0u);
}

struct PreviewCase {
  const char* name;
  const char* format;  // %s: the parent's handle in decimal
  unsigned long long add;
};

TEST_F(HostModesTest, PreviewRunsInsideTheGivenParentUntilTheParentGoes) {
  const PreviewCase cases[] = {
      {"/p h", "/p %s", 0},          {"-ph", "-p%s", 0},      {"/P   h", "/P   %s", 0},
      {"/l h", "/l %s", 0},          {"/Lh", "/L%s", 0},      {"/p h with letters after", "/p %sabc", 0},
      {"/p h + 2^32 wraps", "/p %s", 0x100000000ull},
  };
  for (const PreviewCase& row : cases) {
    SCOPED_TRACE(row.name);
    HWND parent = hosttest::CreatePlainWindow("display settings preview", 152, 112);
    HWND settings = hosttest::CreatePlainWindow("display settings", 60, 60);
    SetForegroundWindow(settings);
    char tail[128];
    std::snprintf(tail, sizeof tail, row.format, Decimal(HandleValue(parent) + row.add).c_str());
    ChildProcess child;
    ASSERT_TRUE(hosttest::StartChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), tail),
                                     &child));
    HWND preview = hosttest::WaitForChildWindow(parent, "WindowsScreenSaverClass", WindowTimeoutMs);
    EXPECT_NE(preview, nullptr);
    if (preview != nullptr) {
      hosttest::PumpMessagesFor(100);
      char title[64] = {};
      GetWindowTextA(preview, title, sizeof title);
      EXPECT_STREQ(title, "Preview");
      EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(preview, GWL_STYLE)), 0x52000000u);
      EXPECT_EQ(GetWindowLongA(preview, GWL_EXSTYLE), 0);
      RECT rect = {};
      GetWindowRect(preview, &rect);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(rect.left, 0);
      EXPECT_EQ(rect.top, 0);
      EXPECT_EQ(rect.right, 152);
      EXPECT_EQ(rect.bottom, 112);
      EXPECT_EQ(GetForegroundWindow(), settings) << "a preview is not brought to the front";
      DWORD owner = 0;
      GetWindowThreadProcessId(preview, &owner);
      EXPECT_EQ(owner, child.processId);
    }
    hosttest::PumpMessagesFor(200);
    EXPECT_FALSE(hosttest::ChildHasEnded(child)) << "a preview runs until its parent goes";
    DestroyWindow(parent);
    DestroyWindow(settings);
    EXPECT_EQ(hosttest::FinishChild(&child, ChildTimeoutMs), 0u);
  }
}

TEST_F(HostModesTest, AFullScreenRunStartsWhileAPreviewIsShown) {
  HWND parent = hosttest::CreatePlainWindow("display settings preview", 152, 112);
  ChildProcess preview;
  ASSERT_TRUE(hosttest::StartChild(
      SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/p " + Decimal(HandleValue(parent))),
      &preview));
  EXPECT_NE(hosttest::WaitForChildWindow(parent, "WindowsScreenSaverClass", WindowTimeoutMs),
            nullptr);
  ChildProcess run;
  ASSERT_TRUE(hosttest::StartChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                                   &run));
  HWND saver = hosttest::WaitForTopLevelWindow(run.processId, "WindowsScreenSaverClass",
                                               "Screen Saver", WindowTimeoutMs);
  EXPECT_NE(saver, nullptr);
  EXPECT_EQ(EndWithKey(saver, &run), 0u);
  DestroyWindow(parent);
  EXPECT_EQ(hosttest::FinishChild(&preview, ChildTimeoutMs), 0u);
}

struct ConfigureCase {
  const char* name;
  std::string commandLine;
  bool foregroundOwns;
  int button;
  DWORD exitCode;
};

TEST_F(HostModesTest, ConfigureShowsTheDialogAndEndsWithItsResult) {
  const std::string quoted = "\"" + SaverPath() + "\"";
  const ConfigureCase cases[] = {
      {"/c, OK", hosttest::ModuleCommandLine(SaverPath(), "/c"), true, IDOK, 1},
      {"/C:1234, Cancel", hosttest::ModuleCommandLine(SaverPath(), "/C:1234"), true, IDCANCEL, 2},
      {"empty tail, Cancel", quoted, false, IDCANCEL, 2},
      {"blanks only, Cancel", quoted + "  \t ", false, IDCANCEL, 2},
  };
  for (const ConfigureCase& row : cases) {
    SCOPED_TRACE(row.name);
    HWND settings = hosttest::CreatePlainWindow("display settings", 60, 60);
    SetForegroundWindow(settings);
    hosttest::PumpMessagesFor(50);
    ChildProcess child;
    ASSERT_TRUE(hosttest::StartChild(SaverPath(), row.commandLine, &child));
    HWND dialog = hosttest::WaitForTopLevelWindow(child.processId, "#32770", nullptr,
                                                  WindowTimeoutMs);
    EXPECT_NE(dialog, nullptr);
    if (dialog != nullptr) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), row.foregroundOwns ? settings : nullptr);
      // The dialog window exists before its controls do.
      HWND button = nullptr;
      for (int i = 0; i < 500 && (button = GetDlgItem(dialog, row.button)) == nullptr; ++i) {
        hosttest::PumpMessagesFor(20);
      }
      EXPECT_NE(button, nullptr);
      SendMessageA(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(hosttest::FinishChild(&child, ChildTimeoutMs), row.exitCode);
    DestroyWindow(settings);
  }
}

}  // namespace
