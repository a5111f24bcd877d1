// Platform-free core: where and with which picture of the sheet one sprite is
// drawn, the same for the Windows renderer and the X11 composing.
#pragma once

#include <cstdint>

#include "anim/sprite_motion.h"

struct SpritePose {
  int32_t x;  // top-left pixel
  int32_t y;
  int32_t frame;
  int32_t offset;  // of the picture in the frame's image and mask blocks
};

// The pixel place is taken as 16 bits, as the drawing calls' coordinates
// were; the picture is the sheet's rotation Angle >> 4 of the frame shown.
SpritePose PoseOf(const SpriteState& sprite);
