#include "tools/artgen/picture_render.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/art_palette.h"

namespace {

struct Vec3 {
  double x, y, z;
};

// Light from the upper left and from in front of the picture.
const Vec3 LightDirection = {-0.46, -0.56, 0.69};
const double ShadowReach = 3.2;  // pixels a shadow falls per unit of height

Vec2 Gradient(const Shape& shape, Vec2 p) {
  const double h = 0.35;
  double gx = SignedDistance(shape, Vec2{p.x + h, p.y}) - SignedDistance(shape, Vec2{p.x - h, p.y});
  double gy = SignedDistance(shape, Vec2{p.x, p.y + h}) - SignedDistance(shape, Vec2{p.x, p.y - h});
  double len = std::hypot(gx, gy);
  if (len < 1e-9) return Vec2{0, 0};
  return Vec2{gx / len, gy / len};
}

// Brightness of a rounded surface whose slope follows the distance field: it
// rises from the edge and is flat on top `bulge` pixels further in.
double Brightness(const Shape& shape, Vec2 p, double distance) {
  double t = 1.0 - std::clamp(-distance / shape.bulge, 0.0, 1.0);
  Vec2 g = Gradient(shape, p);
  Vec3 n{g.x * t, g.y * t, std::sqrt(std::max(0.0, 1.0 - t * t))};
  double lambert = std::max(0.0, n.x * LightDirection.x + n.y * LightDirection.y + n.z * LightDirection.z);
  return 0.18 + 0.82 * lambert;  // some light from everywhere
}

bool InShadow(const std::vector<Shape>& shapes, size_t below, Vec2 p) {
  for (size_t j = below + 1; j < shapes.size(); ++j) {
    const Shape& over = shapes[j];
    if (!over.castsShadow || over.height <= shapes[below].height) continue;
    double reach = ShadowReach * (over.height - shapes[below].height);
    Vec2 towardLight{p.x + LightDirection.x * reach, p.y + LightDirection.y * reach};
    if (SignedDistance(over, towardLight) < 0) return true;
  }
  return false;
}

uint8_t Tone(const std::vector<Shape>& shapes, size_t i, Vec2 p, double distance) {
  const Shape& shape = shapes[i];
  const Material& m = shape.material;
  if (m.toneCount == 1) return m.tones[0];
  double b = Brightness(shape, p, distance);
  // Bands: only the brightest spot takes the top tone, the rest share the
  // others evenly, one step darker where a higher part casts its shadow.
  int level;
  if (b >= 0.965 && m.toneCount >= 4) {
    level = m.toneCount - 1;
  } else {
    int lower = m.toneCount >= 4 ? m.toneCount - 1 : m.toneCount;
    level = std::clamp(static_cast<int>(b * lower * 1.08), 0, lower - 1);
  }
  if (InShadow(shapes, i, p)) level = std::max(0, level - 1);
  return m.tones[level];
}

}  // namespace

uint8_t ColourAt(const std::vector<Shape>& shapes, Vec2 p, double outlineScale) {
  uint8_t colour = KeyColour;
  for (size_t i = 0; i < shapes.size(); ++i) {
    double d = SignedDistance(shapes[i], p);
    if (d < 0) {
      colour = Tone(shapes, i, p, d);
    } else if (d < shapes[i].outline * outlineScale) {
      colour = Outline;
    }
  }
  return colour;
}

std::vector<uint8_t> RenderPicture(const std::vector<Shape>& shapes) {
  std::vector<uint8_t> picture(PictureSide * PictureSide);
  for (int y = 0; y < PictureSide; ++y)
    for (int x = 0; x < PictureSide; ++x)
      picture[y * PictureSide + x] = ColourAt(shapes, Vec2{x + 0.5, y + 0.5}, 1.0);
  return picture;
}
