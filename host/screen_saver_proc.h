// The saver's own window procedure, exported by this name; the framework's
// window procedure hands it every message it does not answer itself.
#pragma once

#include <windows.h>

extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
