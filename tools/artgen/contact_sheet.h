// A 24-bit picture of every frame at several rotations, drawn the way the
// saver draws them, for judging the art by eye.
#pragma once

#include "anim/sprite_sheet.h"
#include "tools/artgen/byte_writer.h"

// The BMP file of the sheet's pictures, masked onto black through its
// shared colour table.
Bytes ContactSheetFile(const SpriteSheet& sheet);
