// The guard around the work of a mode: a structured exception that escapes
// it is reported by the system's unhandled-exception filter, and when that
// lets the guard handle it, the screen-saver-running state is switched off.
#pragma once

#include <cstdint>

typedef int32_t (*GuardedWork)(const void* argument);

// Returns what the work returns; after a handled exception, the exception's
// code (e.g. 0xC0000005 for an access violation), the exit code the process
// would have had without the guard.
int32_t RunInsideExceptionGuard(GuardedWork work, const void* argument);
