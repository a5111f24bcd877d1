#include "anim/sprite_pose.h"

#include "anim/sprite_sheet.h"

SpritePose PoseOf(const SpriteState& sprite) {
  return SpritePose{static_cast<int16_t>(sprite.PosX >> 12), static_cast<int16_t>(sprite.PosY >> 12),
                    sprite.Frame, (sprite.Angle >> 4) * PictureBytes};
}
