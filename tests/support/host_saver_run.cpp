#ifdef _WIN32
#include "host_saver_run.h"

#include "host/host_state.h"
#include "host/platform_calls.h"
#include "host/saver_window.h"
#include "host_test_support.h"

namespace hosttest {

namespace {

struct StepRunner {
  const std::vector<SaverStep>* steps;
  size_t next;
  bool insideStep;
  DWORD deadline;
  bool watchdogFired;
};

StepRunner g_runner;

bool SaverAlive() {
  return HostState.saverWindow != nullptr && IsWindow(HostState.saverWindow);
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
  // Steps may pump messages themselves (as a prompt does); never nest them.
  if (g_runner.insideStep) return;
  g_runner.insideStep = true;
  if (static_cast<LONG>(GetTickCount() - g_runner.deadline) >= 0) {
    if (SaverAlive()) {
      g_runner.watchdogFired = true;
      DestroyWindow(HostState.saverWindow);
    }
  } else if (g_runner.next < g_runner.steps->size()) {
    const size_t index = g_runner.next++;
    (*g_runner.steps)[index](SaverAlive() ? HostState.saverWindow : nullptr);
  }
  g_runner.insideStep = false;
}

void RemoveLeftoverQuitMessage() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

PlatformCallTable g_originalCalls;
bool g_recording = false;
std::vector<SystemParametersCall> g_systemParametersCalls;
std::vector<ForwardedMessage> g_forwardedMessages;

BOOL WINAPI RecordSystemParametersInfo(UINT action, UINT parameter, PVOID data, UINT flags) {
  g_systemParametersCalls.push_back(
      SystemParametersCall{action, parameter, flags, data != nullptr, SaverAlive()});
  return g_originalCalls.systemParametersInfo(action, parameter, data, flags);
}

LRESULT WINAPI RecordScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_forwardedMessages.push_back(
      ForwardedMessage{window, message, wParam, lParam, HostState.isVerifying});
  return g_originalCalls.screenSaverProc(window, message, wParam, lParam);
}

std::vector<ReceivedMessage> g_helpMessages;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP || message == WM_CONTEXTMENU) {
    g_helpMessages.push_back(ReceivedMessage{window, message, wParam, lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void SendMouse(DWORD flags, LONG x, LONG y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

SaverRunOutcome RunSaverWithSteps(HWND parent, const std::vector<SaverStep>& steps,
                                  RunSettings settings) {
  ResetHostState();
  HostState.instance = GetModuleHandleA(nullptr);
  HostState.isWin95Family = PlatformIsWin95Family();
  g_runner = StepRunner{&steps, 0, false, GetTickCount() + settings.watchdogMs, false};
  const UINT_PTR timer = SetTimer(nullptr, 0, settings.stepGapMs, RunNextStep);
  SaverRunOutcome outcome = {};
  outcome.result = RunSaverWindow(parent);
  KillTimer(nullptr, timer);
  RemoveLeftoverQuitMessage();
  outcome.watchdogFired = g_runner.watchdogFired;
  outcome.stepsRun = static_cast<int>(g_runner.next);
  return outcome;
}

void StartRecordingPlatformCalls() {
  if (!g_recording) {
    g_originalCalls = PlatformCalls;
    PlatformCalls.systemParametersInfo = RecordSystemParametersInfo;
    PlatformCalls.screenSaverProc = RecordScreenSaverProc;
    g_recording = true;
  }
  g_systemParametersCalls.clear();
  g_forwardedMessages.clear();
}

void StopRecordingPlatformCalls() {
  if (g_recording) {
    PlatformCalls = g_originalCalls;
    g_recording = false;
  }
}

const std::vector<SystemParametersCall>& RecordedSystemParametersCalls() {
  return g_systemParametersCalls;
}

const std::vector<ForwardedMessage>& RecordedForwardedMessages() {
  return g_forwardedMessages;
}

void ClearRecordedForwardedMessages() {
  g_forwardedMessages.clear();
}

int CountForwarded(UINT message) {
  int count = 0;
  for (const ForwardedMessage& forwarded : g_forwardedMessages) {
    if (forwarded.message == message) ++count;
  }
  return count;
}

void MovePointerTo(int x, int y) {
  // Absolute coordinates run from 0 to 65535 over the primary screen.
  const LONG width = GetSystemMetrics(SM_CXSCREEN);
  const LONG height = GetSystemMetrics(SM_CYSCREEN);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65536 + width / 2) / width,
            (y * 65536 + height / 2) / height);
}

void PressMouseButton(DWORD downFlag, DWORD upFlag) {
  SendMouse(downFlag, 0, 0);
  SendMouse(upFlag, 0, 0);
}

void PressKey(WORD virtualKey) {
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = virtualKey;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

namespace {

// False once a quit message was met (and posted again).
bool DispatchWaiting() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

}  // namespace

void PumpMessagesFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    if (!DispatchWaiting()) return;
    Sleep(5);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

bool SettleAfterInput(UINT message, DWORD timeoutMs) {
  const int before = CountForwarded(message);
  const DWORD deadline = GetTickCount() + timeoutMs;
  bool arrived = false;
  while (!arrived && static_cast<LONG>(GetTickCount() - deadline) < 0) {
    if (!DispatchWaiting()) return CountForwarded(message) > before;
    arrived = CountForwarded(message) > before;
    if (!arrived) Sleep(5);
  }
  // What the input caused (a close request, the destruction) runs now.
  for (int round = 0; round < 3; ++round) {
    if (!DispatchWaiting()) break;
    Sleep(5);
  }
  return arrived;
}

HWND CreatePlainWindow(const char* title, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = "PennydanceHostTestWindow";
  RegisterClassA(&windowClass);  // fails harmlessly once registered
  return CreateWindowExA(0, windowClass.lpszClassName, title, WS_POPUP | WS_VISIBLE, 20, 20, width,
                         height, nullptr, nullptr, windowClass.hInstance, nullptr);
}

std::vector<ReceivedMessage>& PlainWindowHelpMessages() {
  return g_helpMessages;
}

}  // namespace hosttest
#endif
