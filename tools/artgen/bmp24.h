// 24-bit BMP files of the pictures drawn for people rather than for the
// saver (the contact sheet, the page's app icons).
#pragma once

#include <vector>

#include "tools/artgen/byte_writer.h"

// bgr holds blue, green and red bytes per pixel, top row first.
Bytes Bmp24File(const std::vector<uint8_t>& bgr, int width, int height);
