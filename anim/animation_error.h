// The one message box of a refused saver-window creation.
#pragma once

#include <windows.h>

extern const char SaverErrorCaption[];  // "Pennydance Error"

// Owned by the window. The text is one of the code-page-932 failure texts:
// a Japanese user interface gets it as written, any other its English
// version.
void ShowSaverError(HWND window, const char* text);
