#include "tools/artgen/shape_field.h"

#include <algorithm>
#include <cmath>

Vec2 Rotated(Vec2 v, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  return Vec2{v.x * c - v.y * s, v.x * s + v.y * c};
}

Vec2 Add(Vec2 a, Vec2 b) { return Vec2{a.x + b.x, a.y + b.y}; }
Vec2 Scaled(Vec2 v, double s) { return Vec2{v.x * s, v.y * s}; }

namespace {

// Distance to an axis-aligned ellipse, close to exact near the edge where
// outlines are decided; from the gradient-normalised implicit function.
double EllipseDistance(Vec2 p, Vec2 r) {
  double k0 = std::hypot(p.x / r.x, p.y / r.y);
  double k1 = std::hypot(p.x / (r.x * r.x), p.y / (r.y * r.y));
  if (k1 < 1e-9) return -std::min(r.x, r.y);
  return k0 * (k0 - 1.0) / k1;
}

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  Vec2 pa{p.x - a.x, p.y - a.y}, ba{b.x - a.x, b.y - a.y};
  double len2 = ba.x * ba.x + ba.y * ba.y;
  double h = len2 > 0 ? std::clamp((pa.x * ba.x + pa.y * ba.y) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(pa.x - ba.x * h, pa.y - ba.y * h);
}

double PolygonDistance(Vec2 p, const std::vector<Vec2>& v) {
  double d = 1e9;
  bool inside = false;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
    d = std::min(d, SegmentDistance(p, v[j], v[i]));
    if ((v[i].y > p.y) != (v[j].y > p.y) &&
        p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
      inside = !inside;
  }
  return inside ? -d : d;
}

Shape BlankShape(ShapeKind kind, Material material) {
  Shape s{};
  s.kind = kind;
  s.material = material;
  s.bulge = 6.0;
  s.outline = 1.6;
  s.height = 1.0;
  s.castsShadow = true;
  return s;
}

}  // namespace

double SignedDistance(const Shape& shape, Vec2 p) {
  switch (shape.kind) {
    case ShapeKind::Ellipse: {
      Vec2 local = Rotated(Vec2{p.x - shape.centre.x, p.y - shape.centre.y}, -shape.angle);
      if (shape.taper != 0) {
        // An egg: the width shrinks linearly from the top end to the bottom end.
        double v = std::clamp(local.y / shape.radii.y, -1.0, 1.0);
        local.x /= 1.0 - shape.taper * (v + 1.0) / 2.0;
      }
      return EllipseDistance(local, shape.radii);
    }
    case ShapeKind::Capsule:
      return SegmentDistance(p, shape.from, shape.to) - shape.radius;
    case ShapeKind::Polygon:
      return PolygonDistance(p, shape.corners) - shape.radius;
  }
  return 1e9;
}

Shape MakeEllipse(Vec2 centre, Vec2 radii, double angle, Material material) {
  Shape s = BlankShape(ShapeKind::Ellipse, material);
  s.centre = centre;
  s.radii = radii;
  s.angle = angle;
  s.bulge = std::min(radii.x, radii.y);
  return s;
}

Shape MakeCapsule(Vec2 from, Vec2 to, double radius, Material material) {
  Shape s = BlankShape(ShapeKind::Capsule, material);
  s.from = from;
  s.to = to;
  s.radius = radius;
  s.bulge = radius;
  return s;
}

Shape MakePolygon(std::vector<Vec2> corners, double rounding, Material material) {
  Shape s = BlankShape(ShapeKind::Polygon, material);
  s.corners = std::move(corners);
  s.radius = rounding;
  return s;
}
