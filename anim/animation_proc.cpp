#include <windows.h>

// Placeholder until the animation lands.
extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message,
                                          WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
