// The two calls whose effect a test cannot see from outside: the system's
// screen-saver-running state and the hand-over to the saver's own window
// procedure. They go through this table so a test can wrap an entry to
// record the call and pass it on; the saver never changes the table.
#pragma once

#include <windows.h>

typedef BOOL(WINAPI* SystemParametersInfoFunction)(UINT action, UINT parameter,
                                                   PVOID data, UINT updateFlags);

struct PlatformCallTable {
  SystemParametersInfoFunction systemParametersInfo;  // SystemParametersInfoA
  WNDPROC screenSaverProc;                             // ScreenSaverProc
};

extern PlatformCallTable PlatformCalls;
