// ScreenSaverProc: the saver's own window procedure. The framework's window
// procedure hands it every message it does not answer itself, and what is
// not handled here goes on to the framework's default procedure.
#include <windows.h>

#include "anim/animation_life.h"
#include "anim/animation_palette.h"
#include "host/host_state.h"
#include "host/saver_default_proc.h"
#include "host/screen_saver_proc.h"

namespace {

LRESULT OnCreate(HWND window) {
  return CreateAnimation(window) ? 0 : -1;
}

LRESULT OnDestroy(HWND window) {
  DestroyAnimation(window);
  return 0;
}

// The last message of every window. A refused creation does not always
// deliver WM_DESTROY (Wine skips it), so whatever is still held goes here.
LRESULT OnFinalDestroy(HWND window, WPARAM wParam, LPARAM lParam) {
  if (AnimationIsHeld()) {
    DestroyAnimation(window);
  }
  return SaverDefaultProc(window, WM_NCDESTROY, wParam, lParam);
}

// A key ends the saver at once, unless a password guards it: then the key
// only asks to close, and the close request is verified like any other.
LRESULT OnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HostState.verifyPassword != nullptr) {
    return SaverDefaultProc(window, message, wParam, lParam);
  }
  DestroyWindow(window);
  return 0;
}

LRESULT OnQueryNewPalette() {
  return RealizeDisplayPalette();
}

// Our own realization announces itself too; answering it would loop.
LRESULT OnPaletteChanged(HWND window, WPARAM changedBy) {
  if (reinterpret_cast<HWND>(changedBy) == window) {
    return 0;
  }
  return RealizeDisplayPalette();
}

}  // namespace

extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_NCDESTROY:
      return OnFinalDestroy(window, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKey(window, message, wParam, lParam);
    case WM_QUERYNEWPALETTE:
      return OnQueryNewPalette();
    case WM_PALETTECHANGED:
      return OnPaletteChanged(window, wParam);
    default:
      return SaverDefaultProc(window, message, wParam, lParam);
  }
}
