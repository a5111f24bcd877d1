// The dialog's OK bounding and the run-time bounding, as tables of raw inputs
// and the settings they must yield.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "settings/settings_bounds.h"

namespace {

struct Six {
  int32_t Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax;
};

void ExpectSettings(const SaverSettingsRecord& actual, const Six& expected) {
  EXPECT_EQ(actual.Zoom, expected.Zoom) << "Zoom";
  EXPECT_EQ(actual.Number, expected.Number) << "Number";
  EXPECT_EQ(actual.MoveSpeed, expected.MoveSpeed) << "MoveSpeed";
  EXPECT_EQ(actual.RotSpeed, expected.RotSpeed) << "RotSpeed";
  EXPECT_EQ(actual.RotTimeMin, expected.RotTimeMin) << "RotTimeMin";
  EXPECT_EQ(actual.RotTimeMax, expected.RotTimeMax) << "RotTimeMax";
}

// Whatever the record held before must not leak into the result.
SaverSettingsRecord Scribbled() {
  return SaverSettingsRecord{77, 77, 77, 77, 77, 77};
}

struct OkCase {
  const char* name;
  ConfiguredFieldValues fields;  // radio state, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax
  Six expected;
};

const uint32_t Checked = 1, Clear = 0, Indeterminate = 2;

const OkCase OkCases[] = {
    {"defaults pass unchanged", {Checked, 4, 8, 16, 16, 48}, {1, 4, 8, 16, 16, 48}},
    {"standard radio clear gives double", {Clear, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"only exactly checked gives standard", {Indeterminate, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"empty number becomes 1", {Checked, 0, 8, 16, 16, 48}, {1, 1, 8, 16, 16, 48}},
    {"number 1 stays", {Checked, 1, 8, 16, 16, 48}, {1, 1, 8, 16, 16, 48}},
    {"number 256 stays", {Checked, 256, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"number 257 capped", {Checked, 257, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"number 300 capped", {Checked, 300, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"number 1000 capped", {Checked, 1000, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"number 2147483647 capped", {Checked, 0x7FFFFFFFu, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"number 2147483648 reads negative, becomes 1", {Checked, 0x80000000u, 8, 16, 16, 48}, {1, 1, 8, 16, 16, 48}},
    {"number 4294967295 reads -1, becomes 1", {Checked, 0xFFFFFFFFu, 8, 16, 16, 48}, {1, 1, 8, 16, 16, 48}},
    {"letters in movement read 0", {Checked, 4, 0, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"movement 256 stays", {Checked, 4, 256, 16, 16, 48}, {1, 4, 256, 16, 16, 48}},
    {"movement 257 capped", {Checked, 4, 257, 16, 16, 48}, {1, 4, 256, 16, 16, 48}},
    {"movement 2147483648 raised to 0", {Checked, 4, 0x80000000u, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"movement 4294967294 raised to 0", {Checked, 4, 0xFFFFFFFEu, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"movement 4294967295 raised to 0", {Checked, 4, 0xFFFFFFFFu, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"rotation 64 stays", {Checked, 4, 8, 64, 16, 48}, {1, 4, 8, 64, 16, 48}},
    {"rotation 65 capped", {Checked, 4, 8, 65, 16, 48}, {1, 4, 8, 64, 16, 48}},
    {"rotation 100 capped", {Checked, 4, 8, 100, 16, 48}, {1, 4, 8, 64, 16, 48}},
    {"rotation -5 raised to 0", {Checked, 4, 8, 0xFFFFFFFBu, 16, 48}, {1, 4, 8, 0, 16, 48}},
    {"rotation 0 stays", {Checked, 4, 8, 0, 16, 48}, {1, 4, 8, 0, 16, 48}},
    {"minimum 5000 capped, room left for the maximum", {Checked, 4, 8, 16, 5000, 48}, {1, 4, 8, 16, 998, 999}},
    {"minimum 999 leaves room for the maximum", {Checked, 4, 8, 16, 999, 999}, {1, 4, 8, 16, 998, 999}},
    {"minimum 1000 leaves room for the maximum", {Checked, 4, 8, 16, 1000, 5}, {1, 4, 8, 16, 998, 999}},
    {"minimum 998 maximum 999 stay", {Checked, 4, 8, 16, 998, 999}, {1, 4, 8, 16, 998, 999}},
    {"minimum 998 maximum 0 raised", {Checked, 4, 8, 16, 998, 0}, {1, 4, 8, 16, 998, 999}},
    {"minimum 20 maximum 10 raised to 21", {Checked, 4, 8, 16, 20, 10}, {1, 4, 8, 16, 20, 21}},
    {"minimum 20 maximum 20 raised to 21", {Checked, 4, 8, 16, 20, 20}, {1, 4, 8, 16, 20, 21}},
    {"minimum 20 maximum 21 stay", {Checked, 4, 8, 16, 20, 21}, {1, 4, 8, 16, 20, 21}},
    {"minimum 0 maximum 0 raised to 1", {Checked, 4, 8, 16, 0, 0}, {1, 4, 8, 16, 0, 1}},
    {"minimum 500 maximum 2000 capped", {Checked, 4, 8, 16, 500, 2000}, {1, 4, 8, 16, 500, 999}},
    {"maximum 1000 capped", {Checked, 4, 8, 16, 16, 1000}, {1, 4, 8, 16, 16, 999}},
    {"maximum 2147483647 capped", {Checked, 4, 8, 16, 16, 0x7FFFFFFFu}, {1, 4, 8, 16, 16, 999}},
    {"maximum 2147483648 reads negative, raised", {Checked, 4, 8, 16, 16, 0x80000000u}, {1, 4, 8, 16, 16, 17}},
    {"minimum 2147483648 raised to 0", {Checked, 4, 8, 16, 0x80000000u, 10}, {1, 4, 8, 16, 0, 10}},
    {"minimum 2147483648 maximum 2147483647", {Checked, 4, 8, 16, 0x80000000u, 0x7FFFFFFFu}, {1, 4, 8, 16, 0, 999}},
    {"minimum 4294967295 maximum 0", {Checked, 4, 8, 16, 0xFFFFFFFFu, 0}, {1, 4, 8, 16, 0, 1}},
    {"everything huge", {Checked, 0xFFFFFFFEu, 0x7FFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFFFu}, {1, 1, 256, 64, 998, 999}},
    {"everything empty", {Clear, 0, 0, 0, 0, 0}, {2, 1, 0, 0, 0, 1}},
};

TEST(ConfiguredSettingsBounds, OkStepsGiveTheTable) {
  for (const OkCase& row : OkCases) {
    SCOPED_TRACE(row.name);
    SaverSettingsRecord settings = Scribbled();
    BoundConfiguredSettings(row.fields, &settings);
    ExpectSettings(settings, row.expected);
  }
}

// Over every pairing of awkward field readings, what OK saves is inside the
// ranges and leaves a turn span of 1 to 999 (never 0, never 2^31).
TEST(ConfiguredSettingsBounds, EveryReadingPairGivesAUsableTurnSpan) {
  const std::vector<uint32_t> readings = {0u,    1u,    2u,     20u,         500u,        997u,
                                          998u,  999u,  1000u,  5000u,       0x7FFFFFFEu, 0x7FFFFFFFu,
                                          0x80000000u, 0x80000001u, 0xFFFFFFFEu, 0xFFFFFFFFu};
  for (uint32_t shortest : readings) {
    for (uint32_t longest : readings) {
      SCOPED_TRACE(testing::Message() << "minimum " << shortest << ", maximum " << longest);
      SaverSettingsRecord settings = Scribbled();
      BoundConfiguredSettings({Checked, shortest, shortest, shortest, shortest, longest}, &settings);
      EXPECT_GE(settings.Number, 1);
      EXPECT_LE(settings.Number, 256);
      EXPECT_GE(settings.MoveSpeed, 0);
      EXPECT_LE(settings.MoveSpeed, 256);
      EXPECT_GE(settings.RotSpeed, 0);
      EXPECT_LE(settings.RotSpeed, 64);
      EXPECT_GE(settings.RotTimeMin, 0);
      EXPECT_LE(settings.RotTimeMax, 999);
      const int64_t span = int64_t{settings.RotTimeMax} - settings.RotTimeMin;
      EXPECT_GE(span, 1);
      EXPECT_LE(span, 999);
    }
  }
}

struct RunCase {
  const char* name;
  Six stored;
  Six expected;
};

const RunCase RunCases[] = {
    {"defaults unchanged", {1, 4, 8, 16, 16, 48}, {1, 4, 8, 16, 16, 48}},
    {"every range end unchanged", {2, 256, 256, 64, 999, 999}, {2, 256, 256, 64, 999, 999}},
    {"lower ends unchanged", {1, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 1}},
    {"no sprites stays no sprites", {1, 0, 8, 16, 16, 48}, {1, 0, 8, 16, 16, 48}},
    {"negative count becomes 0", {1, -1, 8, 16, 16, 48}, {1, 0, 8, 16, 16, 48}},
    {"most negative count becomes 0", {1, INT32_MIN, 8, 16, 16, 48}, {1, 0, 8, 16, 16, 48}},
    {"count 257 capped", {1, 257, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"count 1000 capped", {1, 1000, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"largest count capped", {1, INT32_MAX, 8, 16, 16, 48}, {1, 256, 8, 16, 16, 48}},
    {"zoom 0 becomes 2", {0, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"zoom 3 becomes 2", {3, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"zoom -1 becomes 2", {-1, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"largest zoom becomes 2", {INT32_MAX, 4, 8, 16, 16, 48}, {2, 4, 8, 16, 16, 48}},
    {"negative movement becomes 0", {1, 4, -1, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"movement 257 capped", {1, 4, 257, 16, 16, 48}, {1, 4, 256, 16, 16, 48}},
    {"largest movement capped", {1, 4, INT32_MAX, 16, 16, 48}, {1, 4, 256, 16, 16, 48}},
    {"most negative movement becomes 0", {1, 4, INT32_MIN, 16, 16, 48}, {1, 4, 0, 16, 16, 48}},
    {"negative rotation becomes 0", {1, 4, 8, -7, 16, 48}, {1, 4, 8, 0, 16, 48}},
    {"rotation 65 capped", {1, 4, 8, 65, 16, 48}, {1, 4, 8, 64, 16, 48}},
    {"largest rotation capped", {1, 4, 8, INT32_MAX, 16, 48}, {1, 4, 8, 64, 16, 48}},
    {"equal turn times left alone", {1, 4, 8, 16, 50, 50}, {1, 4, 8, 16, 50, 50}},
    {"reversed turn times left alone", {1, 4, 8, 16, 100, 10}, {1, 4, 8, 16, 100, 10}},
    {"extreme turn times left alone", {1, 4, 8, 16, INT32_MIN, INT32_MAX}, {1, 4, 8, 16, INT32_MIN, INT32_MAX}},
    {"everything out at once", {5, -3, 300, 99, -1, -2}, {2, 0, 256, 64, -1, -2}},
};

TEST(RunSettingsBounds, StoredValuesAreForcedIntoReach) {
  for (const RunCase& row : RunCases) {
    SCOPED_TRACE(row.name);
    SaverSettingsRecord settings{row.stored.Zoom,     row.stored.Number,     row.stored.MoveSpeed,
                                 row.stored.RotSpeed, row.stored.RotTimeMin, row.stored.RotTimeMax};
    BoundSettingsForRun(&settings);
    ExpectSettings(settings, row.expected);
  }
}

}  // namespace
