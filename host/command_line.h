// Reading the command line: the argument tail behind the program name, the
// mode switch and the decimal window handle. Pure, so it is tested natively.
#pragma once

#include <cstdint>

#include "host/win_types.h"

// Steps to the next character of the system code page, as CharNextA does: a
// double-byte character is stepped over whole, and the end is never passed.
typedef char*(WINAPI* CharStepFunction)(const char* text);

// The text behind the program name and the blanks that follow it.
const char* FindArgumentTail(const char* commandLine, CharStepFunction step);

enum class SaverMode : int32_t {
  Unrecognised = -1,  // the process ends with -1
  Run = 0,
  Preview,
  Configure,
  ChangePassword,
};

struct SaverSwitch {
  SaverMode mode;
  // Configure: 1 for "C"/"c" (the foreground window owns the dialog), 0 for
  // an empty tail (no owner).
  int32_t ownerIsForeground;
  // Preview and ChangePassword: where the handle text begins; else null.
  const char* handleText;
};

// The first recognised letter decides; " ", "-" and "/" before it are skipped.
// "A"/"a" exists on the Windows 95 family only.
SaverSwitch ScanSaverSwitch(const char* tail, int32_t isWin95Family);

// The leading decimal digits, accumulated modulo 2^32; 0 when there are none.
uint32_t ParseWindowHandle(const char* text);
