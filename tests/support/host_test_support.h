// Shared helpers of the saver-host tests: platform family, paths of the
// module copies and stand-in components, the registry values they read, and
// one lock that keeps the tests that use the screen and the pointer apart.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace hosttest {

int32_t PlatformIsWin95Family();

std::string TestDirectory();  // where this program, the fixtures and the copies are
std::string TestFilePath(const char* fileName);

// The screen, the pointer and the foreground are shared by every program on
// the display; tests that use them hold this lock (waits up to a minute).
HANDLE LockScreen();
// Returns once the desktop has its size (a fresh Wine session starts it late).
void WaitForDesktop();
void UnlockScreen(HANDLE lock);

// "Control Panel\Desktop" "ScreenSaveUsePassword": set to a REG_DWORD, to raw
// bytes of a given type, or removed.
void SetUsePasswordNumber(DWORD value);
void SetUsePasswordBytes(DWORD type, const void* bytes, DWORD size);
void RemoveUsePassword();

// The stand-ins' record keys (see tests/fixtures/fixture_record.h).
void ClearFixtureRecord(const char* key);
DWORD ReadFixtureNumber(const char* key, const char* name);
std::string ReadFixtureText(const char* key, const char* name);
ULONGLONG ReadFixtureQuad(const char* key, const char* name);
void SetPasswordAnswers(const char* answers);
std::string HandleText(HWND window);  // as the fixture records it: hex, blank

// Where the 32-bit Wine loader runs under qemu-user (see
// docs/TOOLCHAIN-NOTES.md), exception dispatch in a process with several
// threads runs with another thread's thread block: a handler of the faulting
// thread is not found, or the thread continues with the wrong block after
// the system's unhandled-exception filter ran, and the process dies. The
// single-threaded tests/fixtures/guard_fault_program shows the guard working
// there. False there, true elsewhere.
bool ExceptionsAreDispatchedReliably();

// A file beside this program (a stand-in component) renamed for as long as
// this lives, so that loading it by name finds nothing.
class FileMovedAway {
 public:
  explicit FileMovedAway(const char* fileName);
  ~FileMovedAway();
  bool moved() const { return moved_; }

 private:
  std::string path_;
  bool moved_;
};

}  // namespace hosttest

// Windows 95-family tests live in "_9x_test" programs, which the test prefix
// settings make see that family.
#define REQUIRE_WIN95_FAMILY()                                                          \
  do {                                                                                  \
    if (!hosttest::PlatformIsWin95Family()) {                                           \
      FAIL() << "this program must see the Windows 95 family (test prefix AppDefaults)"; \
    }                                                                                   \
  } while (0)

#define REQUIRE_NT_FAMILY()                                    \
  do {                                                         \
    if (hosttest::PlatformIsWin95Family()) {                   \
      GTEST_SKIP() << "needs the NT family";                   \
    }                                                          \
  } while (0)
