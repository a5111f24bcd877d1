#include "tools/artgen/chick_pose.h"

#include <cmath>

#include "tools/artgen/art_palette.h"

namespace {

const double Pi = 3.14159265358979323846;

const Material Down = {5, {DownDeep, DownShade, DownMid, DownLight, DownHighlight}};
const Material Beak = {4, {BeakDeep, BeakShade, BeakMid, BeakLight}};
const Material Scarf = {4, {ScarfDeep, ScarfShade, ScarfMid, ScarfLight}};
const Material Eye = {2, {InkBlack, EyeIris}};
const Material Blush = {2, {BlushMid, BlushLight}};
const Material Gleam = {1, {Sparkle}};

// The whole figure sways about this point as she waddles.
const Vec2 Pivot = {56, 62};

struct Placement {
  double sway;   // radians, clockwise
  double lift;   // pixels the figure rises toward the top of the picture
  double scale;  // the figure is drawn on a 100-pixel grid and enlarged
};

Vec2 Place(const Placement& at, Vec2 p) {
  Vec2 fromPivot{p.x - Pivot.x, p.y - Pivot.y - at.lift};
  return Add(Pivot, Scaled(Rotated(fromPivot, at.sway), at.scale));
}

void PlaceShape(const Placement& at, Shape* s) {
  s->centre = Place(at, s->centre);
  s->from = Place(at, s->from);
  s->to = Place(at, s->to);
  for (Vec2& c : s->corners) c = Place(at, c);
  s->angle += at.sway;
  s->radii = Scaled(s->radii, at.scale);
  s->radius *= at.scale;
  s->bulge *= at.scale;
}

Shape Flat(Shape s) {
  s.outline = 0;
  s.castsShadow = false;
  return s;
}

// A three-toed foot whose heel is at `heel`, pointing along `heading`
// (radians clockwise from up), `size` times the usual toe length.
void AddFoot(std::vector<Shape>* shapes, Vec2 heel, double heading, double size) {
  const double spread[3] = {-0.62, 0.0, 0.62};
  const double length[3] = {8.5, 11.0, 8.5};
  for (int k = 0; k < 3; ++k) {
    Vec2 tip = Add(heel, Rotated(Vec2{0, -length[k] * size}, heading + spread[k]));
    Shape toe = MakeCapsule(heel, tip, 2.35 * size, Beak);
    toe.height = 0.2;
    shapes->push_back(toe);
  }
}

void AddWing(std::vector<Shape>* shapes, double side, double swing) {
  Vec2 shoulder{56 + side * 20, 54};
  double angle = -side * 0.5 + swing;
  Vec2 centre = Add(shoulder, Rotated(Vec2{0, 10}, angle));
  Shape wing = MakeEllipse(centre, Vec2{7, 12}, angle, Down);
  wing.height = 1.6;
  shapes->push_back(wing);
  // Three feather tips at the end of the wing.
  for (int k = -1; k <= 1; ++k) {
    Vec2 tip = Add(shoulder, Rotated(Vec2{k * 3.4, 20.5 - std::abs(k) * 1.8}, angle));
    Shape feather = MakeEllipse(tip, Vec2{3.0, 4.4}, angle + k * 0.35, Down);
    feather.height = 1.6;
    feather.bulge = 2.5;
    shapes->push_back(feather);
  }
}

void AddEye(std::vector<Shape>* shapes, double side) {
  Vec2 centre{56 + side * 11.5, 30};
  Shape eye = Flat(MakeEllipse(centre, Vec2{4.6, 5.8}, side * 0.15, Eye));
  eye.bulge = 3.0;
  shapes->push_back(eye);
  shapes->push_back(Flat(MakeEllipse(Add(centre, Vec2{-1.4, -2.0}), Vec2{2.0, 2.2}, 0, Gleam)));
  shapes->push_back(Flat(MakeEllipse(Add(centre, Vec2{1.6, 2.3}), Vec2{1.0, 1.0}, 0, Gleam)));
}

}  // namespace

std::vector<Shape> BuildChickPose(int frame) {
  double t = 2 * Pi * frame / PoseCount;
  double step = std::sin(t);          // +1: left foot forward
  double bob = std::cos(2 * t);       // two bounces a loop, one per step
  Placement at{0.07 * step, 0.9 * bob - 2.6, 1.08};

  std::vector<Shape> shapes;

  // Feet peek out under the body and stride against each other: the one
  // stepping forward slides under the body, the one pushing off shows.
  AddFoot(&shapes, Vec2{56 - 10.5, 81.5 - 6 * step}, Pi - 0.4, 1.1);
  AddFoot(&shapes, Vec2{56 + 10.5, 81.5 + 6 * step}, Pi + 0.4, 1.1);

  Shape body = MakeEllipse(Vec2{56, 65}, Vec2{25, 26}, 0, Down);
  body.taper = 0.15;
  body.height = 1.0;
  shapes.push_back(body);

  // Wings swing like arms, against the feet.
  AddWing(&shapes, -1, 0.28 * step);
  AddWing(&shapes, +1, 0.28 * step);

  // Scarf: two tails that flutter a little behind her step, then the band
  // round the neck over their knot.
  double flutter = std::sin(t - 0.9);
  for (int k = 0; k < 2; ++k) {
    Vec2 knot{59, 52};
    Vec2 end = Add(knot, Rotated(Vec2{0, 20.0 - 4 * k}, -0.35 + 0.45 * k + 0.22 * flutter));
    Shape tail = MakeCapsule(knot, end, 4.2 - 0.4 * k, Scarf);
    tail.height = 2.0;
    shapes.push_back(tail);
  }
  Shape band = MakeEllipse(Vec2{56, 50}, Vec2{19.5, 9}, 0, Scarf);
  band.height = 2.2;
  shapes.push_back(band);

  double nod = 1.4 * bob;
  // A tuft of three feathers on the crown, behind the head's outline.
  for (int k = -1; k <= 1; ++k) {
    double lean = k * 0.55 + 0.12 * step;
    Vec2 root{56.0 + k * 2.0, 22 - nod};
    Shape tuft = MakeEllipse(Add(root, Rotated(Vec2{0, -7.0 + std::abs(k) * 1.2}, lean)), Vec2{3.1, 6.8}, lean, Down);
    tuft.height = 2.8;
    tuft.bulge = 2.5;
    shapes.push_back(tuft);
  }
  Shape head = MakeEllipse(Vec2{56, 35 - nod}, Vec2{20.5, 19.5}, 0, Down);
  head.height = 3.0;
  shapes.push_back(head);

  for (double side : {-1.0, 1.0}) {
    Shape cheek = Flat(MakeEllipse(Vec2{56 + side * 15, 39.5 - nod}, Vec2{4.6, 3.2}, side * 0.3, Blush));
    cheek.bulge = 2.0;
    shapes.push_back(cheek);
  }
  size_t firstEye = shapes.size();
  AddEye(&shapes, -1);
  AddEye(&shapes, +1);
  for (size_t i = firstEye; i < shapes.size(); ++i) {
    shapes[i].centre.y -= nod;
  }

  // The beak chirps: its lower half drops open at the top of each bounce.
  double open = 1.4 * (1 + bob) / 2;
  Shape lowerBeak = MakePolygon({{53, 30 - nod}, {59, 30 - nod}, {56, 33.5 + open - nod}}, 1.8, Beak);
  lowerBeak.height = 3.3;
  lowerBeak.bulge = 2.5;
  shapes.push_back(lowerBeak);
  Shape upperBeak = MakePolygon({{52, 29.5 - nod}, {56, 22.5 - nod}, {60, 29.5 - nod}}, 2.2, Beak);
  upperBeak.height = 3.4;
  upperBeak.bulge = 4.0;
  shapes.push_back(upperBeak);

  for (Shape& s : shapes) PlaceShape(at, &s);
  return shapes;
}
