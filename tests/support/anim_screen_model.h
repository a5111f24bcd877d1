// What the window must show after a step, worked out from the sheet's bytes
// and colour table alone: each sprite's old mask ANDed in, then its new mask
// ANDed and its new image ORed, pixel by pixel, at Zoom times the size.
#pragma once

#include <cstdint>
#include <vector>

#include "anim/sprite_motion.h"
#include "anim/sprite_sheet.h"

struct ScreenModel {
  int width;
  int height;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

ScreenModel FilledScreenModel(int width, int height, uint32_t colour);

// Colour-table entry of the sheet's shared header, as 0x00RRGGBB.
uint32_t SheetColour(const SpriteSheet& sheet, uint8_t index);

// The redraw of one sprite from its record before and after its step;
// pixels outside the model are dropped.
void ModelSpriteRedraw(ScreenModel* screen, const SpriteSheet& sheet, int zoom,
                       const SpriteState& before, const SpriteState& after);

// A sheet of made-up pictures that differ by frame, rotation, row and column,
// with transparent parts; every block comes from AllocateBlock. Colour-table
// entries 1 to 18 are distinct bright colours, 0 black, 19 white.
void FillSyntheticSheet(SpriteSheet* sheet);
// Releases every block of the sheet and clears its pointers.
void ReleaseTestSheet(SpriteSheet* sheet);

// Index of the first differing pixel, or -1 when equal.
long FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b);
