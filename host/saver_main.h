// Entry and mode dispatch.
#pragma once

#include "host/win_types.h"

// Finds the argument tail of the process command line, runs one mode and ends
// the process with its result; never returns.
[[noreturn]] void SaverMain();
