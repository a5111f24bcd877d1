// The probe's subcommands and the helpers they share.
#pragma once

#include <windows.h>

#include <string>

struct ProbeCommand {
  const char* name;
  const char* usage;
  int minimumArguments;
  int (*run)(int argumentCount, char** arguments);  // arguments after the name
};

extern const ProbeCommand ProbeCommands[];

// The subcommands that have files of their own.
int MemoryCommand(int count, char** arguments);  // probe_memory.cpp
int StoreCommand(int count, char** arguments);   // probe_store.cpp
extern const int ProbeCommandCount;

struct ProcessOutcome {
  bool started;
  bool timedOut;     // killed after the timeout
  DWORD exitCode;
};

// Starts the command line, waits up to timeoutMs (0: as long as it runs)
// while dispatching this thread's messages (its windows stay responsive),
// and kills it on timeout.
ProcessOutcome RunCommandLine(const std::string& commandLine, DWORD timeoutMs);
void PrintOutcome(const ProcessOutcome& outcome);

// A handle written in decimal or as 0x... hexadecimal.
HWND ParseHandleArgument(const char* text);
void PrintWindow(HWND window);
