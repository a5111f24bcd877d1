// The characters in a window of any size: which settings run (the preview's
// below two characters' width or height), where the motion's limits lie,
// and where the field starts in a window smaller than a character.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "anim/heap_block.h"
#include "anim/saver_random.h"
#include "anim/sprite_field.h"
#include "anim/window_field.h"
#include "settings/saver_settings.h"

namespace {

struct FieldRow {
  const char* name;
  int32_t zoom, previewAsked, width, height;
  // Expected: the settings that run, the limits and the field's origin.
  int32_t isPreview, number, runZoom, limitX, limitY, originX, originY;
};

// Given Number 64 at the row's zoom.
const FieldRow FieldRows[] = {
    {"large window", 1, 0, 800, 600, 0, 64, 1, 688, 488, 0, 0},
    {"zoom 2 fits one square exactly", 2, 0, 224, 224, 0, 64, 2, 1, 1, 0, 0},
    {"one pixel narrower than two characters", 2, 0, 223, 600, 1, 1, 1, 111, 488, 0, 0},
    {"the display settings' preview box", 1, 0, 152, 112, 1, 1, 1, 40, 1, 0, 0},
    {"smaller than a character: its middle shows", 1, 0, 40, 30, 1, 1, 1, 1, 1, -36, -41},
    {"the preview asked for in a large window", 1, 1, 800, 600, 1, 1, 1, 688, 488, 0, 0},
};

class FieldInWindow : public ::testing::TestWithParam<FieldRow> {
 protected:
  void TearDown() override {
    EndWindowField();
    SpriteField = SpriteFieldRecord{};
  }
  static SaverSettingsRecord Given(int32_t zoom) {
    SaverSettingsRecord given;
    SetDefaultSettings(&given);
    given.Zoom = zoom;
    given.Number = 64;
    return given;
  }
};

TEST_P(FieldInWindow, SettingsLimitsAndOriginFollowTheSize) {
  const FieldRow& row = GetParam();
  SeedRandom(1);
  ASSERT_EQ(StartWindowField(Given(row.zoom), row.previewAsked, row.width, row.height), nullptr);
  EXPECT_EQ(SpriteField.isPreview, row.isPreview);
  EXPECT_EQ(SaverSettings.Number, row.number);
  EXPECT_EQ(SaverSettings.Zoom, row.runZoom);
  EXPECT_EQ(SpriteField.LimitX, row.limitX);
  EXPECT_EQ(SpriteField.LimitY, row.limitY);
  EXPECT_EQ(WindowField.OriginX, row.originX);
  EXPECT_EQ(WindowField.OriginY, row.originY);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FieldInWindow, ::testing::ValuesIn(FieldRows),
                         [](const ::testing::TestParamInfo<FieldRow>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

// Crossing the preview line either way switches the settings and places the
// characters anew, without a heap block; a size on the same side does not.
TEST_F(FieldInWindow, CrossingThePreviewLineSwitchesWithoutAllocating) {
  SeedRandom(1);
  ASSERT_EQ(StartWindowField(Given(1), 0, 200, 150), nullptr);
  const uint32_t calls = HeapCounters.calls;
  struct Move {
    int32_t width, height;
    bool crossed;
    int32_t number;
  };
  const Move moves[] = {{640, 480, true, 64}, {700, 500, false, 64}, {200, 150, true, 1}, {150, 100, false, 1}};
  for (const Move& move : moves) {
    EXPECT_EQ(FollowWindowFieldSize(move.width, move.height), move.crossed) << move.width;
    EXPECT_EQ(SaverSettings.Number, move.number) << move.width;
    EXPECT_EQ(SpriteField.LimitX, move.width - 112) << move.width;
  }
  EXPECT_EQ(HeapCounters.calls, calls);
}

}  // namespace
