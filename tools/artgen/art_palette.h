// The twenty colours the character is painted with, by colour index.
#pragma once

#include <cstdint>

struct ArtColour {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

const int PaletteSize = 256;
const int UsedColours = 20;

// Index 0 and 19 are the sheet's mask colours and index 2 the key colour;
// the others are free for the picture.
enum ColourIndex : uint8_t {
  InkBlack = 0,
  Outline = 1,
  KeyColour = 2,
  DownHighlight = 3,
  DownLight = 4,
  DownMid = 5,
  DownShade = 6,
  DownDeep = 7,
  BeakLight = 8,
  BeakMid = 9,
  BeakShade = 10,
  BlushMid = 11,
  ScarfLight = 12,
  ScarfMid = 13,
  ScarfShade = 14,
  EyeIris = 15,
  BlushLight = 16,
  ScarfDeep = 17,
  BeakDeep = 18,
  Sparkle = 19,
};

// Full 256-entry colour table of animation frame `frame` (0 to 6); only
// frame 0 carries pure white at index 19, the others an off-white, because
// the sheet takes its shared table from frame 0 alone.
void FrameColourTable(int frame, ArtColour table[PaletteSize]);
