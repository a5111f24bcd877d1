#include <cstdio>
#include <cstring>

#include "probe.h"

namespace {

int PrintUsage() {
  std::printf("usage: probe COMMAND ARGUMENTS...\n");
  for (int i = 0; i < ProbeCommandCount; ++i) {
    std::printf("  probe %s %s\n", ProbeCommands[i].name, ProbeCommands[i].usage);
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    return PrintUsage();
  }
  for (int i = 0; i < ProbeCommandCount; ++i) {
    const ProbeCommand& command = ProbeCommands[i];
    if (std::strcmp(argv[1], command.name) != 0) continue;
    if (argc - 2 < command.minimumArguments) {
      return PrintUsage();
    }
    const int result = command.run(argc - 2, argv + 2);
    std::fflush(stdout);
    return result;
  }
  return PrintUsage();
}
