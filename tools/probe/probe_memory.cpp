#include "probe.h"

#include <cstdio>
#include <cstdlib>

#include "private_bytes.h"

// memory PROCESS_ID: the process's private bytes, as one line "private=N".
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
  SIZE_T privateBytes = 0;
  const bool read = ReadPrivateBytes(process, &privateBytes);
  const DWORD error = GetLastError();
  CloseHandle(process);
  if (!read) {
    std::printf("cannot read the memory of process=%lu: error %lu\n", processId, error);
    return 1;
  }
  std::printf("private=%llu\n", static_cast<unsigned long long>(privateBytes));
  return 0;
}
