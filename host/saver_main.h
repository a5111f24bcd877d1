// Entry and mode dispatch.
#pragma once

#include "host/win_types.h"

#include <cstdint>

// Finds the argument tail of the process command line, runs one mode and ends
// the process with its result; never returns.
[[noreturn]] void SaverMain();

#ifdef _WIN32
// Records the instance and the platform family, then runs the mode that the
// tail's switch selects inside the exception guard; returns the exit code.
int32_t DispatchSaverMode(HINSTANCE instance, const char* tail);

// The preview parent's handle text: -1 unless it names a window.
int32_t RunPreviewMode(const char* handleText);
// The configuration dialog, owned by the given window (may be null).
int32_t RunConfigureMode(HWND parent);
// The owner's handle text; the foreground window when it names no window.
int32_t RunChangePasswordMode(const char* handleText);
void ChangeSaverPassword(HWND owner);
#endif
