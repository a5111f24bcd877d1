// The window procedure of the saver window's class: the framework's own work
// for each message, then the saver's window procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
