#include "probe.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

// memory PROCESS_ID: the process's private bytes, as one line "private=N".
// Wine 8 leaves PrivateUsage 0 and reports the private (anonymous) memory as
// PagefileUsage, which Windows NT also counts as the process's private
// commit; so PagefileUsage stands in when PrivateUsage is 0.
int MemoryCommand(int, char** arguments) {
  const DWORD processId = std::strtoul(arguments[0], nullptr, 0);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) {
    std::printf("cannot open process=%lu: error %lu\n", processId, GetLastError());
    return 1;
  }
  // A process that has ended can still be opened while another handle to it
  // is open (the probe that started it holds one); its figures are not a
  // running program's.
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE) {
    std::printf("process=%lu has ended: exit code=0x%08lX\n", processId, exitCode);
    CloseHandle(process);
    return 1;
  }
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  const BOOL read = GetProcessMemoryInfo(
      process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  const DWORD error = GetLastError();
  CloseHandle(process);
  if (!read) {
    std::printf("cannot read the memory of process=%lu: error %lu\n", processId, error);
    return 1;
  }
  const SIZE_T privateBytes =
      counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
  std::printf("private=%llu\n", static_cast<unsigned long long>(privateBytes));
  return 0;
}
