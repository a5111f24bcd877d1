// Platform-free core: every heap block of the animation goes through these
// two calls, so that a test can count allocations and make the Nth one fail.
#pragma once

#include <cstddef>
#include <cstdint>

void* AllocateBlock(size_t size);
void ReleaseBlock(void* block);  // a null block is allowed

struct HeapBlockCounters {
  uint32_t allocations;  // successful AllocateBlock calls so far
  int32_t liveBlocks;    // allocated and not yet released
  uint32_t failAt;       // 1-based call number that fails; 0 = never
  uint32_t calls;        // AllocateBlock calls so far, failed ones included
};

extern HeapBlockCounters HeapCounters;

// Makes the failAt-th AllocateBlock call from now fail (0: none fails), and
// starts the call count afresh.
void FailAllocationAt(uint32_t failAt);
