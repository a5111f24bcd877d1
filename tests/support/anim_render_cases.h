// The sprite sequences that both renderers' tests draw (the Windows one into
// a real window under Wine, the X11 one into its picture): each case's
// sprites, background bands and number of steps, checked against the model
// of anim_screen_model.h.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "anim/sprite_motion.h"

const int32_t FixedPixel = 4096;  // one pixel in 20.12

SpriteState RenderSprite(int x, int y, int velX, int velY, int angle, int rotTime, int frame);

// Vertical bands under the sprites, so that what the step leaves of the
// background (and the holes it cuts) can be told from plain black.
struct Band {
  int left, right;
  uint32_t colour;  // 0x00RRGGBB
};

struct RenderCase {
  const char* name;
  int width, height;
  int zoom, moveSpeed;
  int32_t isPreview;
  std::vector<SpriteState> sprites;
  std::vector<Band> background;
  int steps;
};

void PrintTo(const RenderCase& c, std::ostream* out);

extern const std::vector<RenderCase> RenderCases;

// Every case fits a stage of this size, drawn from its top-left corner.
const int RenderStageWidth = 640, RenderStageHeight = 560;
