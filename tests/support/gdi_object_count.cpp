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

const GdiHandleEntry* GdiHandleTable() {
  const unsigned char* peb =
      reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + GdiTableOffset);
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
