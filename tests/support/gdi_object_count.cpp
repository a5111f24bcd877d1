#ifdef _WIN32
#include "tests/support/gdi_object_count.h"

#include <windows.h>
#include <winternl.h>

namespace {

// One entry of the handle table as Wine keeps it, the same on both
// architectures; the object type 0 marks a free entry.
#pragma pack(push, 1)
struct GdiHandleEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI handle entry is 24 bytes");

const int GdiHandleTableEntries = 0x10000;

// Where the PEB keeps the pointer to the table.
const size_t GdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

// A 32-bit process of a 64-bit Wine prefix has a 64-bit thread block and
// PEB as well, and Wine keeps the table in the 64-bit PEB only; the 32-bit
// thread block's GdiBatchCount holds the 64-bit one's address.
const size_t Teb32GdiBatchCountOffset = 0xF70;
const size_t Teb64PebOffset = 0x60;
const size_t Peb64GdiTableOffset = 0xF8;

template <typename Value>
Value ReadAt(uintptr_t address) {
  return *reinterpret_cast<const Value*>(address);
}

const GdiHandleEntry* GdiHandleTable() {
  const uintptr_t teb = reinterpret_cast<uintptr_t>(NtCurrentTeb());
  const uintptr_t peb = reinterpret_cast<uintptr_t>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const GdiHandleEntry* table = ReadAt<const GdiHandleEntry*>(peb + GdiTableOffset);
  if (table == nullptr && sizeof(void*) == 4) {
    const uint32_t teb64 = ReadAt<uint32_t>(teb + Teb32GdiBatchCountOffset);
    if (teb64 != 0) {
      const uint64_t peb64 = ReadAt<uint64_t>(teb64 + Teb64PebOffset);
      table = reinterpret_cast<const GdiHandleEntry*>(static_cast<uintptr_t>(
          ReadAt<uint64_t>(static_cast<uintptr_t>(peb64) + Peb64GdiTableOffset)));
    }
  }
  return table;
}

}  // namespace

int32_t CountGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) {
    return static_cast<int32_t>(reported);
  }
  const GdiHandleEntry* table = GdiHandleTable();
  if (table == nullptr) {
    return -1;
  }
  int32_t live = 0;
  for (int i = 0; i < GdiHandleTableEntries; ++i) {
    live += table[i].type != 0;
  }
  return live;
}
#endif
