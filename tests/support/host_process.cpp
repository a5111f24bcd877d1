#ifdef _WIN32
#include "host_process.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "host_saver_run.h"

namespace hosttest {

namespace {

struct WindowSearch {
  DWORD processId;  // 0: any process
  const char* className;
  const char* title;
  HWND found;
  int count;
};

bool TextMatches(const char* wanted, const char* actual) {
  return wanted == nullptr || std::strcmp(wanted, actual) == 0;
}

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM context) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[256] = {};
  char title[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if ((search->processId == 0 || processId == search->processId) &&
      TextMatches(search->className, className) && TextMatches(search->title, title)) {
    if (search->found == nullptr) search->found = window;
    ++search->count;
  }
  return TRUE;
}

}  // namespace

bool StartChild(const std::string& applicationPath, const std::string& commandLine,
                ChildProcess* child) {
  std::vector<char> text(commandLine.begin(), commandLine.end());
  text.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION information = {};
  if (!CreateProcessA(applicationPath.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &information)) {
    child->process = nullptr;
    child->processId = 0;
    return false;
  }
  CloseHandle(information.hThread);
  child->process = information.hProcess;
  child->processId = information.dwProcessId;
  return true;
}

DWORD ChildStartAllowanceMs() {
#ifdef _WIN64
  return 0;
#else
  char text[16] = {};
  if (GetEnvironmentVariableA("PENNYDANCE_32BIT_START_MS", text, sizeof text) == 0) return 0;
  return strtoul(text, nullptr, 10);
#endif
}

bool ChildHasEnded(const ChildProcess& child) {
  return WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0;
}

DWORD FinishChild(ChildProcess* child, DWORD timeoutMs) {
  if (child->process == nullptr) return KilledAfterTimeout;
  const DWORD deadline = GetTickCount() + timeoutMs + ChildStartAllowanceMs();
  DWORD exitCode = KilledAfterTimeout;
  for (;;) {
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    const DWORD waited = MsgWaitForMultipleObjects(1, &child->process, FALSE,
                                                   left > 0 ? static_cast<DWORD>(left) : 0,
                                                   QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) {
      GetExitCodeProcess(child->process, &exitCode);
      break;
    }
    if (waited != WAIT_OBJECT_0 + 1) {
      TerminateProcess(child->process, KilledAfterTimeout);
      WaitForSingleObject(child->process, 5000);
      exitCode = KilledAfterTimeout;
      break;
    }
    PumpMessagesFor(0);
  }
  CloseHandle(child->process);
  child->process = nullptr;
  return exitCode;
}

DWORD RunChild(const std::string& applicationPath, const std::string& commandLine,
               DWORD timeoutMs) {
  ChildProcess child;
  if (!StartChild(applicationPath, commandLine, &child)) return 0xBAD0BAD0;
  return FinishChild(&child, timeoutMs);
}

HWND WaitForTopLevelWindow(DWORD processId, const char* className, const char* title,
                           DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs + ChildStartAllowanceMs();
  for (;;) {
    WindowSearch search = {processId, className, title, nullptr, 0};
    EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return nullptr;
    PumpMessagesFor(20);
  }
}

HWND WaitForChildWindow(HWND parent, const char* className, DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs + ChildStartAllowanceMs();
  for (;;) {
    // Another process's child is found as soon as it exists, before its
    // WM_CREATE (which builds the sprite sheet) is over and it is shown.
    HWND child = FindWindowExA(parent, nullptr, className, nullptr);
    if (child != nullptr && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0) return child;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return nullptr;
    PumpMessagesFor(20);
  }
}

bool WaitForForeground(HWND window, DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  while (GetForegroundWindow() != window) {
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return false;
    PumpMessagesFor(20);
  }
  return true;
}

int CountTopLevelWindows(const char* className, const char* title) {
  WindowSearch search = {0, className, title, nullptr, 0};
  EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

std::string ModuleCommandLine(const std::string& modulePath, const std::string& tail) {
  return "\"" + modulePath + "\" " + tail;
}

}  // namespace hosttest
#endif
