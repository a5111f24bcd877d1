// Platform handle types for code that must also compile natively.
//
// The pure core (numbers, motion, sheet building, command-line scanning,
// settings bounding) is unit-tested on the host compiler with sanitizers,
// where <windows.h> does not exist. There the handles are opaque pointers of
// the same names, so the shared records read the same in both builds.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HDC__;
typedef HDC__* HDC;
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;
struct HPALETTE__;
typedef HPALETTE__* HPALETTE;
#define WINAPI
#endif
