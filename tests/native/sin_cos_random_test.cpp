// The fixed-point sine table and the saver's random generator.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "anim/saver_random.h"
#include "anim/sin_cos_table.h"

namespace {

struct TableEntry {
  int32_t index;  // before masking with 4095
  int16_t sin;
  int16_t cos;
};

TEST(SinCosTable, HoldsTheTellingEntries) {
  const TableEntry cases[] = {
      {0, 0, 4096},         {512, 2896, 2896},     {1024, 4096, 0},
      {1536, 2896, -2895},  {2048, 0, -4095},      {2560, -2895, -2895},
      {3072, -4095, 0},     {3584, -2895, 2896},
      // Rounded by truncating x + 0.5 toward zero: -3611.8 gives -3611.
      {3392, -3611, 1931},
      // Rotation 1's step and corner direction, and a velocity of the motion.
      {128, 799, 4017},     {2688, -3405, -2275},  {832, 3920, 1189},
      // 4096 x cos(101.25 deg) is -799.1: -798, not minus the sine of 128.
      {1152, 4017, -798},
      // Masked on the two's-complement value.
      {-1024, -4095, 0},    {4096 + 512, 2896, 2896}, {-1, -5, 4096},
  };
  for (const TableEntry& entry : cases) {
    SCOPED_TRACE(entry.index);
    const SinCos& value = SinCosTable[entry.index & SinCosMask];
    EXPECT_EQ(value.Sin, entry.sin);
    EXPECT_EQ(value.Cos, entry.cos);
  }
}

TEST(SinCosTable, RangeIsMinus4095To4096) {
  int minimum = 0;
  int maximum = 0;
  for (const SinCos& entry : SinCosTable) {
    for (int value : {int{entry.Sin}, int{entry.Cos}}) {
      if (value < minimum) minimum = value;
      if (value > maximum) maximum = value;
    }
  }
  EXPECT_EQ(minimum, -4095);
  EXPECT_EQ(maximum, 4096);
}

struct SeedingCase {
  uint32_t start;
  uint32_t stateAfterSeeding;
  std::vector<uint32_t> draws;
};

TEST(SaverRandom, SeedingAdvancesOnceAndDrawsFollow5xPlus1) {
  const SeedingCase cases[] = {
      {0, 1, {6, 31, 156}},
      {1000, 5001, {25006, 125031, 625156, 3125781, 15628906, 78144531}},
      {0xFFFFFFFFu, 0xFFFFFFFCu, {0xFFFFFFEDu}},
  };
  for (const SeedingCase& c : cases) {
    SCOPED_TRACE(c.start);
    SaverRandom = 0x12345678u;
    SeedRandom(c.start);
    EXPECT_EQ(SaverRandom, c.stateAfterSeeding);
    // After SeedRandom(v) the next draw is 25v + 6.
    EXPECT_EQ(c.draws.front(), c.start * 25u + 6u);
    for (uint32_t draw : c.draws) {
      EXPECT_EQ(NextRandom(), draw);
      EXPECT_EQ(SaverRandom, draw);
    }
  }
}

}  // namespace
