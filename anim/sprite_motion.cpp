#include "anim/sprite_motion.h"

#include "anim/saver_random.h"
#include "anim/sin_cos_table.h"
#include "anim/sprite_field.h"
#include "settings/saver_settings.h"

namespace {

const int32_t HeadingSteps = 512;
const uint32_t HeadingMask = HeadingSteps - 1;
const int FrameCycle = 7;

// Settings come from the registry unchecked, so every sum that may leave the
// 32-bit range is done in unsigned arithmetic and wraps as two's complement.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrappingSubtract(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

int32_t WrappingProduct(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// A limit in whole pixels as a 20.12 coordinate.
int32_t LimitCoordinate(int32_t limit) { return WrappingProduct(limit, 4096); }

// Reduces a heading sum to 0..511; equals the remainder for non-negative sums.
int16_t ReducedHeading(int32_t heading) {
  return static_cast<int16_t>(static_cast<uint32_t>(heading) & HeadingMask);
}

// A random position in 0 .. limit * 4096 - 1 (limit > 0).
int32_t RandomCoordinate(int32_t limit) {
  const uint32_t range = static_cast<uint32_t>(LimitCoordinate(limit));
  const uint32_t draw = NextRandom() & 0x7FFFFFFFu;
  // Only a limit that is a multiple of 2^20 pixels, far beyond any screen,
  // wraps the range to 0.
  return static_cast<int32_t>(range != 0 ? draw % range : 0);
}

void VelocityFromHeading(SpriteState* sprite) {
  const uint32_t entry = (8u * static_cast<uint32_t>(sprite->Angle) - 1024u) & SinCosMask;
  sprite->VelX = WrappingProduct(SinCosTable[entry].Cos, SaverSettings.MoveSpeed);
  sprite->VelY = WrappingProduct(SinCosTable[entry].Sin, SaverSettings.MoveSpeed);
}

void MirrorAtHorizontalEdges(SpriteState* sprite) {
  const int32_t limit = LimitCoordinate(SpriteField.LimitX);
  if (sprite->PosX < 0) {
    sprite->PosX = 0;
    sprite->Angle = static_cast<int16_t>(HeadingSteps - sprite->Angle);
  }
  if (sprite->PosX > limit) {
    sprite->PosX = limit;
    sprite->Angle = static_cast<int16_t>(HeadingSteps - sprite->Angle);
  }
}

void MirrorAtVerticalEdges(SpriteState* sprite) {
  const int32_t limit = LimitCoordinate(SpriteField.LimitY);
  if (sprite->PosY < 0) {
    sprite->PosY = 0;
    sprite->Angle = ReducedHeading(768 - sprite->Angle);
  }
  if (sprite->PosY > limit) {
    sprite->PosY = limit;
    sprite->Angle = ReducedHeading(768 - sprite->Angle);
  }
}

void Turn(SpriteState* sprite) {
  if (sprite->RotTime > 0) {
    sprite->Angle = ReducedHeading(WrappingAdd(sprite->Angle, SaverSettings.RotSpeed));
    sprite->RotTime = static_cast<int16_t>(sprite->RotTime - 1);
  } else {
    sprite->Angle = ReducedHeading(
        WrappingSubtract(sprite->Angle + HeadingSteps, SaverSettings.RotSpeed));
    sprite->RotTime = static_cast<int16_t>(sprite->RotTime + 1);
  }
}

// Draws the next turn: clockwise for RotTimeMin..RotTimeMax ticks, or
// counter-clockwise for RotTimeMin + 1 .. RotTimeMax - 1 ticks.
void StartNewTurn(SpriteState* sprite) {
  const uint32_t draw = NextRandom();
  const uint32_t lowest = static_cast<uint32_t>(SaverSettings.RotTimeMin);
  const uint32_t highest = static_cast<uint32_t>(SaverSettings.RotTimeMax);
  const uint32_t outcomes = 2u * (highest - lowest);
  // No outcomes (equal limits, or 2^31 apart): the counter is RotTimeMin as a
  // 16-bit number. Positive, a clockwise turn of that many steps; negative
  // (32768..65535 too), counter-clockwise; 0 (both limits 0), one step back
  // and one forth, over and over, so the heading only wobbles.
  const uint32_t outcome = lowest + (outcomes != 0 ? draw % outcomes : 0u);
  if (static_cast<int16_t>(outcome) > SaverSettings.RotTimeMax) {
    sprite->RotTime = static_cast<int16_t>(highest - outcome - lowest);
  } else {
    sprite->RotTime = static_cast<int16_t>(outcome);
  }
}

void NextFrame(SpriteState* sprite) {
  sprite->Frame = static_cast<int16_t>((sprite->Frame + 1) % FrameCycle);
}

}  // namespace

void PlaceSprites(int32_t limitX, int32_t limitY) {
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    SpriteState* sprite = &SpriteField.Sprites[index];
    sprite->PosX = limitX > 0 ? RandomCoordinate(limitX) : 0;
    sprite->PosY = limitY > 0 ? RandomCoordinate(limitY) : 0;
    sprite->Angle = static_cast<int16_t>(NextRandom() & HeadingMask);
    sprite->RotTime = static_cast<int16_t>(static_cast<int32_t>(NextRandom() & 2u) - 1);
    sprite->VelX = 0;
    sprite->VelY = 0;
    sprite->Frame = static_cast<int16_t>((NextRandom() & 0x7FFFu) % FrameCycle);
  }
}

void UpdateSprite(int32_t index) {
  SpriteState* sprite = &SpriteField.Sprites[index];
  if (SpriteField.isPreview) {
    // The preview only spins in place, always clockwise, and draws nothing.
    sprite->Angle = ReducedHeading(WrappingAdd(sprite->Angle, SaverSettings.RotSpeed));
    NextFrame(sprite);
    return;
  }
  sprite->PosX = WrappingAdd(sprite->PosX, sprite->VelX);
  sprite->PosY = WrappingAdd(sprite->PosY, sprite->VelY);
  if (SpriteField.LimitX > 0) MirrorAtHorizontalEdges(sprite);
  if (SpriteField.LimitY > 0) MirrorAtVerticalEdges(sprite);
  Turn(sprite);
  if (sprite->RotTime == 0) StartNewTurn(sprite);
  VelocityFromHeading(sprite);
  NextFrame(sprite);
}
