// The one message box of a refused saver-window creation.
#pragma once

#include <windows.h>

extern const char SaverErrorCaption[];  // "Pennydance Error"

// Owned by the window; the text is code page 932, shown through the ANSI call.
void ShowSaverError(HWND window, const char* text);
