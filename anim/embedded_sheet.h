// Platform-free core: the sprite sheet built from the frames the program
// carries.
#pragma once

#include "anim/sprite_sheet.h"

// As the module does from its resources: null on success, otherwise the
// code-page-932 failure text; ReleaseSpriteSheet frees what was made.
const char* BuildEmbeddedSpriteSheet(SpriteSheet* sheet);
