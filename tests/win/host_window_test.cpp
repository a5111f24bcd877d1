// The saver window as the framework makes it, run in this process: class,
// the two kinds of window, the single-instance rule, and what the framework's
// window procedure answers itself or hands on to the saver's procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/host_state.h"
#include "host/host_window_proc.h"
#include "host/platform_calls.h"
#include "host/saver_window.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

using hosttest::RunSaverWithSteps;
using hosttest::SaverStep;

class HostSaverWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    hosttest::StartRecordingPlatformCalls();
    hosttest::PlainWindowHelpMessages().clear();
  }
  void TearDown() override {
    hosttest::StopRecordingPlatformCalls();
    ResetHostState();
    hosttest::UnlockScreen(screenLock_);
  }
  HANDLE screenLock_ = nullptr;
};

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char text[256] = {};
  GetClassNameA(window, text, sizeof text);
  return text;
}

SaverStep EndSaver() {
  return [](HWND saver) {
    if (saver != nullptr) DestroyWindow(saver);
  };
}

TEST_F(HostSaverWindowTest, FullScreenWindowCoversTheScreenOnTopAndInFront) {
  SetCursorPos(123, 234);
  bool checked = false;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[&](HWND saver) {
                  ASSERT_NE(saver, nullptr);
                  checked = true;
                  EXPECT_EQ(ClassName(saver), "WindowsScreenSaverClass");
                  EXPECT_EQ(WindowText(saver), "Screen Saver");
                  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saver, GWL_STYLE)), 0x96000000u);
                  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saver, GWL_EXSTYLE)),
                            static_cast<DWORD>(WS_EX_TOPMOST));
                  RECT rect = {};
                  GetWindowRect(saver, &rect);
                  EXPECT_EQ(rect.left, 0);
                  EXPECT_EQ(rect.top, 0);
                  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
                  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
                  EXPECT_EQ(GetParent(saver), nullptr);
                  EXPECT_EQ(GetForegroundWindow(), saver);
                  EXPECT_EQ(HostState.isPreview, 0);
                  EXPECT_EQ(HostState.referencePoint.x, 123);
                  EXPECT_EQ(HostState.referencePoint.y, 234);
                  EXPECT_EQ(GetCursor(), nullptr) << "the pointer is hidden";
                },
                EndSaver()});
  EXPECT_TRUE(checked);
  EXPECT_FALSE(outcome.watchdogFired);
  EXPECT_EQ(outcome.result, 0);
}

TEST_F(HostSaverWindowTest, ClassIsRegisteredWithTheSaverValues) {
  bool checked = false;
  RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                ASSERT_NE(saver, nullptr);
                                checked = true;
                                EXPECT_EQ(GetClassLongA(saver, GCL_STYLE), 0x2Bu);
                                EXPECT_EQ(GetClassLongPtrA(saver, GCLP_HICON), 0)
                                    << "there is no icon resource 100";
                                EXPECT_EQ(GetClassLongPtrA(saver, GCLP_HCURSOR), 0);
                                EXPECT_EQ(GetClassLongPtrA(saver, GCLP_HBRBACKGROUND),
                                          reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
                                EXPECT_EQ(GetClassLongA(saver, GCL_CBCLSEXTRA), 0u);
                                EXPECT_EQ(GetClassLongA(saver, GCL_CBWNDEXTRA), 0u);
                                EXPECT_EQ(GetClassLongPtrA(saver, GCLP_HMODULE),
                                          reinterpret_cast<LONG_PTR>(GetModuleHandleA(nullptr)));
                                EXPECT_EQ(GetWindowLongPtrA(saver, GWLP_WNDPROC),
                                          reinterpret_cast<LONG_PTR>(HostWindowProc));
                              },
                              EndSaver()});
  EXPECT_TRUE(checked);
  // Registered afresh by every run, so a second run in one process works.
  WNDCLASSA left = {};
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "WindowsScreenSaverClass", &left));
}

struct PreviewCase {
  const char* name;
  int parentWidth;
  int parentHeight;
};

TEST_F(HostSaverWindowTest, PreviewIsAChildFillingItsParentAndNotBroughtToTheFront) {
  const PreviewCase cases[] = {{"display settings' preview", 152, 112},
                               {"other size", 200, 150},
                               {"empty parent", 0, 0}};
  for (const PreviewCase& row : cases) {
    SCOPED_TRACE(row.name);
    HWND parent = hosttest::CreatePlainWindow("preview parent", row.parentWidth, row.parentHeight);
    ASSERT_NE(parent, nullptr);
    // The display settings' own window stays in front.
    HWND settings = hosttest::CreatePlainWindow("display settings", 40, 40);
    SetForegroundWindow(settings);
    bool checked = false;
    const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
        parent, {[&](HWND saver) {
                   ASSERT_NE(saver, nullptr);
                   checked = true;
                   EXPECT_EQ(ClassName(saver), "WindowsScreenSaverClass");
                   EXPECT_EQ(WindowText(saver), "Preview");
                   EXPECT_EQ(GetParent(saver), parent);
                   EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saver, GWL_STYLE)), 0x52000000u);
                   EXPECT_EQ(GetWindowLongA(saver, GWL_EXSTYLE), 0);
                   EXPECT_EQ(GetWindowLongPtrA(saver, GWLP_ID), 0);
                   RECT rect = {};
                   GetWindowRect(saver, &rect);
                   MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
                   EXPECT_EQ(rect.left, 0);
                   EXPECT_EQ(rect.top, 0);
                   EXPECT_EQ(rect.right, row.parentWidth);
                   EXPECT_EQ(rect.bottom, row.parentHeight);
                   EXPECT_EQ(GetForegroundWindow(), settings);
                   EXPECT_EQ(HostState.isPreview, 1);
                   // A preview does not count as a running full-screen saver.
                   EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), nullptr);
                 },
                 [&](HWND) { DestroyWindow(parent); }});
    EXPECT_TRUE(checked);
    EXPECT_FALSE(outcome.watchdogFired) << "the preview ends with its parent";
    EXPECT_EQ(outcome.result, 0);
    if (IsWindow(parent)) DestroyWindow(parent);
    DestroyWindow(settings);
  }
}

LRESULT CALLBACK StandInSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the saver's class and a given title, as another saver process
// would show it.
HWND CreateStandInSaver(const char* title) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = StandInSaverProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WindowsScreenSaverClass";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, "WindowsScreenSaverClass", title, WS_POPUP | WS_VISIBLE, 300, 300, 50,
                         50, nullptr, nullptr, windowClass.hInstance, nullptr);
}

void RemoveStandInSaver(HWND standIn) {
  DestroyWindow(standIn);
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));
}

TEST_F(HostSaverWindowTest, SecondFullScreenStartShowsTheRunningSaverAndEnds) {
  HWND running = CreateStandInSaver("Screen Saver");
  ASSERT_NE(running, nullptr);
  HWND other = hosttest::CreatePlainWindow("other", 40, 40);
  SetForegroundWindow(other);
  ASSERT_EQ(GetForegroundWindow(), other);
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, {EndSaver()});
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.stepsRun, 0) << "no message loop ran";
  EXPECT_EQ(HostState.saverWindow, nullptr);
  EXPECT_EQ(GetForegroundWindow(), running);
  EXPECT_TRUE(hosttest::RecordedForwardedMessages().empty());
  DestroyWindow(other);
  RemoveStandInSaver(running);
}

TEST_F(HostSaverWindowTest, AShownPreviewDoesNotStopAFullScreenRun) {
  HWND preview = CreateStandInSaver("Preview");
  ASSERT_NE(preview, nullptr);
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));  // fails: still in use
  bool ran = false;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                                                ran = saver != nullptr;
                                                              },
                                                              EndSaver()});
  DestroyWindow(preview);
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));
  // Our stand-in holds the class name in this process, so the run cannot
  // register it: the one case of a saver that finds no window to run in.
  EXPECT_FALSE(ran);
  EXPECT_EQ(outcome.result, SaverWindowNotCreated);
}

TEST_F(HostSaverWindowTest, NoWindowWhenTheClassCannotBeRegistered) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = StandInSaverProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WindowsScreenSaverClass";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, {EndSaver()});
  EXPECT_EQ(outcome.result, SaverWindowNotCreated);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(HostState.saverWindow, nullptr);
  EXPECT_EQ(outcome.stepsRun, 0);
  // The class registered by someone else is not taken away.
  WNDCLASSA still = {};
  EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "WindowsScreenSaverClass", &still));
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));
}

TEST_F(HostSaverWindowTest, SettingTheTextLeavesTheTitle) {
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[](HWND saver) {
                  ASSERT_NE(saver, nullptr);
                  EXPECT_EQ(SendMessageA(saver, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Other")),
                            0);
                  SetWindowTextA(saver, "Other again");
                  EXPECT_EQ(WindowText(saver), "Screen Saver");
                  EXPECT_EQ(hosttest::CountForwarded(WM_SETTEXT), 0);
                },
                EndSaver()});
  EXPECT_EQ(outcome.result, 0);
}

struct SystemCommandCase {
  WPARAM command;
  bool refusedFullScreen;
};

TEST_F(HostSaverWindowTest, FullScreenRefusesSwitchingWindowsAndAnotherSaver) {
  const SystemCommandCase cases[] = {
      {SC_NEXTWINDOW, true},  {SC_PREVWINDOW, true}, {SC_SCREENSAVE, true},
      {0xF142, false},        {0xF041, false},       {0xF05F, false},
      {SC_MONITORPOWER, false},
  };
  for (bool preview : {false, true}) {
    SCOPED_TRACE(preview ? "preview" : "full screen");
    HWND parent = preview ? hosttest::CreatePlainWindow("parent", 152, 112) : nullptr;
    RunSaverWithSteps(parent, {[&](HWND saver) {
                                 ASSERT_NE(saver, nullptr);
                                 for (const SystemCommandCase& row : cases) {
                                   SCOPED_TRACE(testing::Message() << std::hex << row.command);
                                   hosttest::ClearRecordedForwardedMessages();
                                   const LRESULT result =
                                       SendMessageA(saver, WM_SYSCOMMAND, row.command, 0);
                                   const bool refused = !preview && row.refusedFullScreen;
                                   EXPECT_EQ(hosttest::CountForwarded(WM_SYSCOMMAND), refused ? 0 : 1);
                                   if (refused) {
                                     EXPECT_EQ(result, 0);
                                   }
                                 }
                               },
                               EndSaver()});
    if (parent != nullptr) DestroyWindow(parent);
  }
}

bool PlatformPostsHelp() {
  HWND window = hosttest::CreatePlainWindow("help target", 10, 10);
  HELPINFO help = {};
  help.cbSize = sizeof help;
  const bool posted = PostMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)) != FALSE;
  hosttest::PumpMessagesFor(0);
  hosttest::PlainWindowHelpMessages().clear();
  DestroyWindow(window);
  return posted;
}

TEST_F(HostSaverWindowTest, HelpInAPreviewGoesToTheParentWithItsOwnHandle) {
  // Wine refuses to post WM_HELP (its lParam points into the sender), so
  // there only the context menu can arrive.
  const size_t expected = PlatformPostsHelp() ? 2u : 1u;
  HWND parent = hosttest::CreatePlainWindow("parent", 152, 112);
  HELPINFO help = {};
  help.cbSize = sizeof help;
  RunSaverWithSteps(parent, {[&](HWND saver) {
                               ASSERT_NE(saver, nullptr);
                               EXPECT_EQ(SendMessageA(saver, WM_CONTEXTMENU,
                                                      reinterpret_cast<WPARAM>(saver),
                                                      MAKELPARAM(60, 70)),
                                         1);
                               EXPECT_EQ(SendMessageA(saver, WM_HELP, 0,
                                                      reinterpret_cast<LPARAM>(&help)),
                                         1);
                               EXPECT_EQ(hosttest::CountForwarded(WM_CONTEXTMENU), 0);
                               EXPECT_EQ(hosttest::CountForwarded(WM_HELP), 0);
                             },
                             [](HWND) {},  // the posted messages arrive meanwhile
                             [&](HWND) { DestroyWindow(parent); }});
  const std::vector<hosttest::ReceivedMessage>& received = hosttest::PlainWindowHelpMessages();
  ASSERT_EQ(received.size(), expected);
  EXPECT_EQ(received[0].message, static_cast<UINT>(WM_CONTEXTMENU));
  EXPECT_EQ(received[0].window, parent);
  EXPECT_EQ(received[0].wParam, reinterpret_cast<WPARAM>(parent));
  EXPECT_EQ(received[0].lParam, MAKELPARAM(60, 70));
  if (expected == 2u) {
    EXPECT_EQ(received[1].message, static_cast<UINT>(WM_HELP));
    EXPECT_EQ(received[1].wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(received[1].lParam, reinterpret_cast<LPARAM>(&help));
  }
}

TEST_F(HostSaverWindowTest, HelpFullScreenGoesToTheSaverProcedure) {
  RunSaverWithSteps(nullptr, {[](HWND saver) {
                                ASSERT_NE(saver, nullptr);
                                SendMessageA(saver, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(saver),
                                             MAKELPARAM(1, 2));
                                EXPECT_EQ(hosttest::CountForwarded(WM_CONTEXTMENU), 1);
                              },
                              EndSaver()});
  EXPECT_TRUE(hosttest::PlainWindowHelpMessages().empty());
}

TEST_F(HostSaverWindowTest, HelpInAPreviewWithoutParentIsAnsweredWithOne) {
  HWND lonely = hosttest::CreatePlainWindow("no parent", 10, 10);
  ResetHostState();
  HostState.isPreview = 1;
  EXPECT_EQ(HostWindowProc(lonely, WM_CONTEXTMENU, 0, 0), 1);
  EXPECT_EQ(HostWindowProc(lonely, WM_HELP, 0, 0), 1);
  hosttest::PumpMessagesFor(50);
  EXPECT_TRUE(hosttest::PlainWindowHelpMessages().empty());
  EXPECT_TRUE(hosttest::RecordedForwardedMessages().empty());
  DestroyWindow(lonely);
}

struct ClosingCase {
  const char* name;
  UINT message;
};

// While closing, what would make the animation draw or react never reaches it.
TEST_F(HostSaverWindowTest, WhileClosingPaintInputAndTimerStayWithTheFramework) {
  const ClosingCase cases[] = {
      {"WM_PAINT", WM_PAINT},           {"WM_KEYDOWN", WM_KEYDOWN},
      {"WM_SYSKEYDOWN", WM_SYSKEYDOWN}, {"WM_MOUSEMOVE", WM_MOUSEMOVE},
      {"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
      {"WM_MBUTTONDOWN", WM_MBUTTONDOWN}, {"WM_TIMER", WM_TIMER},
  };
  for (int closing : {0, 1}) {
    for (const ClosingCase& row : cases) {
      SCOPED_TRACE(testing::Message() << row.name << (closing ? " closing" : " watching"));
      bool sent = false;
      RunSaverWithSteps(
          nullptr,
          {[&](HWND saver) {
             ASSERT_NE(saver, nullptr);
             HostState.isClosing = closing;
             hosttest::ClearRecordedForwardedMessages();
             if (row.message == WM_PAINT) {
               InvalidateRect(saver, nullptr, TRUE);
               UpdateWindow(saver);
             } else if (row.message == WM_TIMER) {
               // A timer without a procedure of its own reaches the window.
               SetTimer(saver, 77, 10, nullptr);
               hosttest::PumpMessagesFor(100);
               KillTimer(saver, 77);
             } else {
               EXPECT_EQ(SendMessageA(saver, row.message, 0, 0), 0);
             }
             sent = true;
             const int forwarded = hosttest::CountForwarded(row.message);
             if (closing) {
               EXPECT_EQ(forwarded, 0);
             } else {
               EXPECT_GE(forwarded, 1);
             }
           },
           EndSaver()});
      EXPECT_TRUE(sent);
    }
  }
}

typedef HANDLE(WINAPI* GetContextEntry)(HWND);
typedef BOOL(WINAPI* ReleaseContextEntry)(HWND, HANDLE);
GetContextEntry g_getContext;
ReleaseContextEntry g_releaseContext;
WNDPROC g_recordingScreenSaverProc;
HANDLE g_contextAtDestroy;

HANDLE CurrentInputContext(HWND window) {
  HANDLE context = g_getContext(window);
  if (context != nullptr) g_releaseContext(window, context);
  return context;
}

// Sees the window's input context when the framework hands WM_DESTROY on,
// which is after its own work for that message.
LRESULT WINAPI NoteInputContextOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) g_contextAtDestroy = CurrentInputContext(window);
  return g_recordingScreenSaverProc(window, message, wParam, lParam);
}

TEST_F(HostSaverWindowTest, InputMethodIsDetachedWhileTheSaverRunsAndReattachedAtTheEnd) {
  // A process that shows text input has the input method loaded; the saver
  // only looks for it.
  HMODULE imm = LoadLibraryA("IMM32.DLL");
  ASSERT_NE(imm, nullptr);
  g_getContext =
      reinterpret_cast<GetContextEntry>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmGetContext")));
  g_releaseContext = reinterpret_cast<ReleaseContextEntry>(
      reinterpret_cast<void*>(GetProcAddress(imm, "ImmReleaseContext")));
  ASSERT_NE(g_getContext, nullptr);
  ASSERT_NE(g_releaseContext, nullptr);
  HWND plain = hosttest::CreatePlainWindow("plain", 10, 10);
  const HANDLE plainContext = CurrentInputContext(plain);
  DestroyWindow(plain);
  ASSERT_NE(plainContext, nullptr) << "a new window gets the thread's input context";
  g_recordingScreenSaverProc = PlatformCalls.screenSaverProc;
  PlatformCalls.screenSaverProc = NoteInputContextOnDestroy;
  g_contextAtDestroy = nullptr;
  bool checked = false;
  RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                ASSERT_NE(saver, nullptr);
                                checked = true;
                                EXPECT_EQ(CurrentInputContext(saver), nullptr);
                                EXPECT_EQ(HostState.immModule, imm);
                                EXPECT_NE(HostState.immAssociateContext, nullptr);
                                EXPECT_NE(HostState.savedInputContext, nullptr);
                              },
                              EndSaver()});
  PlatformCalls.screenSaverProc = g_recordingScreenSaverProc;
  EXPECT_TRUE(checked);
  EXPECT_EQ(g_contextAtDestroy, plainContext) << "the saved context is back before the animation ends";
  FreeLibrary(imm);
}

}  // namespace
