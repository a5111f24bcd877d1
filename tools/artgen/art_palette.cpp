#include "tools/artgen/art_palette.h"

namespace {

const ArtColour PictureColours[UsedColours] = {
    {0, 0, 0},        // InkBlack
    {72, 34, 20},     // Outline: warm dark brown, softer than black ink
    {48, 128, 40},    // KeyColour: never painted inside the figure
    {255, 252, 196},  // DownHighlight
    {255, 232, 92},   // DownLight
    {250, 196, 44},   // DownMid
    {222, 146, 30},   // DownShade
    {160, 92, 26},    // DownDeep
    {255, 184, 96},   // BeakLight
    {246, 124, 36},   // BeakMid
    {192, 72, 22},    // BeakShade
    {255, 128, 150},  // BlushMid
    {255, 104, 112},  // ScarfLight
    {224, 40, 70},    // ScarfMid
    {150, 22, 58},    // ScarfShade
    {70, 44, 96},     // EyeIris
    {255, 186, 200},  // BlushLight
    {96, 14, 44},     // ScarfDeep
    {124, 44, 18},    // BeakDeep
    {255, 255, 255},  // Sparkle
};

}  // namespace

void FrameColourTable(int frame, ArtColour table[PaletteSize]) {
  for (int i = 0; i < PaletteSize; ++i) table[i] = ArtColour{0, 0, 0};
  for (int i = 0; i < UsedColours; ++i) table[i] = PictureColours[i];
  if (frame != 0) table[Sparkle] = ArtColour{248, 248, 248};
}
