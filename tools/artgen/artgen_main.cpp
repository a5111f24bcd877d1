// artgen OUTDIR: draws the chick's seven frame bitmaps, the application icon
// and the page's app icons at 192 and 512 pixels
// (tools/artgen/contact_sheet_main.cpp shows the frames as the saver does).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/artgen/app_icon.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/chick_pose.h"
#include "tools/artgen/frame_bitmap.h"
#include "tools/artgen/icon_file.h"
#include "tools/artgen/picture_render.h"

namespace {

// Every painted pixel lies this close to the picture's centre, so that no
// rotation of the sheet cuts the figure off.
const double FigureRadius = 54.0;

int CountPixelsOutsideCircle(const std::vector<uint8_t>& picture) {
  int outside = 0;
  for (int y = 0; y < PictureSide; ++y)
    for (int x = 0; x < PictureSide; ++x)
      if (picture[y * PictureSide + x] != KeyColour &&
          std::hypot(x + 0.5 - 56, y + 0.5 - 56) > FigureRadius)
        ++outside;
  return outside;
}

bool Write(const std::string& path, const Bytes& bytes) {
  if (WriteWholeFile(path, bytes)) return true;
  std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];

  for (int f = 0; f < PoseCount; ++f) {
    std::vector<uint8_t> picture = RenderPicture(BuildChickPose(f));
    if (int outside = CountPixelsOutsideCircle(picture)) {
      std::fprintf(stderr, "artgen: frame %d paints %d pixels outside the circle\n", f, outside);
      return 1;
    }
    Bytes file = FrameBitmapFile(f, picture);
    if (!Write(dir + "/" + std::to_string(200 + f) + ".bmp", file)) return 1;
  }
  if (!Write(dir + "/pennydance.ico", ChickIconFile())) return 1;
  for (int side : {192, 512}) {
    if (!Write(dir + "/icon-" + std::to_string(side) + ".bmp", AppIconFile(side))) return 1;
  }
  return 0;
}
