// Reads a screenshot as a binary PPM (P6, 8 bits per channel) and reports
// what a person would see: how many pixels are not black, how many show the
// sprites' key colour (48, 128, 40), and the separate groups of non-black
// pixels with their bounding boxes. The screen is cut into 4 x 4 cells and
// lit cells up to one cell apart join, so one character with a little black
// between its parts stays one group.
//
//   screen_regions [FILE]     (standard input without FILE)
//   -> nonblack=N key=N regions=K
//      region X0 Y0 X1 Y1 PIXELS      (X1, Y1 exclusive), K lines
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int CellSize = 4;

struct Region {
  int x0, y0, x1, y1;
  long pixels;
};

bool ReadNumber(FILE* file, int* value) {
  int c = std::fgetc(file);
  while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '#') {
    if (c == '#') {
      while (c != '\n' && c != EOF) c = std::fgetc(file);
    }
    c = std::fgetc(file);
  }
  if (c < '0' || c > '9') return false;
  *value = 0;
  while (c >= '0' && c <= '9') {
    *value = *value * 10 + (c - '0');
    c = std::fgetc(file);
  }
  return true;  // the one blank after the number is consumed
}

}  // namespace

int main(int argc, char** argv) {
  FILE* file = argc > 1 ? std::fopen(argv[1], "rb") : stdin;
  int width = 0, height = 0, maximum = 0;
  if (file == nullptr || std::fgetc(file) != 'P' || std::fgetc(file) != '6' ||
      !ReadNumber(file, &width) || !ReadNumber(file, &height) || !ReadNumber(file, &maximum) ||
      maximum != 255 || width <= 0 || height <= 0) {
    std::fprintf(stderr, "screen_regions: not a binary 8-bit PPM\n");
    return 2;
  }
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  if (std::fread(rgb.data(), 1, rgb.size(), file) != rgb.size()) {
    std::fprintf(stderr, "screen_regions: short pixel data\n");
    return 2;
  }
  const int cellsX = (width + CellSize - 1) / CellSize, cellsY = (height + CellSize - 1) / CellSize;
  std::vector<long> cellPixels(static_cast<size_t>(cellsX) * cellsY, 0);
  long nonBlack = 0, key = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (p[0] == 48 && p[1] == 128 && p[2] == 40) ++key;
      if (p[0] | p[1] | p[2]) {
        ++nonBlack;
        ++cellPixels[(y / CellSize) * cellsX + x / CellSize];
      }
    }
  }
  // Groups of lit cells, 8-connected, with a one-cell gap bridged.
  std::vector<int> label(cellPixels.size(), -1);
  std::vector<Region> regions;
  std::vector<int> stack;
  for (int start = 0; start < static_cast<int>(cellPixels.size()); ++start) {
    if (cellPixels[start] == 0 || label[start] >= 0) continue;
    Region region = {width, height, 0, 0, 0};
    label[start] = static_cast<int>(regions.size());
    stack.push_back(start);
    while (!stack.empty()) {
      const int cell = stack.back();
      stack.pop_back();
      const int cx = cell % cellsX, cy = cell / cellsX;
      region.pixels += cellPixels[cell];
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const int nx = cx + dx, ny = cy + dy;
          if (nx < 0 || ny < 0 || nx >= cellsX || ny >= cellsY) continue;
          const int next = ny * cellsX + nx;
          if (cellPixels[next] == 0 || label[next] >= 0) continue;
          label[next] = label[start];
          stack.push_back(next);
        }
      }
    }
    regions.push_back(region);
  }
  // Exact pixel bounds of each group.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (!(p[0] | p[1] | p[2])) continue;
      Region& region = regions[label[(y / CellSize) * cellsX + x / CellSize]];
      if (x < region.x0) region.x0 = x;
      if (y < region.y0) region.y0 = y;
      if (x + 1 > region.x1) region.x1 = x + 1;
      if (y + 1 > region.y1) region.y1 = y + 1;
    }
  }
  std::printf("nonblack=%ld key=%ld regions=%zu\n", nonBlack, key, regions.size());
  for (const Region& region : regions) {
    std::printf("region %d %d %d %d %ld\n", region.x0, region.y0, region.x1, region.y1,
                region.pixels);
  }
  return 0;
}
