#include "anim/sin_cos_table.h"

#include <cmath>

namespace {

SinCos FilledTable[SinCosSteps];

const double Pi = 3.14159265358979323846;

// Adding 0.5 before truncating toward zero rounds positive values to the
// nearest integer but pulls negative ones up, so the range is -4095..4096.
int16_t ToFixedPoint(double value) {
  return static_cast<int16_t>(std::trunc(4096.0 * value + 0.5));
}

// Every value is at least 0.0005 away from a rounding boundary, so any
// double-precision sin/cos gives the same table.
struct SinCosTableFiller {
  SinCosTableFiller() {
    for (int k = 0; k < SinCosSteps; ++k) {
      const double turn = 2.0 * Pi * k / SinCosSteps;
      FilledTable[k].Sin = ToFixedPoint(std::sin(turn));
      FilledTable[k].Cos = ToFixedPoint(std::cos(turn));
    }
  }
};

const SinCosTableFiller fillSinCosTable;

}  // namespace

const SinCos (&SinCosTable)[SinCosSteps] = FilledTable;
