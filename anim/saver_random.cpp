#include "anim/saver_random.h"

uint32_t SaverRandom = 0;

uint32_t NextRandom() {
  SaverRandom = SaverRandom * 5u + 1u;
  return SaverRandom;
}

void SeedRandom(uint32_t value) {
  SaverRandom = value;
  NextRandom();
}
