#include "tools/artgen/app_icon.h"

#include <vector>

#include "tools/artgen/art_palette.h"
#include "tools/artgen/bmp24.h"
#include "tools/artgen/chick_pose.h"
#include "tools/artgen/picture_render.h"

namespace {

const int Samples = 4;
// The figure fills the middle of the icon, as launchers expect of an app's.
const double Margin = 0.08;

}  // namespace

Bytes AppIconFile(int side) {
  const std::vector<Shape> pose = BuildChickPose(0);
  ArtColour table[PaletteSize];
  FrameColourTable(0, table);
  const double unit = PictureSide / (side * (1.0 - 2 * Margin));  // picture units a pixel
  const double origin = -Margin * side * unit;
  std::vector<uint8_t> bgr(3 * side * side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      int sum[3] = {};
      for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
          const Vec2 p{origin + (x + (sx + 0.5) / Samples) * unit, origin + (y + (sy + 0.5) / Samples) * unit};
          const uint8_t index = ColourAt(pose, p, 1.0);
          if (index == KeyColour) continue;  // black
          sum[0] += table[index].blue;
          sum[1] += table[index].green;
          sum[2] += table[index].red;
        }
      }
      for (int k = 0; k < 3; ++k) bgr[3 * (y * side + x) + k] = static_cast<uint8_t>(sum[k] / (Samples * Samples));
    }
  }
  return Bmp24File(bgr, side, side);
}
