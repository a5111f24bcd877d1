#include "tests/support/anim_render_cases.h"

SpriteState RenderSprite(int x, int y, int velX, int velY, int angle, int rotTime, int frame) {
  return SpriteState{x * FixedPixel, y * FixedPixel, velX * FixedPixel, velY * FixedPixel,
                     static_cast<int16_t>(angle), static_cast<int16_t>(rotTime),
                     static_cast<int16_t>(frame)};
}

void PrintTo(const RenderCase& c, std::ostream* out) { *out << c.name; }

namespace {

const std::vector<Band> Stripes = {
    {0, 70, 0x3060A0}, {70, 140, 0xC08020}, {140, 230, 0x20B070}, {230, 330, 0x9030D0}};

SpriteState (*const Sprite)(int, int, int, int, int, int, int) = RenderSprite;

}  // namespace

const std::vector<RenderCase> RenderCases = {
    // 112-pixel squares from (100, 5) and (103, 0): union (100, 0)-(215, 117).
    {"RectangleExampleOnBlack", 400, 300, 1, 8, 0, {Sprite(100, 5, 3, -5, 40, 5, 2)}, {}, 1},
    {"RectangleExampleOnStripes", 400, 300, 1, 8, 0, {Sprite(100, 5, 3, -5, 40, 5, 2)}, Stripes, 1},
    // No velocity: the old pose is erased and the new one drawn in one square.
    {"SpriteThatDoesNotMove", 300, 250, 1, 0, 0, {Sprite(60, 40, 0, 0, 100, 3, 6)}, Stripes, 3},
    {"PreviewSpinsInPlace", 200, 160, 1, 1, 1, {Sprite(20, 10, 0, 0, 500, 1, 5)}, {}, 4},
    // The later sprite is drawn over the earlier one; its erasure cuts holes
    // into what the earlier one drew in the same step.
    {"TwoOverlappingSprites", 320, 260, 1, 0, 0,
     {Sprite(40, 40, 0, 0, 8, 4, 1), Sprite(90, 70, 0, 0, 300, -4, 4)}, Stripes, 3},
    {"ThreeWalkingOverlappingSprites", 360, 280, 1, 6, 0,
     {Sprite(30, 30, 5, 2, 64, 6, 0), Sprite(70, 60, -4, 3, 200, -6, 3),
      Sprite(110, 40, -6, 5, 420, 9, 6)},
     Stripes, 4},
    // Zoom 2: the 112-pixel pictures stretched to 224 x 224.
    {"ZoomTwo", 600, 520, 2, 5, 0, {Sprite(50, 60, 4, 3, 140, 2, 3)}, Stripes, 2},
    {"ZoomTwoOverlapping", 640, 560, 2, 3, 0,
     {Sprite(20, 30, 3, 1, 0, 2, 0), Sprite(150, 130, -2, -3, 256, -2, 5)}, {}, 3},
};
