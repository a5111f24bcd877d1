// The animation's life along the saver window's: everything it needs is
// acquired on creation and released on destruction, and a window timer
// drives the steps in between.
#pragma once

#include <windows.h>

const UINT_PTR AnimationTimerId = 1;
const UINT AnimationTimerPeriod = 100;  // milliseconds

// Loads and bounds the settings, makes the surfaces, the sheet, the palette
// (8-bit displays) and the sprites, and starts the timer. False after a
// failure, which has shown its message box; what was acquired until then is
// left for DestroyAnimation.
bool CreateAnimation(HWND window);

// Stops the timer, releases whatever exists and posts the quit message.
void DestroyAnimation(HWND window);

// True while anything that CreateAnimation acquires is not yet released.
bool AnimationIsHeld();

void CALLBACK AnimationTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);
