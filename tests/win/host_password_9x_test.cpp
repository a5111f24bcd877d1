// On the Windows 95 family the saver asks the platform's password verifier
// (here the test PASSWORD.CPL beside this program, whose answers each test
// scripts) before a close request may end it, and keeps the system's
// screen-saver-running state on while the verifier is loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/exception_guard.h"
#include "host/host_state.h"
#include "host/password_verifier.h"
#include "host/saver_default_proc.h"
#include "host/saver_window.h"
#include "tests/fixtures/fixture_record.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

using hosttest::RunSaverWithSteps;
using hosttest::SaverStep;

class HostPassword9xTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
    hosttest::StartRecordingPlatformCalls();
    SetCursorPos(400, 300);
  }
  void TearDown() override {
    hosttest::StopRecordingPlatformCalls();
    hosttest::RemoveUsePassword();
    hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
    ResetHostState();
    hosttest::UnlockScreen(screenLock_);
  }
  HANDLE screenLock_ = nullptr;
};

DWORD PromptCalls() {
  return hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls");
}

DWORD VerifierLoads() {
  return hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Loads");
}

SaverStep EndSaver() {
  return [](HWND saver) {
    if (saver != nullptr) DestroyWindow(saver);
  };
}

SaverStep Wait() {
  return [](HWND) {};
}

struct UsePasswordCase {
  const char* name;
  DWORD type;
  const char* bytes;
  DWORD size;  // 0: remove the value
  bool loads;
};

TEST_F(HostPassword9xTest, VerifierIsLoadedOnlyWhenTheUserAskedForAPassword) {
  REQUIRE_WIN95_FAMILY();
  const UsePasswordCase cases[] = {
      {"missing", REG_DWORD, "", 0, false},
      {"dword 1", REG_DWORD, "\x01\x00\x00\x00", 4, true},
      {"dword 0", REG_DWORD, "\x00\x00\x00\x00", 4, false},
      {"dword high byte only", REG_DWORD, "\x00\x00\x00\x80", 4, true},
      {"one binary byte", REG_BINARY, "\x01", 1, true},
      {"one zero byte", REG_BINARY, "\x00", 1, false},
      {"longer than four bytes", REG_BINARY, "\x01\x00\x00\x00\x00", 5, false},
      {"text 1 (read as its bytes)", REG_SZ, "1", 2, true},
  };
  for (const UsePasswordCase& row : cases) {
    SCOPED_TRACE(row.name);
    if (row.size == 0) {
      hosttest::RemoveUsePassword();
    } else {
      hosttest::SetUsePasswordBytes(row.type, row.bytes, row.size);
    }
    ResetHostState();
    HostState.isWin95Family = 1;
    hosttest::StartRecordingPlatformCalls();
    const DWORD loadsBefore = VerifierLoads();
    LoadPasswordVerifier();
    EXPECT_EQ(HostState.verifyPassword != nullptr, row.loads);
    EXPECT_EQ(HostState.passwordModule != nullptr, row.loads);
    EXPECT_EQ(VerifierLoads() - loadsBefore, row.loads ? 1u : 0u);
    UnloadPasswordVerifier();
    EXPECT_EQ(HostState.verifyPassword, nullptr);
    EXPECT_EQ(HostState.passwordModule, nullptr);
    const auto& calls = hosttest::RecordedSystemParametersCalls();
    ASSERT_EQ(calls.size(), row.loads ? 2u : 0u);
    if (row.loads) {
      EXPECT_EQ(calls[0].action, 97u);
      EXPECT_EQ(calls[0].parameter, 1u);
      EXPECT_EQ(calls[1].action, 97u);
      EXPECT_EQ(calls[1].parameter, 0u);
      EXPECT_EQ(calls[0].updateFlags | calls[1].updateFlags, 0u);
    }
  }
}

TEST_F(HostPassword9xTest, WithoutAPasswordTheFirstCloseEndsTheSaver) {
  REQUIRE_WIN95_FAMILY();
  hosttest::RemoveUsePassword();
  LRESULT verifyAnswer = -5;
  const hosttest::SaverRunOutcome outcome =
      RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                    verifyAnswer = SendMessageA(saver, SAVERMSG_VERIFY, 0, 0);
                                    PostMessageA(saver, WM_CLOSE, 0, 0);
                                  },
                                  Wait(), EndSaver()});
  EXPECT_EQ(outcome.stepsRun, 1);
  EXPECT_EQ(verifyAnswer, 1) << "no verifier: the saver may close";
  EXPECT_EQ(HostState.isClosing, 1);
  EXPECT_EQ(VerifierLoads(), 0u);
  EXPECT_TRUE(hosttest::RecordedSystemParametersCalls().empty());
}

TEST_F(HostPassword9xTest, RunningStateIsOnFromBeforeTheWindowUntilAfterTheLoop) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("1");
  HWND saverSeen = nullptr;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[&](HWND saver) {
                  saverSeen = saver;
                  ASSERT_EQ(hosttest::RecordedSystemParametersCalls().size(), 1u);
                  PostMessageA(saver, WM_CLOSE, 0, 0);
                },
                Wait(), EndSaver()});
  EXPECT_EQ(outcome.stepsRun, 1);
  EXPECT_NE(saverSeen, nullptr);
  const auto& calls = hosttest::RecordedSystemParametersCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].action, 97u);
  EXPECT_EQ(calls[0].parameter, 1u);
  EXPECT_FALSE(calls[0].saverWindowExisted) << "on before the window is created";
  EXPECT_TRUE(calls[0].dataGiven);
  EXPECT_EQ(calls[1].action, 97u);
  EXPECT_EQ(calls[1].parameter, 0u);
  EXPECT_FALSE(calls[1].saverWindowExisted) << "off after the window is gone";
  EXPECT_EQ(HostState.saverWindow, saverSeen);
  EXPECT_EQ(HostState.passwordModule, nullptr);
  EXPECT_EQ(VerifierLoads(), 1u);
}

TEST_F(HostPassword9xTest, RefusedPasswordKeepsTheSaverWithHiddenPointerAndNewReference) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("0");
  HWND saverSeen = nullptr;
  bool checked = false;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[&](HWND saver) {
                  saverSeen = saver;
                  // Within the threshold, so only the close request acts.
                  SetCursorPos(HostState.referencePoint.x + 2, HostState.referencePoint.y + 1);
                  EXPECT_TRUE(hosttest::SettleAfterInput(WM_MOUSEMOVE));
                },
                [](HWND saver) { PostMessageA(saver, WM_CLOSE, 0, 0); },
                [&](HWND saver) {
                  ASSERT_NE(saver, nullptr) << "refused: still running";
                  checked = true;
                  EXPECT_EQ(PromptCalls(), 1u);
                  EXPECT_EQ(hosttest::ReadFixtureText(PASSWORD_FIXTURE_KEY, "Windows"),
                            hosttest::HandleText(saver));
                  EXPECT_EQ(GetCursor(), nullptr) << "hidden again after the prompt";
                  EXPECT_EQ(HostState.referencePoint.x, 402);
                  EXPECT_EQ(HostState.referencePoint.y, 301);
                  EXPECT_EQ(HostState.isClosing, 0);
                  EXPECT_EQ(HostState.isVerifying, 0);
                  EXPECT_NE(HostState.lastVerifyTick, NeverVerified);
                },
                EndSaver()});
  EXPECT_TRUE(checked);
  EXPECT_FALSE(outcome.watchdogFired);
  EXPECT_EQ(outcome.result, 0);
}

TEST_F(HostPassword9xTest, CloseSoonAfterAPromptIsRefusedWithoutAskingLaterOneAsks) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("0 0");
  RunSaverWithSteps(
      nullptr,
      {[](HWND saver) {
         // First close of the run: always asks (no grace period).
         EXPECT_EQ(HostState.lastVerifyTick, NeverVerified);
         EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0);
         EXPECT_EQ(PromptCalls(), 1u);
       },
       [](HWND saver) {
         // A prompt that ended just now: refused silently, reference reset.
         HostState.lastVerifyTick = GetTickCount();
         SetCursorPos(HostState.referencePoint.x + 3, HostState.referencePoint.y);
         const ScreenPoint expected = {HostState.referencePoint.x + 3, HostState.referencePoint.y};
         EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0);
         EXPECT_EQ(PromptCalls(), 1u);
         EXPECT_EQ(HostState.referencePoint.x, expected.x);
         EXPECT_EQ(HostState.referencePoint.y, expected.y);
       },
       [](HWND saver) {
         // One that ended 200 ms or more ago: asks again.
         HostState.lastVerifyTick = GetTickCount() - 200;
         EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0);
         EXPECT_EQ(PromptCalls(), 2u);
         EXPECT_NE(saver, nullptr);
       },
       EndSaver()});
}

// Dispatches mouse input only, up to and including `last`, so that the close
// requests it posts wait in the queue together (posted messages would
// otherwise be taken before the input that follows).
void DispatchMouseInputThrough(UINT last) {
  const DWORD deadline = GetTickCount() + 3000;
  MSG message;
  while (static_cast<LONG>(GetTickCount() - deadline) < 0) {
    if (!PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
      Sleep(5);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (message.message == last) return;
  }
}

int ForwardedWhileVerifying(UINT message) {
  int count = 0;
  for (const hosttest::ForwardedMessage& forwarded : hosttest::RecordedForwardedMessages()) {
    if (forwarded.message == message && forwarded.isVerifying == 1) ++count;
  }
  return count;
}

// Movement beyond the threshold and a click at once: two close requests, one
// prompt, whether the second arrives inside the prompt or right after it.
TEST_F(HostPassword9xTest, MovementThenClickAsksOnce) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  struct {
    const char* name;
    const char* answers;
    int closesInsideThePrompt;
  } const cases[] = {{"second request after the prompt", "0 0", 0},
                     {"second request during the prompt", "p0 0", 1}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
    hosttest::SetPasswordAnswers(row.answers);
    hosttest::ClearRecordedForwardedMessages();
    bool survived = false;
    RunSaverWithSteps(nullptr,
                      {[](HWND) {
                         SetCursorPos(HostState.referencePoint.x + 10, HostState.referencePoint.y);
                         hosttest::PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
                         DispatchMouseInputThrough(WM_LBUTTONDOWN);
                       },
                       Wait(), Wait(),
                       [&](HWND saver) {
                         survived = saver != nullptr;
                         EXPECT_EQ(PromptCalls(), 1u);
                       },
                       EndSaver()});
    EXPECT_TRUE(survived);
    EXPECT_EQ(hosttest::CountForwarded(WM_CLOSE), 2) << "movement and click each ask to close";
    EXPECT_EQ(ForwardedWhileVerifying(WM_CLOSE), row.closesInsideThePrompt);
  }
}

// Timer messages already waiting when a close request is verified: two are
// removed unseen, and a third reaches the window inside the prompt.
TEST_F(HostPassword9xTest, VerificationFirstRemovesTwoWaitingTimerMessages) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("p0");
  int timersInsideThePrompt = -1;
  RunSaverWithSteps(nullptr, {[&](HWND saver) {
                                // The animation's own timer goes to its procedure, not
                                // the window; three plain ones are made due instead.
                                KillTimer(saver, 1);
                                for (UINT_PTR id = 7; id <= 9; ++id) SetTimer(saver, id, 250, nullptr);
                                Sleep(300);
                                hosttest::ClearRecordedForwardedMessages();
                                EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0);
                                timersInsideThePrompt = ForwardedWhileVerifying(WM_TIMER);
                                for (UINT_PTR id = 7; id <= 9; ++id) KillTimer(saver, id);
                              },
                              EndSaver()});
  EXPECT_EQ(PromptCalls(), 1u);
  EXPECT_EQ(timersInsideThePrompt, 1);
}

// Without the platform's "PASSWORD.CPL" the user's wish for a password has
// nothing to ask with: no verifier, no running state, and a close is granted.
TEST_F(HostPassword9xTest, WithoutPasswordCplTheFirstCloseIsGranted) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  const hosttest::FileMovedAway missing("PASSWORD.CPL");
  ASSERT_TRUE(missing.moved());
  ResetHostState();
  HostState.isWin95Family = 1;
  hosttest::StartRecordingPlatformCalls();
  LoadPasswordVerifier();
  EXPECT_EQ(HostState.passwordModule, nullptr);
  EXPECT_EQ(HostState.verifyPassword, nullptr);
  EXPECT_EQ(VerifyBeforeClose(nullptr), 1);
  UnloadPasswordVerifier();
  EXPECT_TRUE(hosttest::RecordedSystemParametersCalls().empty());
  EXPECT_EQ(VerifierLoads(), 0u);
}

TEST_F(HostPassword9xTest, GrantedPasswordDestroysTheWindowWithTheSameClose) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("1 1");
  bool goneAfterSend = false;
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(
      nullptr, {[&](HWND saver) {
                  PostMessageA(saver, WM_CLOSE, 0, 0);  // dies with the window
                  SendMessageA(saver, WM_CLOSE, 0, 0);
                  goneAfterSend = !IsWindow(saver);
                },
                Wait(), EndSaver()});
  EXPECT_TRUE(goneAfterSend);
  EXPECT_EQ(outcome.stepsRun, 1);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(PromptCalls(), 1u);
  EXPECT_NE(HostState.isClosing, 0);
}

TEST_F(HostPassword9xTest, VerifyMessageAnswersWithTheVerifiersResult) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("0 1");
  RunSaverWithSteps(nullptr, {[](HWND saver) {
                                EXPECT_EQ(SendMessageA(saver, SAVERMSG_VERIFY, 0, 0), 0);
                                EXPECT_EQ(SendMessageA(saver, SAVERMSG_VERIFY, 0, 0), 1);
                                EXPECT_EQ(PromptCalls(), 2u);
                                EXPECT_EQ(HostState.isClosing, 0) << "only a close request decides";
                              },
                              EndSaver()});
}

TEST_F(HostPassword9xTest, PreviewLoadsNoVerifierAndIgnoresInput) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("1");
  HWND parent = hosttest::CreatePlainWindow("preview parent", 152, 112);
  bool survived = false;
  RunSaverWithSteps(parent,
                    {[](HWND) { SetCursorPos(90, 90); },
                     [](HWND) { hosttest::PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); },
                     Wait(),
                     [&](HWND saver) {
                       survived = saver != nullptr;
                       DestroyWindow(parent);
                     }});
  EXPECT_TRUE(survived);
  EXPECT_EQ(VerifierLoads(), 0u);
  EXPECT_EQ(PromptCalls(), 0u);
  EXPECT_TRUE(hosttest::RecordedSystemParametersCalls().empty());
  if (IsWindow(parent)) DestroyWindow(parent);
}

TEST_F(HostPassword9xTest, VerifierIsUnloadedWhenNoWindowCouldBeCreated) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  WNDCLASSA taken = {};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "WindowsScreenSaverClass";
  ASSERT_NE(RegisterClassA(&taken), 0);
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, {EndSaver()});
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));
  EXPECT_EQ(outcome.result, SaverWindowNotCreated);
  EXPECT_EQ(VerifierLoads(), 1u);
  EXPECT_EQ(HostState.passwordModule, nullptr);
  const auto& calls = hosttest::RecordedSystemParametersCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].parameter, 1u);
  EXPECT_EQ(calls[1].parameter, 0u);
}

TEST_F(HostPassword9xTest, SecondFullScreenStartLoadsNothing) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  WNDCLASSA standIn = {};
  standIn.lpfnWndProc = DefWindowProcA;
  standIn.hInstance = GetModuleHandleA(nullptr);
  standIn.lpszClassName = "WindowsScreenSaverClass";
  RegisterClassA(&standIn);
  HWND running = CreateWindowExA(0, "WindowsScreenSaverClass", "Screen Saver", WS_POPUP, 0, 0, 10,
                                 10, nullptr, nullptr, standIn.hInstance, nullptr);
  ASSERT_NE(running, nullptr);
  const hosttest::SaverRunOutcome outcome = RunSaverWithSteps(nullptr, {EndSaver()});
  DestroyWindow(running);
  UnregisterClassA("WindowsScreenSaverClass", GetModuleHandleA(nullptr));
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(VerifierLoads(), 0u);
  EXPECT_TRUE(hosttest::RecordedSystemParametersCalls().empty());
}

static int* volatile g_null;

int32_t FaultWithVerifierLoaded(const void*) {
  LoadPasswordVerifier();
  *g_null = 42;
  return 0;
}

TEST_F(HostPassword9xTest, ExceptionGuardSwitchesTheRunningStateOff) {
  REQUIRE_WIN95_FAMILY();
  if (!hosttest::ExceptionsAreDispatchedReliably()) {
    // Not even a skip message: the test framework sends it as an exception.
    std::fprintf(stderr, "the guard's fault left out: 32-bit exception dispatch is unreliable "
                         "under qemu-user here\n");
    return;
  }
  hosttest::SetUsePasswordNumber(1);
  ResetHostState();
  HostState.isWin95Family = 1;
  hosttest::StartRecordingPlatformCalls();
  EXPECT_EQ(static_cast<uint32_t>(RunInsideExceptionGuard(FaultWithVerifierLoaded, nullptr)),
            0xC0000005u);
  const auto& calls = hosttest::RecordedSystemParametersCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].parameter, 1u);
  EXPECT_EQ(calls[1].action, 97u);
  EXPECT_EQ(calls[1].parameter, 0u) << "switched off by the guard's handler";
  UnloadPasswordVerifier();  // the process would end here; the test tidies up
}

}  // namespace
