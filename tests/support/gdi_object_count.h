// How many GDI objects this process holds, for tests that look for leaks.
#pragma once

#ifdef _WIN32
#include <cstdint>

// Windows answers through GetGuiResources. Wine 8 does not (0, with
// ERROR_CALL_NOT_IMPLEMENTED), so then the process's own GDI handle table,
// which its PEB points to, is counted: every entry with a type is a live
// object. -1 when neither is there.
int32_t CountGdiObjects();
#endif
