#include <cstdio>
#include <cstdlib>
#include <vector>

#include "probe.h"

ProcessOutcome RunCommandLine(const std::string& commandLine, DWORD timeoutMs) {
  ProcessOutcome outcome = {false, false, 0};
  std::vector<char> text(commandLine.begin(), commandLine.end());
  text.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("cannot start: error %lu\n", GetLastError());
    return outcome;
  }
  outcome.started = true;
  std::printf("started process=%lu\n", process.dwProcessId);
  std::fflush(stdout);
  const DWORD deadline = GetTickCount() + timeoutMs;
  for (;;) {
    const DWORD now = GetTickCount();
    DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
    if (timeoutMs == 0) left = INFINITE;
    const DWORD waited =
        MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, left, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) break;
    if (waited == WAIT_TIMEOUT) {
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
      outcome.timedOut = true;
      break;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

void PrintOutcome(const ProcessOutcome& outcome) {
  if (!outcome.started) return;
  if (outcome.timedOut) std::printf("timeout: process killed\n");
  std::printf("exit code=0x%08lX\n", outcome.exitCode);
}

HWND ParseHandleArgument(const char* text) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(text, nullptr, 0)));
}

void PrintWindow(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  char className[256] = {};
  char title[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  std::printf("window=0x%llx class=\"%s\" title=\"%s\" style=0x%08lX exstyle=0x%08lX "
              "rect=(%ld,%ld,%ld,%ld) parent=0x%llx foreground=%d visible=%d process=%lu\n",
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)), className,
              title, static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), rect.left,
              rect.top, rect.right, rect.bottom,
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(GetParent(window))),
              GetForegroundWindow() == window ? 1 : 0, IsWindowVisible(window) ? 1 : 0,
              processId);
}
