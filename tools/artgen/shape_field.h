// Signed-distance shapes the character is built from, in picture pixels
// (x to the right, y down), negative inside.
#pragma once

#include <vector>

struct Vec2 {
  double x;
  double y;
};

enum class ShapeKind { Ellipse, Capsule, Polygon };

// A tone ramp: colour indexes from the darkest to the brightest tone.
struct Material {
  int toneCount;
  unsigned char tones[6];
};

struct Shape {
  ShapeKind kind;
  Vec2 centre;           // Ellipse
  Vec2 radii;            // Ellipse
  double angle;          // Ellipse: turn of its x axis, radians clockwise
  double taper;          // Ellipse: how much narrower its lower end is (0 to <1)
  Vec2 from, to;         // Capsule: the segment
  double radius;         // Capsule width; Polygon corner rounding
  std::vector<Vec2> corners;  // Polygon, any winding
  Material material;
  double bulge;          // how far in from the edge the surface reaches its top
  double outline;        // outline width in pixels, 0 for none
  double height;         // for the shadows it casts on lower shapes
  bool castsShadow;
};

double SignedDistance(const Shape& shape, Vec2 p);

Shape MakeEllipse(Vec2 centre, Vec2 radii, double angle, Material material);
Shape MakeCapsule(Vec2 from, Vec2 to, double radius, Material material);
Shape MakePolygon(std::vector<Vec2> corners, double rounding, Material material);

Vec2 Rotated(Vec2 v, double angle);  // clockwise on screen (y down)
Vec2 Add(Vec2 a, Vec2 b);
Vec2 Scaled(Vec2 v, double s);
