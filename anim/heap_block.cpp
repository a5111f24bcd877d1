#include "anim/heap_block.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

HeapBlockCounters HeapCounters = {0, 0, 0, 0};

void FailAllocationAt(uint32_t failAt) {
  HeapCounters.failAt = failAt;
  HeapCounters.calls = 0;
}

void* AllocateBlock(size_t size) {
  HeapCounters.calls++;
  if (HeapCounters.failAt != 0 && HeapCounters.calls == HeapCounters.failAt) {
    return nullptr;
  }
#ifdef _WIN32
  void* block = HeapAlloc(GetProcessHeap(), 0, size);
#else
  void* block = std::malloc(size);
#endif
  if (block != nullptr) {
    HeapCounters.allocations++;
    HeapCounters.liveBlocks++;
  }
  return block;
}

void ReleaseBlock(void* block) {
  if (block == nullptr) return;
  HeapCounters.liveBlocks--;
#ifdef _WIN32
  HeapFree(GetProcessHeap(), 0, block);
#else
  std::free(block);
#endif
}
