// Platform-free core: fixed-point sine and cosine, 4096 steps per turn,
// scaled by 4096.
#pragma once

#include <cstdint>

struct SinCos {
  int16_t Sin;
  int16_t Cos;
};

const int SinCosSteps = 4096;
const int SinCosMask = SinCosSteps - 1;

// Entry k holds trunc(4096 * sin(2 pi k / 4096) + 0.5) and the same for cos;
// filled before main() runs, and only this file's code can write it.
extern const SinCos (&SinCosTable)[SinCosSteps];
