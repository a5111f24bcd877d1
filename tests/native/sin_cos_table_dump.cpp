// Writes the sine table as this build computes it, one "index sin cos" line
// per entry, for the Windows builds' tests to compare theirs with.
#include <cstdio>

#include "anim/sin_cos_table.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sin_cos_table_dump OUTPUT_FILE\n");
    return 2;
  }
  std::FILE* output = std::fopen(argv[1], "w");
  if (output == nullptr) {
    return 1;
  }
  for (int k = 0; k < SinCosSteps; ++k) {
    std::fprintf(output, "%d %d %d\n", k, SinCosTable[k].Sin, SinCosTable[k].Cos);
  }
  return std::fclose(output) == 0 ? 0 : 1;
}
