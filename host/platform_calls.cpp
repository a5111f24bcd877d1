#include "host/platform_calls.h"

#include "host/screen_saver_proc.h"

PlatformCallTable PlatformCalls = {SystemParametersInfoA, ScreenSaverProc};
