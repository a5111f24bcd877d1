// The page's app icons: the chick's first frame, whole, on black, drawn at
// the icon's own size from the same shapes as the frames (not enlarged
// from them), four by four samples a pixel.
#pragma once

#include "tools/artgen/byte_writer.h"

// A 24-bit BMP file, side x side pixels.
Bytes AppIconFile(int side);
