// The two platform libraries only the configuration dialog needs, loaded by
// name when it needs them rather than imported by the module: attached at
// start-up, COMCTL32 alone costs a full-screen run about 1.7 MB of private
// memory under Wine (three of its icons, which it loads at 256 x 256).
#pragma once

#include <windows.h>

// InitCommonControls from COMCTL32, which then stays loaded for the rest of
// the process: the dialog's up-down controls run inside it.
void InitCommonControlsByName();

// ShellExecuteA from SHELL32, with its arguments; nothing when SHELL32 or the
// entry is missing, as nothing is reported when opening the page fails.
void ShellExecuteByName(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand);
