#include "host/host_state.h"

HostStateRecord HostState = {nullptr, 0, nullptr, 0, 0, 0, nullptr, nullptr,
                             nullptr, nullptr, nullptr, {0, 0}, NeverVerified};

void ResetHostState() {
  HostState = HostStateRecord{nullptr, 0, nullptr, 0, 0, 0, nullptr, nullptr,
                              nullptr, nullptr, nullptr, {0, 0}, NeverVerified};
}
