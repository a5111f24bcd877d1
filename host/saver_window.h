// The saver window: full-screen for a run, a child of the display settings'
// window for a preview, and the message loop that lasts as long as it does.
#pragma once

#include <windows.h>

#include <cstdint>

extern const char SaverWindowClassName[];   // "WindowsScreenSaverClass"
extern const char FullScreenTitle[];        // "Screen Saver"
extern const char PreviewTitle[];           // "Preview"

// Result when no saver window could be created (the class could not be
// registered, or the saver refused creation): the saver did not run.
const int32_t SaverWindowNotCreated = -1;

// Runs the saver with the given preview parent, or full-screen without one;
// returns the exit code: the quit code (0) after the window was destroyed,
// 0 when another full-screen saver is already running, SaverWindowNotCreated.
int32_t RunSaverWindow(HWND parent);
