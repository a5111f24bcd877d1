// Dismissal with real input on an NT-family platform, run in this process:
// the pointer is moved and buttons and keys are pressed through the system's
// input, and the saver either keeps running or closes at once.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/host_state.h"
#include "host/saver_default_proc.h"
#include "tests/fixtures/fixture_record.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

using hosttest::RunSaverWithSteps;
using hosttest::SaverStep;

class HostDismissalTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    hosttest::StartRecordingPlatformCalls();
    SetCursorPos(400, 300);
  }
  void TearDown() override {
    hosttest::StopRecordingPlatformCalls();
    hosttest::RemoveUsePassword();
    ResetHostState();
    hosttest::UnlockScreen(screenLock_);
  }
  HANDLE screenLock_ = nullptr;
};

SaverStep EndSaver() {
  return [](HWND saver) {
    if (saver != nullptr) DestroyWindow(saver);
  };
}

ScreenPoint CursorNow() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  return ScreenPoint{cursor.x, cursor.y};
}

// Another thread of this process takes the foreground for a moment, so the
// saver's thread is deactivated as by another application.
DWORD WINAPI TakeForeground(void*) {
  HWND other = hosttest::CreatePlainWindow("other application", 60, 60);
  SetForegroundWindow(other);
  hosttest::PumpMessagesFor(300);
  DestroyWindow(other);
  return 0;
}

HANDLE g_foregroundThread;

SaverStep DeactivateSaver() {
  return [](HWND) { g_foregroundThread = CreateThread(nullptr, 0, TakeForeground, nullptr, 0, nullptr); };
}

void AwaitForegroundThread() {
  if (g_foregroundThread != nullptr) {
    WaitForSingleObject(g_foregroundThread, 5000);
    CloseHandle(g_foregroundThread);
    g_foregroundThread = nullptr;
  }
}

struct MoveCase {
  int dx;
  int dy;
  bool closes;
};

TEST_F(HostDismissalTest, MovementBeyondFourPixelsFromTheReferenceCloses) {
  const MoveCase cases[] = {{3, 1, false}, {3, 2, true},  {-3, -1, false}, {-3, -2, true},
                            {4, 0, false}, {0, -4, false}, {5, 0, true},    {0, 5, true},
                            {-2, 2, false}, {40, 30, true}};
  for (const MoveCase& row : cases) {
    SCOPED_TRACE(testing::Message() << "(" << row.dx << "," << row.dy << ")");
    ScreenPoint reference = {};
    bool stillRunning = false;
    const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
        nullptr, {[&](HWND saver) {
                    ASSERT_NE(saver, nullptr);
                    reference = HostState.referencePoint;
                    const ScreenPoint now = CursorNow();
                    EXPECT_EQ(reference.x, now.x) << "the reference is where the pointer was";
                    EXPECT_EQ(reference.y, now.y);
                    SetCursorPos(reference.x + row.dx, reference.y + row.dy);
                    EXPECT_TRUE(hosttest::SettleAfterInput(WM_MOUSEMOVE));
                  },
                  [&](HWND saver) {
                    stillRunning = saver != nullptr;
                    EXPECT_EQ(HostState.referencePoint.x, reference.x) << "small moves keep it";
                    EXPECT_EQ(HostState.referencePoint.y, reference.y);
                  },
                  EndSaver()});
    EXPECT_FALSE(outcome.watchdogFired);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.stepsRun, row.closes ? 1 : 3);
    EXPECT_EQ(stillRunning, !row.closes);
    if (row.closes) {
      EXPECT_EQ(HostState.referencePoint.x, reference.x + row.dx) << "the reference moved along";
      EXPECT_EQ(HostState.referencePoint.y, reference.y + row.dy);
    }
  }
}

TEST_F(HostDismissalTest, OnePixelAtATimeClosesOnTheFifth) {
  std::vector<SaverStep> steps;
  for (int pixel = 1; pixel <= 8; ++pixel) {
    steps.push_back([pixel](HWND) {
      SetCursorPos(HostState.referencePoint.x + pixel, HostState.referencePoint.y);
      EXPECT_TRUE(hosttest::SettleAfterInput(WM_MOUSEMOVE));
    });
  }
  steps.push_back(EndSaver());
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, steps);
  EXPECT_FALSE(outcome.watchdogFired);
  EXPECT_EQ(outcome.stepsRun, 5) << "the fifth pixel away closes";
}

struct PressCase {
  const char* name;
  SaverStep press;
  UINT arrives;  // the message the input brings
};

TEST_F(HostDismissalTest, ButtonsKeysAndDeactivationClose) {
  const PressCase cases[] = {
      {"left button",
       [](HWND) { hosttest::PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); },
       WM_LBUTTONDOWN},
      {"right button",
       [](HWND) { hosttest::PressMouseButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); },
       WM_RBUTTONDOWN},
      {"middle button",
       [](HWND) { hosttest::PressMouseButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); },
       WM_MBUTTONDOWN},
      {"key", [](HWND) { hosttest::PressKey('B'); }, WM_KEYDOWN},
      {"another application activated", DeactivateSaver(), WM_ACTIVATEAPP},
  };
  for (const PressCase& row : cases) {
    SCOPED_TRACE(row.name);
    const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
        nullptr, {[&](HWND saver) {
                    row.press(saver);
                    EXPECT_TRUE(hosttest::SettleAfterInput(row.arrives));
                  },
                  EndSaver()});
    AwaitForegroundThread();
    EXPECT_FALSE(outcome.watchdogFired);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.stepsRun, 1) << "closed by the input itself";
  }
}

TEST_F(HostDismissalTest, ActivationOfTheSaverItselfDoesNothing) {
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[](HWND saver) { SendMessageA(saver, WM_ACTIVATEAPP, TRUE, 0); }, [](HWND) {},
                EndSaver()});
  EXPECT_EQ(outcome.stepsRun, 3);
}

TEST_F(HostDismissalTest, PointerStaysHiddenWhileWatching) {
  bool checked = false;
  RunSaverWithSteps(nullptr,
                    {[](HWND) {
                       SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
                       SetCursorPos(HostState.referencePoint.x + 1, HostState.referencePoint.y);
                       EXPECT_TRUE(hosttest::SettleAfterInput(WM_MOUSEMOVE));
                     },
                     [&](HWND saver) {
                       ASSERT_NE(saver, nullptr);
                       checked = true;
                       EXPECT_EQ(GetCursor(), nullptr);
                       EXPECT_EQ(SendMessageA(saver, WM_SETCURSOR, reinterpret_cast<WPARAM>(saver),
                                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                                 1);
                     },
                     EndSaver()});
  EXPECT_TRUE(checked);
}

TEST_F(HostDismissalTest, InAPreviewNoInputCloses) {
  HWND parent = hosttest::CreatePlainWindow("preview parent", 152, 112);
  SetCursorPos(60, 60);  // over the preview
  bool survived = false;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      parent, {[](HWND) {
                 SetCursorPos(90, 80);
                 EXPECT_TRUE(hosttest::SettleAfterInput(WM_MOUSEMOVE));
               },
               [](HWND) {
                 hosttest::PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
                 EXPECT_TRUE(hosttest::SettleAfterInput(WM_LBUTTONDOWN));
               },
               [](HWND) {
                 hosttest::PressMouseButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
                 EXPECT_TRUE(hosttest::SettleAfterInput(WM_RBUTTONDOWN));
               },
               [](HWND saver) { SendMessageA(saver, WM_ACTIVATEAPP, FALSE, 0); },
               [](HWND saver) {
                 DeactivateSaver()(saver);
                 hosttest::SettleAfterInput(WM_ACTIVATEAPP);
               },
               [](HWND) {},
               [&](HWND saver) {
                 survived = saver != nullptr;
                 EXPECT_EQ(HostState.isClosing, 0);
                 DestroyWindow(parent);
               }});
  AwaitForegroundThread();
  EXPECT_TRUE(survived);
  EXPECT_FALSE(outcome.watchdogFired);
  EXPECT_EQ(outcome.result, 0);
  if (IsWindow(parent)) DestroyWindow(parent);
}

// A stand-in for the window that has the focus once a close is asked for
// (the password prompt); it counts the menu activations sent to it.
int g_menuActivations;

LRESULT CALLBACK CountMenuActivations(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
    ++g_menuActivations;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMenuCountingWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountMenuActivations;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "PennydanceMenuCounter";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, "PennydanceMenuCounter", "prompt stand-in", WS_POPUP, 0, 0, 40, 40,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

// The release of a key that asked to close lands in whatever has the focus
// by then. The press must not have armed the platform's menu keys, or that
// window (the password prompt) goes into an invisible menu mode which eats
// the keys typed next.
TEST_F(HostDismissalTest, MenuKeysThatAskToCloseLeaveTheMenuUnarmed) {
  struct MenuKeyCase {
    const char* name;
    WPARAM key;
    LPARAM pressFlags;  // context bits of the press and of its release
  };
  const MenuKeyCase cases[] = {
      {"F10", VK_F10, 0},
      {"Alt", VK_MENU, static_cast<LPARAM>(KF_ALTDOWN) << 16},
  };
  HWND saver = hosttest::CreatePlainWindow("saver stand-in", 40, 40);
  HWND prompt = CreateMenuCountingWindow();
  ASSERT_NE(prompt, nullptr);
  ResetHostState();
  for (const MenuKeyCase& row : cases) {
    SCOPED_TRACE(row.name);
    const LPARAM press = 1 | row.pressFlags;
    const LPARAM release = press | (static_cast<LPARAM>(KF_REPEAT | KF_UP) << 16);
    // The platform arms them when the press reaches its default procedure,
    // so the check below could catch the fault.
    g_menuActivations = 0;
    DefWindowProcA(saver, WM_SYSKEYDOWN, row.key, press);
    DefWindowProcA(prompt, WM_SYSKEYUP, row.key, release);
    ASSERT_EQ(g_menuActivations, 1) << "the platform arms the menu key on a press";

    g_menuActivations = 0;
    SaverDefaultProc(saver, WM_SYSKEYDOWN, row.key, press);
    DefWindowProcA(prompt, WM_SYSKEYUP, row.key, release);
    EXPECT_EQ(g_menuActivations, 0);
    MSG close = {};
    EXPECT_TRUE(PeekMessageA(&close, saver, WM_CLOSE, WM_CLOSE, PM_REMOVE))
        << "the press still asks to close";
  }
  DestroyWindow(prompt);
  DestroyWindow(saver);
}

TEST_F(HostDismissalTest, OnNtTheFirstCloseEndsWithoutAskingEvenWithAPasswordSet) {
  hosttest::SetUsePasswordNumber(1);
  hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
  hosttest::SetPasswordAnswers("1 1 1");
  LRESULT verifyAnswer = -5;
  const hosttest::SaverRunOutcome outcome =
      RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                    EXPECT_EQ(HostState.passwordModule, nullptr);
                                    EXPECT_EQ(HostState.verifyPassword, nullptr);
                                    verifyAnswer = SendMessageA(saver, SAVERMSG_VERIFY, 0, 0);
                                    PostMessageA(saver, WM_CLOSE, 0, 0);
                                  },
                                  [](HWND) {}, EndSaver()});
  EXPECT_EQ(outcome.stepsRun, 1);
  EXPECT_EQ(verifyAnswer, 0) << "the platform's default answer";
  EXPECT_EQ(HostState.isClosing, 0) << "NT closes without entering the closing state";
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Loads"), 0u);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls"), 0u);
  EXPECT_TRUE(hosttest::RecordedSystemParametersCalls().empty())
      << "the screen-saver-running state is never touched on NT";
}

}  // namespace
