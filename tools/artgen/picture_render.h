// Turns a list of shapes (back to front) into colour indexes.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/shape_field.h"

// The colour index at picture point p: the key colour outside every shape,
// else the topmost shape's outline or shaded tone. `outlineScale` widens the
// outlines for renderings that are shrunk afterwards.
uint8_t ColourAt(const std::vector<Shape>& shapes, Vec2 p, double outlineScale);

const int PictureSide = 112;

// The 112 x 112 picture, top row first.
std::vector<uint8_t> RenderPicture(const std::vector<Shape>& shapes);
