// Platform-free core: the motion model, placement of the sprites and one step
// of one sprite.
#pragma once

#include <cstdint>

struct SpriteState {
  int32_t PosX;  // 20.12 fixed point, top-left corner, client pixels
  int32_t PosY;
  int32_t VelX;  // displacement per step, 20.12
  int32_t VelY;
  int16_t Angle;    // 512ths of a turn, 0 = up, clockwise
  int16_t RotTime;  // > 0: ticks of clockwise turning left, < 0: counter-clockwise
  int16_t Frame;    // 0..6
};

// Fills SpriteField.Sprites[0 .. SaverSettings.Number - 1].
void PlaceSprites(int32_t limitX, int32_t limitY);
// One step of SpriteField.Sprites[index], against SpriteField.LimitX/LimitY.
void UpdateSprite(int32_t index);
