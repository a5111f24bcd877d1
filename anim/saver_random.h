// Platform-free core: the saver's random generator, x <- 5x + 1 modulo 2^32,
// one process-wide word.
#pragma once

#include <cstdint>

extern uint32_t SaverRandom;

uint32_t NextRandom();
void SeedRandom(uint32_t value);
