// The module started as a Windows 95-family process (the copy
// pennydance9x.scr, which the test prefix settings make see that family and
// load the test MPR.DLL beside it): the password change, and a full-screen
// run guarded by the test PASSWORD.CPL.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/fixtures/fixture_record.h"
#include "tests/support/host_process.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

using hosttest::ChildProcess;

const DWORD ChildTimeoutMs = 15000;
const DWORD WindowTimeoutMs = 10000;

std::string SaverPath() {
  return hosttest::TestFilePath("pennydance9x.scr");
}

std::string Decimal(HWND window) {
  return std::to_string(static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
}

class HostModes9xTest : public testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    hosttest::ClearFixtureRecord(MPR_FIXTURE_KEY);
    hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
    SetCursorPos(400, 300);
  }
  void TearDown() override {
    hosttest::RemoveUsePassword();
    hosttest::ClearFixtureRecord(MPR_FIXTURE_KEY);
    hosttest::ClearFixtureRecord(PASSWORD_FIXTURE_KEY);
    hosttest::UnlockScreen(screenLock_);
  }
  HANDLE screenLock_ = nullptr;
};

struct PasswordChangeCase {
  const char* name;
  std::string tail;
  bool ownedByForeground;  // else by `named`
};

TEST_F(HostModes9xTest, PasswordChangeCallsTheProviderWithTheOwner) {
  REQUIRE_WIN95_FAMILY();
  HWND settings = hosttest::CreatePlainWindow("display settings", 60, 60);
  HWND named = hosttest::CreatePlainWindow("named owner", 30, 30);
  SetForegroundWindow(settings);
  hosttest::PumpMessagesFor(100);
  ASSERT_EQ(GetForegroundWindow(), settings);
  const PasswordChangeCase cases[] = {
      {"/a", "/a", true},
      {"/A with a window", "/A " + Decimal(named), false},
      {"-a glued to a window", "-a" + Decimal(named), false},
      {"/a with no window of that number", "/a 99999999", true},
      {"/a:handle (not a digit)", "/a:" + Decimal(named), true},
  };
  for (const PasswordChangeCase& row : cases) {
    SCOPED_TRACE(row.name);
    hosttest::ClearFixtureRecord(MPR_FIXTURE_KEY);
    EXPECT_EQ(hosttest::RunChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), row.tail),
                                 ChildTimeoutMs),
              0u)
        << "-1 here means pennydance9x.scr does not see the Windows 95 family";
    EXPECT_EQ(hosttest::ReadFixtureNumber(MPR_FIXTURE_KEY, "Calls"), 1u);
    EXPECT_EQ(hosttest::ReadFixtureText(MPR_FIXTURE_KEY, "Provider"), "SCRSAVE");
    EXPECT_EQ(hosttest::ReadFixtureQuad(MPR_FIXTURE_KEY, "Owner"),
              reinterpret_cast<ULONG_PTR>(row.ownedByForeground ? settings : named));
    EXPECT_EQ(hosttest::ReadFixtureNumber(MPR_FIXTURE_KEY, "Reserved1"), 0u);
    EXPECT_EQ(hosttest::ReadFixtureNumber(MPR_FIXTURE_KEY, "Reserved2"), 0u);
  }
  DestroyWindow(named);
  DestroyWindow(settings);
}

// Without the Windows 95 family's "MPR.DLL" (the copy is told to load no
// other) the change shows nothing and still ends with 0.
TEST_F(HostModes9xTest, PasswordChangeWithoutMprEndsWithZero) {
  REQUIRE_WIN95_FAMILY();
  const hosttest::FileMovedAway missing("MPR.DLL");
  ASSERT_TRUE(missing.moved());
  EXPECT_EQ(hosttest::RunChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/a"),
                               ChildTimeoutMs),
            0u);
  EXPECT_EQ(hosttest::ReadFixtureNumber(MPR_FIXTURE_KEY, "Calls"), 0u);
}

// Losing the foreground posts a close request; a refused password keeps
// the saver, which a second start then brings back to the front without
// loading anything itself.
TEST_F(HostModes9xTest, RefusedSaverSurvivesAndASecondStartShowsIt) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("0");
  ChildProcess first;
  ASSERT_TRUE(hosttest::StartChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                                   &first));
  HWND saver = hosttest::WaitForTopLevelWindow(first.processId, "WindowsScreenSaverClass",
                                               "Screen Saver", WindowTimeoutMs);
  ASSERT_NE(saver, nullptr);
  EXPECT_TRUE(hosttest::WaitForForeground(saver, WindowTimeoutMs));
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Loads"), 1u);
  HWND other = hosttest::CreatePlainWindow("other application", 50, 50);
  // Taking the foreground from another process's window does not always
  // succeed at the first request on a busy machine, so it is asked again
  // until the saver has noticed (its prompt was called) or time is up.
  for (int attempt = 0;
       attempt < 50 && hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls") == 0;
       ++attempt) {
    SetForegroundWindow(other);
    hosttest::PumpMessagesFor(100);
  }
  hosttest::PumpMessagesFor(300);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls"), 1u);
  EXPECT_EQ(hosttest::ReadFixtureText(PASSWORD_FIXTURE_KEY, "Windows"), hosttest::HandleText(saver));
  EXPECT_FALSE(hosttest::ChildHasEnded(first)) << "refused: the saver keeps running";
  // On a busy display Wine may pass the foreground through the desktop
  // first; the saver must not take it back.
  EXPECT_TRUE(hosttest::WaitForForeground(other, WindowTimeoutMs)) << "the refused saver kept the foreground";

  EXPECT_EQ(hosttest::RunChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                               ChildTimeoutMs),
            0u);
  hosttest::PumpMessagesFor(100);
  EXPECT_EQ(GetForegroundWindow(), saver);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Loads"), 1u)
      << "the second start loads no verifier";
  DestroyWindow(other);

  // A granted password ends it through the same kind of close request.
  hosttest::SetPasswordAnswers("1");
  PostMessageA(saver, WM_CLOSE, 0, 0);
  EXPECT_EQ(hosttest::FinishChild(&first, ChildTimeoutMs), 0u);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls"), 2u);
}

// A password-guarded saver does not let a key bypass the prompt: the key
// asks to close like any other input.
TEST_F(HostModes9xTest, KeyPressIsVerifiedWhenAPasswordIsSet) {
  REQUIRE_WIN95_FAMILY();
  hosttest::SetUsePasswordNumber(1);
  hosttest::SetPasswordAnswers("0 1");
  ChildProcess child;
  ASSERT_TRUE(hosttest::StartChild(SaverPath(), hosttest::ModuleCommandLine(SaverPath(), "/s"),
                                   &child));
  HWND saver = hosttest::WaitForTopLevelWindow(child.processId, "WindowsScreenSaverClass",
                                               "Screen Saver", WindowTimeoutMs);
  EXPECT_NE(saver, nullptr);
  EXPECT_TRUE(hosttest::WaitForForeground(saver, WindowTimeoutMs));
  PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
  hosttest::PumpMessagesFor(500);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls"), 1u);
  EXPECT_FALSE(hosttest::ChildHasEnded(child)) << "refused: the saver keeps running";
  PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(hosttest::FinishChild(&child, ChildTimeoutMs), 0u);
  EXPECT_EQ(hosttest::ReadFixtureNumber(PASSWORD_FIXTURE_KEY, "Calls"), 2u);
}

}  // namespace
