// The sine table as this Windows build computes it (x87 arithmetic and the
// runtime's sin and cos on i686) against the native build's, entry by entry.
#include <gtest/gtest.h>

#include <cstdio>

#include "anim/sin_cos_table.h"

namespace {

TEST(SinCosTable, EqualsTheNativeBuildsEntryByEntry) {
  std::FILE* native = std::fopen(NATIVE_SIN_COS_TABLE, "r");
  ASSERT_NE(native, nullptr) << "no " NATIVE_SIN_COS_TABLE " (build the native tree first)";
  int entries = 0;
  int index, sine, cosine;
  while (std::fscanf(native, "%d %d %d", &index, &sine, &cosine) == 3) {
    ASSERT_EQ(index, entries);
    ASSERT_LT(index, SinCosSteps);
    EXPECT_EQ(SinCosTable[index].Sin, sine) << "sin, entry " << index;
    EXPECT_EQ(SinCosTable[index].Cos, cosine) << "cos, entry " << index;
    ++entries;
  }
  std::fclose(native);
  EXPECT_EQ(entries, SinCosSteps);
}

}  // namespace
