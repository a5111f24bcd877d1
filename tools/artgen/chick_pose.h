// Penny the chick, seen from above and in front with her beak toward the top
// of the picture, the way she walks: the shapes of one moment of her waddle,
// back to front.
#pragma once

#include <vector>

#include "tools/artgen/shape_field.h"

const int PoseCount = 7;

// The shapes of pose `frame` (0 to 6); the seven poses form one loop.
std::vector<Shape> BuildChickPose(int frame);
