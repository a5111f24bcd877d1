#include <windows.h>

// Placeholder until the dialog lands.
extern "C" BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT message, WPARAM,
                                                  LPARAM) {
  return message == WM_INITDIALOG;
}
