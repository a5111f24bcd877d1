// The configuration dialog: template 2003 in the module's resources, shown by
// configure mode with DialogBoxParamA.
#pragma once

#include <windows.h>

// Makes the up-down class exist before the dialog is created; always TRUE.
BOOL InitConfigureDialogClasses(HINSTANCE instance);

// The dialog procedure, exported by this name: loads the settings when the
// dialog opens, bounds and saves them on OK (result 1), nothing on Cancel (2).
extern "C" INT_PTR CALLBACK ScreenSaverConfigureDialog(HWND dialog, UINT message,
                                                       WPARAM wParam, LPARAM lParam);
