// A process's private bytes, as the probe and the start-up benchmark read them.
#pragma once

#include <windows.h>
#include <psapi.h>

// Wine 8 leaves PrivateUsage 0 and reports the private (anonymous) memory as
// PagefileUsage, which Windows NT also counts as the process's private
// commit; so PagefileUsage stands in when PrivateUsage is 0. False when the
// counters cannot be read.
inline bool ReadPrivateBytes(HANDLE process, SIZE_T* privateBytes) {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return false;
  }
  *privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
  return true;
}
