#include "settings/version_text.h"

#include <cstdio>

namespace {

const uint32_t FixedFileInfoSignature = 0xFEEF04BDu;
// dwSignature, dwStrucVersion, then dwFileVersionMS.
const size_t FileVersionHighOffset = 8;

uint32_t LittleEndianWord(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

bool FindFileVersionHigh(const void* record, size_t size, uint32_t* fileVersionHigh) {
  if (record == nullptr) {
    return false;
  }
  const unsigned char* bytes = static_cast<const unsigned char*>(record);
  for (size_t offset = 0; size >= 4 && offset <= size - 4; offset += 4) {
    if (LittleEndianWord(bytes + offset) != FixedFileInfoSignature) {
      continue;
    }
    // A signature too close to the end is a cut-off record, not a version.
    if (size - offset < FileVersionHighOffset + 4) {
      return false;
    }
    *fileVersionHigh = LittleEndianWord(bytes + offset + FileVersionHighOffset);
    return true;
  }
  return false;
}

void FormatVersionText(uint32_t fileVersionHigh, char (&text)[VersionTextSize]) {
  std::snprintf(text, sizeof text, "Version.%d.%02d",
                static_cast<int>(fileVersionHigh >> 16),
                static_cast<int>(fileVersionHigh & 0xFFFFu));
}
