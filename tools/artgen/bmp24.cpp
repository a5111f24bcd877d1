#include "tools/artgen/bmp24.h"

Bytes Bmp24File(const std::vector<uint8_t>& bgr, int width, int height) {
  const int rowBytes = (3 * width + 3) & ~3;
  Bytes out;
  PutU8(&out, 'B');
  PutU8(&out, 'M');
  PutU32(&out, 54 + rowBytes * height);
  PutU32(&out, 0);
  PutU32(&out, 54);
  PutU32(&out, 40);
  PutU32(&out, width);
  PutU32(&out, height);
  PutU16(&out, 1);
  PutU16(&out, 24);
  PutU32(&out, 0);
  PutU32(&out, rowBytes * height);
  PutU32(&out, 2835);  // 72 dots per inch
  PutU32(&out, 2835);
  PutU32(&out, 0);
  PutU32(&out, 0);
  for (int y = height - 1; y >= 0; --y) {
    out.insert(out.end(), bgr.begin() + 3 * y * width, bgr.begin() + 3 * (y + 1) * width);
    out.resize(out.size() + rowBytes - 3 * width, 0);
  }
  return out;
}
