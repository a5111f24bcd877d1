// Starting the saver module as its own process and watching it from outside.
#pragma once

#include <windows.h>

#include <string>

namespace hosttest {

struct ChildProcess {
  HANDLE process;
  DWORD processId;
};

// Exit code reported when the child outlived its time and was killed.
const DWORD KilledAfterTimeout = 0xDEADDEAD;

// Added to the time limits below: how much longer the children of a 32-bit
// program (32-bit too) may take to start where they run under qemu-user
// (PENNYDANCE_32BIT_START_MS from the test run); 0 for a 64-bit program.
DWORD ChildStartAllowanceMs();

// Starts applicationPath with exactly the given command line (which is what
// the child's GetCommandLineA returns).
bool StartChild(const std::string& applicationPath, const std::string& commandLine,
                ChildProcess* child);
// Waits while dispatching this thread's messages; on timeout kills the child
// and returns KilledAfterTimeout. Closes the handle either way.
DWORD FinishChild(ChildProcess* child, DWORD timeoutMs);
// StartChild + FinishChild; a failed start gives 0xBAD0BAD0.
DWORD RunChild(const std::string& applicationPath, const std::string& commandLine,
               DWORD timeoutMs);
bool ChildHasEnded(const ChildProcess& child);

// The first top-level window of the process with this class and title
// (null matches any), waiting up to timeoutMs; null if none appears.
HWND WaitForTopLevelWindow(DWORD processId, const char* className, const char* title,
                           DWORD timeoutMs);
// The first child window of parent with this class once its creation has
// ended (it is shown last), waiting up to timeoutMs.
HWND WaitForChildWindow(HWND parent, const char* className, DWORD timeoutMs);
// Waits until the window is the foreground window (a saver takes the front
// only once its creation has finished); false if it never becomes it.
bool WaitForForeground(HWND window, DWORD timeoutMs);
int CountTopLevelWindows(const char* className, const char* title);

// `"<path>" <tail>` for the module copy of that name beside this program.
std::string ModuleCommandLine(const std::string& modulePath, const std::string& tail);

}  // namespace hosttest
