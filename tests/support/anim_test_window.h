// Real windows for the animation tests: a class like the saver's (own device
// context, black background) whose procedure forwards to whatever the test
// names, plus reading back what the window shows.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Every step restarts the generator from the tick count, so a value put
// there by the test and still found afterwards means no step ran.
const uint32_t UntouchedRandom = 0x5EED5EEDu;

// The saver's records, the allocation counter and the settings key as a new
// process finds them, with the test program as the module; returns the live
// heap blocks, which a test compares with at its end.
int32_t StartFromFreshSaverState();
// Clears what a test may leave: a pending quit message, a failing
// allocation, the settings key and the framework's record.
void ClearSaverStateAfterTest();

// The window procedure the test window hands its messages to; the test
// window notes its handle on WM_NCCREATE, before WM_CREATE reaches it.
extern WNDPROC AnimTestTarget;
extern HWND AnimTestWindow;
// Messages that reached the test window's procedure, by number, since the
// last ResetAnimTestMessageCounts.
uint32_t AnimTestMessageCount(UINT message);
void ResetAnimTestMessageCounts();

// A top-most pop-up at (0, 0), its client area width x height, whose
// messages go to the target; null when creation was refused. Destroying a
// shown window can cost Wine seconds when it waits for a window manager, so
// tests that need no pixels keep it hidden.
HWND CreateAnimTestWindow(int width, int height, WNDPROC target, bool visible = true);
// A visible pop-up child of the parent filling its client area, as a preview.
HWND CreateAnimTestChild(HWND parent, WNDPROC target);

// Dispatches the thread's messages for the given time (a step under way
// when it is up still ends); false when WM_QUIT came (its code in *quitCode
// when given), which ends the pumping.
bool PumpMessagesFor(DWORD milliseconds, WPARAM* quitCode = nullptr);
// Removes a pending WM_QUIT; true when there was one.
bool TakeQuitMessage(WPARAM* quitCode = nullptr);

// 0x00RRGGBB per pixel, top row first, of the given rectangle of a DC.
std::vector<uint32_t> ReadPixels(HDC source, int left, int top, int width, int height);

// A rectangle of a DC as a PNG file (Unix path); false when it cannot be written.
bool WritePixelsPng(HDC source, int left, int top, int width, int height,
                    const std::string& unixPath);
// The whole screen as a PNG file (Unix path); false when it cannot be written.
bool WriteScreenPng(const std::string& unixPath);
#endif
