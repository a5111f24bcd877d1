// Placement and one step of the wandering sprites, in normal and preview mode.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "anim/sprite_field.h"
#include "anim/saver_random.h"
#include "anim/sprite_motion.h"
#include "settings/saver_settings.h"

namespace {

// The state after `count` draws from `state`.
uint32_t StateAfterDraws(uint32_t state, int count) {
  for (int i = 0; i < count; ++i) state = state * 5u + 1u;
  return state;
}

// A state whose next draw is exactly `draw` (5 x 0xCCCCCCCD = 1 mod 2^32).
uint32_t StateBeforeDraw(uint32_t draw) { return (draw - 1u) * 0xCCCCCCCDu; }

class SpriteMotion : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSettings = SaverSettings;
    savedField = SpriteField;
        SetDefaultSettings(&SaverSettings);
    SpriteField.isPreview = 0;
    SpriteField.LimitX = 528;
    SpriteField.LimitY = 368;
  }
  void TearDown() override {
    SaverSettings = savedSettings;
    SpriteField = savedField;
  }
  // Makes `count` sprites filled with a pattern that no step writes.
  void UseSprites(int count) {
    sprites.assign(count, SpriteState{0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A,
                                      0x5A5A, 0x5A5A, 0x5A5A});
    SpriteField.Sprites = sprites.data();
    SaverSettings.Number = count;
  }
  // One step of a single sprite; returns how many draws it took.
  int StepOne(SpriteState* sprite) {
    UseSprites(1);
    sprites[0] = *sprite;
    const uint32_t before = SaverRandom;
    UpdateSprite(0);
    *sprite = sprites[0];
    for (int draws = 0; draws < 4; ++draws) {
      if (StateAfterDraws(before, draws) == SaverRandom) return draws;
    }
    return -1;
  }

  std::vector<SpriteState> sprites;
  SaverSettingsRecord savedSettings;
  SpriteFieldRecord savedField;
  int32_t savedPreview;
};

void ExpectSprite(const SpriteState& actual, const SpriteState& expected) {
  EXPECT_EQ(actual.PosX, expected.PosX);
  EXPECT_EQ(actual.PosY, expected.PosY);
  EXPECT_EQ(actual.VelX, expected.VelX);
  EXPECT_EQ(actual.VelY, expected.VelY);
  EXPECT_EQ(actual.Angle, expected.Angle);
  EXPECT_EQ(actual.RotTime, expected.RotTime);
  EXPECT_EQ(actual.Frame, expected.Frame);
}

struct PlacementCase {
  int32_t limitX, limitY;
  SpriteState first, second;
  int drawsEach;
};

TEST_F(SpriteMotion, PlacementDrawsPositionsOnlyForPositiveLimits) {
  const PlacementCase cases[] = {
      // 640 x 480 client area at Zoom 1: pixels (6, 30) and (70, 79).
      {528, 368, {25006, 125031, 0, 0, 4, -1, 6}, {287763, 324704, 0, 0, 481, 1, 2}, 5},
      // An axis without room draws nothing for it; every later draw shifts.
      {0, 368, {0, 25006, 0, 0, 103, -1, 4}, {0, 555626, 0, 0, 19, -1, 4}, 4},
      {-5, 368, {0, 25006, 0, 0, 103, -1, 4}, {0, 555626, 0, 0, 19, -1, 4}, 4},
      {528, 0, {25006, 0, 0, 0, 103, -1, 4}, {490090, 0, 0, 0, 19, -1, 4}, 4},
      {0, 0, {0, 0, 0, 0, 430, 1, 2}, {0, 0, 0, 0, 21, 1, 6}, 3},
      {-112, -1, {0, 0, 0, 0, 430, 1, 2}, {0, 0, 0, 0, 21, 1, 6}, 3},
      // One pixel of room: positions below 4096.
      {1, 1, {430, 2151, 0, 0, 4, -1, 6}, {1043, 1120, 0, 0, 481, 1, 2}, 5},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.limitX << " x " << c.limitY);
    UseSprites(2);
    SeedRandom(1000);
    PlaceSprites(c.limitX, c.limitY);
    ExpectSprite(sprites[0], c.first);
    ExpectSprite(sprites[1], c.second);
    EXPECT_EQ(SaverRandom, StateAfterDraws(5001, 2 * c.drawsEach));
  }
}

// Positions take the draw without its top bit: 0xFFFFFFFF gives
// 0x7FFFFFFF mod 2162688, not 0xFFFFFFFF mod 2162688 (2031615).
TEST_F(SpriteMotion, PlacementDropsTheTopBitOfPositionDraws) {
  UseSprites(1);
  SaverRandom = StateBeforeDraw(0xFFFFFFFFu);
  PlaceSprites(528, 368);
  ExpectSprite(sprites[0], {2097151, 1048572, 0, 0, 493, 1, 1});
}

TEST_F(SpriteMotion, PlacementExampleGivesPixelPositions) {
  UseSprites(2);
  SeedRandom(1000);
  PlaceSprites(528, 368);
  EXPECT_EQ(sprites[0].PosX >> 12, 6);
  EXPECT_EQ(sprites[0].PosY >> 12, 30);
  EXPECT_EQ(sprites[1].PosX >> 12, 70);
  EXPECT_EQ(sprites[1].PosY >> 12, 79);
}

TEST_F(SpriteMotion, PlacementFillsExactlyNumberRecords) {
  UseSprites(3);
  SaverSettings.Number = 2;
  SeedRandom(7);
  PlaceSprites(528, 368);
  EXPECT_EQ(sprites[2].PosX, 0x5A5A5A5A);
  EXPECT_EQ(sprites[2].Frame, 0x5A5A);
  for (int i = 0; i < 2; ++i) {
    EXPECT_GE(sprites[i].Angle, 0);
    EXPECT_LE(sprites[i].Angle, 511);
    EXPECT_TRUE(sprites[i].RotTime == 1 || sprites[i].RotTime == -1);
    EXPECT_GE(sprites[i].Frame, 0);
    EXPECT_LE(sprites[i].Frame, 6);
  }
}

TEST_F(SpriteMotion, StepExampleEndsAtTheDocumentedRecord) {
  SpriteState sprite = {409600, 20580, 15448, -28888, 40, 1, 6};
  SaverRandom = 5001;
  EXPECT_EQ(StepOne(&sprite), 1);
  ExpectSprite(sprite, {425048, 0, 9512, 31360, 232, -30, 0});
}

struct StepCase {
  const char* name;
  int32_t limitX, limitY, moveSpeed, rotSpeed;
  SpriteState start, end;
};

TEST_F(SpriteMotion, StepMovesMirrorsTurnsAndAnimates) {
  const int32_t right = 528 * 4096;
  const int32_t bottom = 368 * 4096;
  const StepCase cases[] = {
      // Heading 400 mirrored to 112 at the left edge, then turned clockwise.
      {"left edge", 528, 368, 8, 16, {1000, 100000, -5000, 0, 400, 5, 0},
       {0, 100000, 32768, 0, 128, 4, 1}},
      {"top edge", 528, 368, 8, 16, {100000, 1000, 0, -5000, 50, 5, 1},
       {100000, 0, 13280, 29960, 222, 4, 2}},
      // 448 becomes 64 horizontally, then 192 vertically.
      {"corner", 528, 368, 8, 16, {1000, 1000, -5000, -5000, 448, 5, 2},
       {0, 0, 18208, 27248, 208, 4, 3}},
      {"corner, counter-clockwise", 528, 368, 8, 16, {1000, 1000, -5000, -5000, 448, -5, 3},
       {0, 0, 27248, 18208, 176, -4, 4}},
      {"right edge", 528, 368, 8, 16, {right - 10, 100000, 20, 0, 100, 5, 4},
       {right, 100000, -28096, -16840, 428, 4, 5}},
      {"bottom edge", 528, 368, 8, 16, {100000, bottom - 10, 0, 20, 200, 5, 5},
       {100000, bottom, 25328, -20776, 72, 4, 6}},
      // The upper bounds are inclusive: landing on them mirrors nothing.
      {"exactly at the right and bottom edges", 528, 368, 8, 0, {right - 10, bottom - 10, 10, 10, 100, 5, 6},
       {right, bottom, 30856, -11032, 100, 4, 0}},
      {"exactly at the left and top edges", 528, 368, 8, 0, {10, 10, -10, -10, 100, 5, 0},
       {0, 0, 30856, -11032, 100, 4, 1}},
      // Without room on an axis nothing is clamped or mirrored there.
      {"no horizontal room", 0, 368, 8, 0, {10, 100000, -20, 0, 384, 5, 0},
       {-10, 100000, -32760, 0, 384, 4, 1}},
      {"no vertical room", 528, -3, 8, 0, {100000, 10, 0, -20, 0, 5, 0},
       {100000, -10, 0, -32760, 0, 4, 1}},
      {"counter-clockwise wraps below 0", 528, 368, 1, 16, {100000, 100000, 0, 0, 10, -3, 0},
       {100000, 100000, -300, -4084, 506, -2, 1}},
      {"clockwise wraps past 511", 528, 368, 1, 16, {100000, 100000, 0, 0, 500, 3, 6},
       {100000, 100000, 201, -4090, 4, 2, 0}},
      {"MoveSpeed 0 turns in place", 528, 368, 0, 16, {100000, 100000, 0, 0, 30, 3, 2},
       {100000, 100000, 0, 0, 46, 2, 3}},
      {"RotSpeed 0 keeps the heading", 528, 368, 2, 0, {100000, 100000, 0, 0, 30, -3, 2},
       {100000, 100000, 2948, -7642, 30, -2, 3}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    SpriteField.LimitX = c.limitX;
    SpriteField.LimitY = c.limitY;
    SaverSettings.MoveSpeed = c.moveSpeed;
    SaverSettings.RotSpeed = c.rotSpeed;
    SpriteState sprite = c.start;
    SaverRandom = 99;
    EXPECT_EQ(StepOne(&sprite), 0);
    ExpectSprite(sprite, c.end);
  }
}

struct HeadingCase {
  int16_t angle;
  int32_t moveSpeed;
  int32_t velX, velY;
};

TEST_F(SpriteMotion, MainHeadingsGiveTheirVelocities) {
  const HeadingCase cases[] = {
      {0, 8, 0, -4095 * 8},   {128, 8, 4096 * 8, 0}, {256, 8, 0, 4096 * 8},
      {384, 8, -4095 * 8, 0}, {0, 1, 0, -4095},      {128, 256, 4096 * 256, 0},
      {256, 0, 0, 0},
  };
  SaverSettings.RotSpeed = 0;
  for (const HeadingCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.angle << " at " << c.moveSpeed);
    SaverSettings.MoveSpeed = c.moveSpeed;
    SpriteState sprite = {1 << 20, 1 << 20, 0, 0, c.angle, 5, 0};
    StepOne(&sprite);
    EXPECT_EQ(sprite.Angle, c.angle);
    EXPECT_EQ(sprite.VelX, c.velX);
    EXPECT_EQ(sprite.VelY, c.velY);
  }
}

TEST_F(SpriteMotion, DefaultSpeedsWalkEightPixelsAndTurnOneRotationPerStep) {
  SpriteState sprite = {200 << 12, 200 << 12, 0, 0, 128, 10, 0};
  StepOne(&sprite);  // sets the velocity for the next step
  EXPECT_EQ(sprite.Angle, 144);
  const int32_t x = sprite.PosX;
  const int32_t velX = sprite.VelX;
  StepOne(&sprite);
  EXPECT_EQ(sprite.PosX - x, velX);
  EXPECT_EQ(sprite.Angle >> 4, 10);
  SpriteState straight = {200 << 12, 200 << 12, 0, 0, 128, 10, 0};
  SaverSettings.RotSpeed = 0;
  StepOne(&straight);
  StepOne(&straight);
  EXPECT_EQ((straight.PosX >> 12) - 200, 8);
}

struct TurnCase {
  int32_t rotTimeMin, rotTimeMax;
  uint32_t draw;
  int16_t rotTime;
};

TEST_F(SpriteMotion, EndedTurnDrawsTheNextDuration) {
  const TurnCase cases[] = {
      {16, 48, 25006, -30}, {16, 48, 0, 16},   {16, 48, 32, 48},  {16, 48, 33, -17},
      {16, 48, 63, -47},    {16, 48, 64, 16},  {0, 1, 0, 0},      {0, 1, 1, 1},
      {0, 1, 2, 0},         {998, 999, 1, 999}, {998, 999, 0xFFFFFFFEu, 998},
      // RotTimeMax below RotTimeMin: the rule still holds in 32-bit arithmetic.
      {5, 3, 10, -17},
      // No outcomes to choose from: one draw all the same, remainder 0.
      {16, 16, 12345, 16},  {0, 0, 12345, 0},  {999, 999, 7, 999},
      {INT32_MIN, 0, 7, 0}, {0, INT32_MIN, 7, 0}, {1, INT32_MIN + 1, 7, -1},
      {-(1 << 30), 1 << 30, 7, 0},
  };
  SaverSettings.RotSpeed = 0;
  for (const TurnCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rotTimeMin << ".." << c.rotTimeMax << " draw " << c.draw);
    SaverSettings.RotTimeMin = c.rotTimeMin;
    SaverSettings.RotTimeMax = c.rotTimeMax;
    SpriteState sprite = {100000, 100000, 0, 0, 0, 1, 0};
    SaverRandom = StateBeforeDraw(c.draw);
    EXPECT_EQ(StepOne(&sprite), 1);
    EXPECT_EQ(SaverRandom, c.draw);
    EXPECT_EQ(sprite.RotTime, c.rotTime);
  }
}

TEST_F(SpriteMotion, DefaultDurationsAreClockwise33TimesIn64) {
  int clockwise = 0;
  int counterClockwise = 0;
  for (uint32_t remainder = 0; remainder < 64; ++remainder) {
    SpriteState sprite = {100000, 100000, 0, 0, 0, -1, 0};
    SaverRandom = StateBeforeDraw(remainder + 64u * 1234u);
    StepOne(&sprite);
    if (sprite.RotTime >= 16 && sprite.RotTime <= 48) {
      ++clockwise;
    } else if (sprite.RotTime <= -17 && sprite.RotTime >= -47) {
      ++counterClockwise;
    } else {
      ADD_FAILURE() << "RotTime " << sprite.RotTime << " for remainder " << remainder;
    }
  }
  EXPECT_EQ(clockwise, 33);
  EXPECT_EQ(counterClockwise, 31);
}

TEST_F(SpriteMotion, ZeroTurnCounterTurnsCounterClockwiseThenClockwise) {
  SaverSettings.RotTimeMin = 0;
  SpriteState sprite = {100000, 100000, 0, 0, 100, 0, 0};
  EXPECT_EQ(StepOne(&sprite), 0);
  EXPECT_EQ(sprite.Angle, 84);
  EXPECT_EQ(sprite.RotTime, 1);
  EXPECT_EQ(StepOne(&sprite), 1);
  EXPECT_EQ(sprite.Angle, 100);
}

TEST_F(SpriteMotion, StepDrawsOnlyForSpritesWhoseTurnEnds) {
  UseSprites(4);
  const int16_t turns[] = {1, 2, -1, 5};
  for (int i = 0; i < 4; ++i) sprites[i] = {100000, 100000, 0, 0, 0, turns[i], 0};
  SaverRandom = 5001;
  for (int i = 0; i < 4; ++i) UpdateSprite(i);
  // Sprite 0 takes 25006 (-30), sprite 2 takes 125031 (remainder 39: -23).
  EXPECT_EQ(SaverRandom, 125031u);
  EXPECT_EQ(sprites[0].RotTime, -30);
  EXPECT_EQ(sprites[1].RotTime, 1);
  EXPECT_EQ(sprites[2].RotTime, -23);
  EXPECT_EQ(sprites[3].RotTime, 4);
}

TEST_F(SpriteMotion, PreviewSpinsClockwiseInPlaceAndDrawsNothing) {
  SpriteField.isPreview = 1;
  for (int16_t rotTime : {int16_t{-1}, int16_t{1}, int16_t{0}}) {
    SCOPED_TRACE(rotTime);
    UseSprites(1);
    sprites[0] = {-5000, 7000, 1234, -4321, 500, rotTime, 5};
    SaverRandom = 42;
    for (int step = 1; step <= 64; ++step) {
      UpdateSprite(0);
      EXPECT_EQ(sprites[0].Angle, (500 + 16 * step) % 512);
      EXPECT_EQ(sprites[0].Frame, (5 + step) % 7);
    }
    EXPECT_EQ(sprites[0].PosX, -5000);
    EXPECT_EQ(sprites[0].PosY, 7000);
    EXPECT_EQ(sprites[0].VelX, 1234);
    EXPECT_EQ(sprites[0].VelY, -4321);
    EXPECT_EQ(sprites[0].RotTime, rotTime);
    EXPECT_EQ(SaverRandom, 42u);
  }
}

// Settings from the registry are unchecked: extreme values wrap, never fault,
// and heading and frame stay in range.
TEST_F(SpriteMotion, ExtremeSettingsStayInRange) {
  const SaverSettingsRecord cases[] = {
      {1, 1, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX},
      {1, 1, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN},
      {1, 1, -1, -1, -1, -1},
      {1, 1, 1 << 20, 1 << 30, 0, 0},
  };
  for (const SaverSettingsRecord& settings : cases) {
    SCOPED_TRACE(settings.MoveSpeed);
    for (int32_t preview : {0, 1}) {
      SpriteField.isPreview = preview;
      SaverSettings = settings;
      UseSprites(1);
      sprites[0] = {INT32_MAX - 5, INT32_MIN + 5, 0, 0, 0, 1, 0};
      SpriteField.LimitX = INT32_MAX;
      SpriteField.LimitY = 1 << 19;
      for (int step = 0; step < 50; ++step) {
        UpdateSprite(0);
        ASSERT_GE(sprites[0].Angle, 0);
        ASSERT_LE(sprites[0].Angle, 511);
        ASSERT_GE(sprites[0].Frame, 0);
        ASSERT_LE(sprites[0].Frame, 6);
      }
    }
    SaverSettings = settings;
    SaverSettings.Number = 3;
    UseSprites(3);
    SeedRandom(3);
    PlaceSprites(1 << 20, INT32_MAX);
    PlaceSprites(INT32_MIN, 1 << 19);
  }
}

}  // namespace
