// The application icon: the chick at 32 x 32 in 16 and in 256 colours.
#pragma once

#include "tools/artgen/byte_writer.h"

const int IconSide = 32;

// A complete .ico file holding both images, the 16-colour one first.
Bytes ChickIconFile();
