#include "tests/support/stored_value.h"

int32_t SettingAfterStoredValue(int32_t current, const uint8_t* bytes, size_t size) {
  if (size > sizeof current) {
    return current;
  }
  uint32_t word = static_cast<uint32_t>(current);
  for (size_t i = 0; i < size; ++i) {
    const unsigned shift = static_cast<unsigned>(8 * i);
    word = (word & ~(0xFFu << shift)) | (static_cast<uint32_t>(bytes[i]) << shift);
  }
  return static_cast<int32_t>(word);
}
