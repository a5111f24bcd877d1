#include "host/saver_default_proc.h"

#include "host/dismissal_rules.h"
#include "host/host_state.h"
#include "host/pointer.h"

namespace {

void RequestClose(HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
}

// Two at most: enough to keep queued steps from piling up behind the prompt.
void DropPendingTimerMessages(HWND window) {
  MSG dropped;
  PeekMessageA(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  PeekMessageA(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
}

LRESULT OnClose(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HostState.isWin95Family == 0 || VerifyBeforeClose(window) != 0) {
    return DefWindowProcA(window, WM_CLOSE, wParam, lParam);
  }
  // Refused: measure further movement from where the pointer is now.
  HostState.referencePoint = CurrentCursorPosition();
  return 0;
}

LRESULT OnVerify(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HostState.isWin95Family == 0) {
    return DefWindowProcA(window, SAVERMSG_VERIFY, wParam, lParam);
  }
  if (HostState.verifyPassword == nullptr) {
    return 1;
  }
  return HostState.verifyPassword(window);
}

LRESULT OnShowWindow(HWND window, WPARAM wParam, LPARAM lParam) {
  if (wParam != 0) {
    HidePointer();
  }
  return DefWindowProcA(window, WM_SHOWWINDOW, wParam, lParam);
}

LRESULT OnActivateApp(HWND window, WPARAM wParam, LPARAM lParam) {
  if (wParam == 0) {
    RequestClose(window);
  }
  return DefWindowProcA(window, WM_ACTIVATEAPP, wParam, lParam);
}

LRESULT OnSetCursor() {
  HidePointer();
  return 1;
}

// A system key is not passed on: the platform would arm F10 or Alt there,
// and their release, which lands in the password prompt, would put the
// prompt into an invisible menu mode that eats the password typed next.
// The close it would make of Alt+F4 is asked for already.
LRESULT OnPress(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RequestClose(window);
  if (message == WM_SYSKEYDOWN) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The message's own coordinates are client ones; distance counts on screen.
LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
  const ScreenPoint cursor = CurrentCursorPosition();
  if (MovedBeyondThreshold(HostState.referencePoint, cursor)) {
    RequestClose(window);
    HostState.referencePoint = cursor;
  }
  return DefWindowProcA(window, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT OnWatchedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      return OnShowWindow(window, wParam, lParam);
    case WM_ACTIVATEAPP:
      return OnActivateApp(window, wParam, lParam);
    case WM_SETCURSOR:
      return OnSetCursor();
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return OnPress(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
      return OnMouseMove(window, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT WINAPI SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A preview never ends on input, and once closing nothing more is watched.
  if (HostState.isPreview == 1 || HostState.isClosing != 0) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_CLOSE) {
    return OnClose(window, wParam, lParam);
  }
  if (message == SAVERMSG_VERIFY) {
    return OnVerify(window, wParam, lParam);
  }
  // Messages dispatched by the prompt's own loop must not start another close.
  if (HostState.isVerifying == 1) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return OnWatchedMessage(window, message, wParam, lParam);
}

int32_t VerifyBeforeClose(HWND window) {
  if (HostState.isVerifying == 1 || HostState.isClosing != 0) {
    return 0;
  }
  if (HostState.verifyPassword == nullptr) {
    HostState.isClosing = 1;
    return 1;
  }
  if (IsWithinRetryGap(HostState.lastVerifyTick, GetTickCount())) {
    return HostState.isClosing;
  }
  HostState.isVerifying = 1;
  DropPendingTimerMessages(window);
  const LRESULT verdict = SendMessageA(window, SAVERMSG_VERIFY, 0, 0);
  HostState.isClosing = static_cast<int32_t>(verdict);
  HostState.isVerifying = 0;
  if (verdict == 0) {
    HidePointer();
  }
  HostState.lastVerifyTick = GetTickCount();
  return HostState.isClosing;
}
