// A stored value's bytes laid over the setting's current value, as the query
// into the four-byte word does, and values too long to fit leaving it alone.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "tests/support/stored_value.h"

namespace {

struct StoredCase {
  const char* name;
  int32_t current;
  uint8_t bytes[8];
  size_t size;
  int32_t expected;
};

const StoredCase StoredCases[] = {
    {"empty value keeps every byte", 0x12345678, {0}, 0, 0x12345678},
    {"one byte replaces the lowest", 0x12345678, {0xAB}, 1, 0x123456AB},
    {"two bytes replace the low half", 0x12345678, {0xCD, 0xAB}, 2, 0x1234ABCD},
    {"three bytes leave the top byte", 0x12345678, {0x01, 0x02, 0x03}, 3, 0x12030201},
    {"four bytes replace the whole word", 0x12345678, {0x10, 0x00, 0x00, 0x00}, 4, 16},
    {"a stored DWORD of 256", 4, {0x00, 0x01, 0x00, 0x00}, 4, 256},
    {"four bytes make a negative value", 8, {0xFF, 0xFF, 0xFF, 0xFF}, 4, -1},
    {"top byte above 0x7F reads negative", 0, {0x00, 0x00, 0x00, 0x80}, 4, INT32_MIN},
    {"one byte over a negative value", -1, {0x05}, 1, static_cast<int32_t>(0xFFFFFF05u)},
    {"zero bytes over a negative value", -1, {0x00, 0x00}, 2, static_cast<int32_t>(0xFFFF0000u)},
    {"text \"12\" with its terminator", 48, {'1', '2', 0}, 3, 0x00003231},
    {"five bytes fail and keep the value", 48, {1, 2, 3, 4, 5}, 5, 48},
    {"eight bytes fail and keep the value", -7, {1, 2, 3, 4, 5, 6, 7, 8}, 8, -7},
};

TEST(StoredValue, LaysTheStoredBytesOverTheLowOrderBytes) {
  for (const StoredCase& row : StoredCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SettingAfterStoredValue(row.current, row.bytes, row.size), row.expected);
  }
}

TEST(StoredValue, ReadsNoByteBeyondTheSizeNorOfALongValue) {
  // Under ASan a read past either block stops the test.
  const uint8_t* none = nullptr;
  EXPECT_EQ(SettingAfterStoredValue(9, none, 0), 9);
  uint8_t* three = new uint8_t[3]{0x21, 0x43, 0x65};
  EXPECT_EQ(SettingAfterStoredValue(0x7F000000, three, 3), 0x7F654321);
  delete[] three;
  uint8_t* nine = new uint8_t[1];
  nine[0] = 0xEE;
  // Claimed longer than the block: a value that long must not be looked at.
  EXPECT_EQ(SettingAfterStoredValue(3, nine, 9), 3);
  delete[] nine;
}

}  // namespace
