#include "tools/artgen/icon_file.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artgen/art_palette.h"
#include "tools/artgen/chick_pose.h"
#include "tools/artgen/picture_render.h"

namespace {

// The standard 16-colour palette; icons in 16 colours use it so that they
// look the same on 16-colour displays.
const ArtColour StandardColours[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// Which standard colour stands for each picture colour, chosen by eye rather
// than by distance so that the beak and the scarf stay apart from the down.
const uint8_t StandardFor[UsedColours] = {
    0,   // InkBlack
    0,   // Outline
    0,   // KeyColour (transparent anyway)
    11,  // DownHighlight
    11,  // DownLight
    11,  // DownMid
    11,  // DownShade
    3,   // DownDeep
    9,   // BeakLight
    9,   // BeakMid
    1,   // BeakShade
    9,   // BlushMid
    9,   // ScarfLight
    9,   // ScarfMid
    1,   // ScarfShade
    0,   // EyeIris
    9,   // BlushLight
    1,   // ScarfDeep
    1,   // BeakDeep
    15,  // Sparkle
};

// The icon picture, top row first: each icon pixel takes the colour most
// points of its patch of the full-size pose vote for (outlines left out,
// they would fill the small picture), then the silhouette gets a one-pixel
// outline of its own and the eyes are set pixel by pixel, since shrunk
// they turn into smudges.
std::vector<uint8_t> RenderIconPicture() {
  std::vector<Shape> pose = BuildChickPose(0);
  // Head and shoulders only: the whole figure would leave the face too small.
  const double left = 18.0, top = 2.0, span = 76.0;
  const double pixel = span / IconSide;
  const int samples = 6;
  std::vector<uint8_t> icon(IconSide * IconSide);
  for (int y = 0; y < IconSide; ++y) {
    for (int x = 0; x < IconSide; ++x) {
      double votes[UsedColours] = {};
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          Vec2 p{left + (x + (sx + 0.5) / samples) * pixel, top + (y + (sy + 0.5) / samples) * pixel};
          uint8_t c = ColourAt(pose, p, 0.0);
          if (c == InkBlack || c == EyeIris || c == Sparkle) c = DownMid;
          votes[c] += 1.0;
        }
      icon[y * IconSide + x] = static_cast<uint8_t>(std::max_element(votes, votes + UsedColours) - votes);
    }
  }
  std::vector<uint8_t> outlined = icon;
  for (int y = 0; y < IconSide; ++y)
    for (int x = 0; x < IconSide; ++x) {
      if (icon[y * IconSide + x] == KeyColour) continue;
      auto transparent = [&](int cx, int cy) {
        return cx < 0 || cy < 0 || cx >= IconSide || cy >= IconSide || icon[cy * IconSide + cx] == KeyColour;
      };
      if (transparent(x - 1, y) || transparent(x + 1, y) || transparent(x, y - 1) || transparent(x, y + 1))
        outlined[y * IconSide + x] = Outline;
    }
  for (const Shape& s : pose) {
    if (s.kind != ShapeKind::Ellipse || s.material.tones[0] != InkBlack) continue;
    int x0 = static_cast<int>(std::lround((s.centre.x - left) / pixel - 1.0));
    int y0 = static_cast<int>(std::lround((s.centre.y - top) / pixel - 1.5));
    if (x0 < 0 || y0 < 0 || x0 + 2 > IconSide || y0 + 3 > IconSide) continue;
    for (int dy = 0; dy < 3; ++dy)
      for (int dx = 0; dx < 2; ++dx)
        outlined[(y0 + dy) * IconSide + x0 + dx] = dx == 0 && dy == 0 ? Sparkle : InkBlack;
  }
  return outlined;
}

void PutColour(Bytes* out, const ArtColour& c) {
  PutU8(out, c.blue);
  PutU8(out, c.green);
  PutU8(out, c.red);
  PutU8(out, 0);
}

// One icon image: header with doubled height, colour table, colour bits and
// the AND mask, both bottom-up.
Bytes IconImage(const std::vector<uint8_t>& picture, int bitsPerPixel) {
  const int colourRow = IconSide * bitsPerPixel / 8;
  const int maskRow = 4;  // 32 bits, already a whole 32-bit word
  const int colours = 1 << bitsPerPixel;
  Bytes out;
  PutU32(&out, 40);
  PutU32(&out, IconSide);
  PutU32(&out, IconSide * 2);
  PutU16(&out, 1);
  PutU16(&out, bitsPerPixel);
  PutU32(&out, 0);
  PutU32(&out, (colourRow + maskRow) * IconSide);
  PutU32(&out, 0);
  PutU32(&out, 0);
  PutU32(&out, 0);
  PutU32(&out, 0);

  ArtColour table[PaletteSize];
  FrameColourTable(0, table);
  for (int i = 0; i < colours; ++i) PutColour(&out, bitsPerPixel == 4 ? StandardColours[i] : table[i]);

  for (int y = IconSide - 1; y >= 0; --y) {
    for (int x = 0; x < IconSide; x += 8 / bitsPerPixel) {
      uint8_t c = picture[y * IconSide + x];
      if (c == KeyColour) c = InkBlack;
      if (bitsPerPixel == 8) {
        PutU8(&out, c);
      } else {
        uint8_t d = picture[y * IconSide + x + 1];
        if (d == KeyColour) d = InkBlack;
        PutU8(&out, StandardFor[c] << 4 | StandardFor[d]);
      }
    }
  }
  for (int y = IconSide - 1; y >= 0; --y) {
    for (int byte = 0; byte < maskRow; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (picture[y * IconSide + byte * 8 + bit] == KeyColour) bits |= 0x80 >> bit;
      PutU8(&out, bits);
    }
  }
  return out;
}

}  // namespace

Bytes ChickIconFile() {
  std::vector<uint8_t> picture = RenderIconPicture();
  const Bytes images[2] = {IconImage(picture, 4), IconImage(picture, 8)};
  const int depths[2] = {4, 8};

  Bytes out;
  PutU16(&out, 0);
  PutU16(&out, 1);  // icon, not cursor
  PutU16(&out, 2);
  uint32_t offset = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    PutU8(&out, IconSide);
    PutU8(&out, IconSide);
    PutU8(&out, depths[i] == 4 ? 16 : 0);  // 0 means 256 or more colours
    PutU8(&out, 0);
    PutU16(&out, 1);
    PutU16(&out, depths[i]);
    PutU32(&out, static_cast<uint32_t>(images[i].size()));
    PutU32(&out, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}
