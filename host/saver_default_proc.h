// Dismissal: where the saver's window procedure sends what it does not
// handle itself. Input posts a close request; the close request is granted
// or refused, on the Windows 95 family through the password verifier.
#pragma once

#include <windows.h>

#include <cstdint>

// The private message the saver window sends itself to run the verifier;
// non-zero result: the saver may close.
const UINT SAVERMSG_VERIFY = 0x8000;

LRESULT WINAPI SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Non-zero when the close request may proceed.
int32_t VerifyBeforeClose(HWND window);
