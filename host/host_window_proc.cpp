#include "host/host_window_proc.h"

#include "host/host_state.h"
#include "host/platform_calls.h"
#include "host/pointer.h"

namespace {

LRESULT Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PlatformCalls.screenSaverProc(window, message, wParam, lParam);
}

// The input method would put its windows over the saver; it is only looked
// for, never loaded, since a process without it has nothing to detach.
void DetachInputMethod(HWND window) {
  HostState.immModule = GetModuleHandleA("IMM32.DLL");
  if (HostState.immModule == nullptr) {
    return;
  }
  HostState.immAssociateContext = reinterpret_cast<ImmAssociateContextEntry>(
      reinterpret_cast<void*>(GetProcAddress(HostState.immModule, "ImmAssociateContext")));
  if (HostState.immAssociateContext != nullptr) {
    HostState.savedInputContext = HostState.immAssociateContext(window, nullptr);
  }
}

void ReattachInputMethod(HWND window) {
  if (HostState.immModule != nullptr && HostState.immAssociateContext != nullptr &&
      HostState.savedInputContext != nullptr) {
    HostState.immAssociateContext(window, HostState.savedInputContext);
  }
}

LRESULT OnCreate(HWND window, WPARAM wParam, LPARAM lParam) {
  DetachInputMethod(window);
  HostState.referencePoint = CurrentCursorPosition();
  if (HostState.isPreview == 0) {
    HidePointer();
  }
  return Forward(window, WM_CREATE, wParam, lParam);
}

LRESULT OnDestroy(HWND window, WPARAM wParam, LPARAM lParam) {
  ReattachInputMethod(window);
  PostQuitMessage(0);
  return Forward(window, WM_DESTROY, wParam, lParam);
}

// The saver's title is how a second start finds it; it never changes.
LRESULT OnSetText() {
  return 0;
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HostState.isClosing != 0) {
    return DefWindowProcA(window, WM_PAINT, wParam, lParam);
  }
  if (HostState.isPreview == 0) {
    HidePointer();
  }
  return Forward(window, WM_PAINT, wParam, lParam);
}

// Help in a preview belongs to the display settings that own it.
LRESULT OnHelpRequest(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HostState.isPreview != 1) {
    return Forward(window, message, wParam, lParam);
  }
  HWND parent = GetParent(window);
  if (parent != nullptr && IsWindow(parent)) {
    PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
  }
  return 1;
}

LRESULT OnInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HostState.isClosing != 0) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return Forward(window, message, wParam, lParam);
}

// Switching windows and starting another saver are refused while running
// full-screen; the whole value is compared, so variants pass.
LRESULT OnSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const bool refused = wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_SCREENSAVE;
  if (HostState.isPreview == 0 && refused) {
    return 0;
  }
  return Forward(window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnTimer(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HostState.isClosing != 0) {
    return 0;
  }
  Sleep(0);  // let other ready threads run before the timer's work
  return Forward(window, WM_TIMER, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, wParam, lParam);
    case WM_DESTROY:
      return OnDestroy(window, wParam, lParam);
    case WM_SETTEXT:
      return OnSetText();
    case WM_PAINT:
      return OnPaint(window, wParam, lParam);
    case WM_HELP:
    case WM_CONTEXTMENU:
      return OnHelpRequest(window, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return OnInput(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
      return OnSysCommand(window, wParam, lParam);
    case WM_TIMER:
      return OnTimer(window, wParam, lParam);
    default:
      return Forward(window, message, wParam, lParam);
  }
}
