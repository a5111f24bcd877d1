#include "anim/sprite_field.h"

SpriteFieldRecord SpriteField = {};
