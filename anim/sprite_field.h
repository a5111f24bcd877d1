// Platform-free core: the animation's state apart from the platform's, the
// sheet, the sprites and the field they move in. Filled when an animation
// starts and released when it ends, by the Windows module, the X11 program
// and the page alike.
#pragma once

#include <cstdint>

#include "anim/sprite_motion.h"
#include "anim/sprite_sheet.h"

struct SpriteFieldRecord {
  SpriteSheet Sheet;
  SpriteState* Sprites;
  int32_t LimitX;  // the largest top-left pixel a sprite reaches
  int32_t LimitY;
  int32_t isPreview;  // the sprites spin in place, as in the small preview
};

extern SpriteFieldRecord SpriteField;
