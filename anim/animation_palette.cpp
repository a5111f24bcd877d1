#include "anim/animation_palette.h"

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/sprite_renderer.h"

LRESULT RealizeDisplayPalette() {
  if (AnimState.DisplayPalette == nullptr) {
    return 1;
  }
  HPALETTE previous = SelectPalette(AnimState.ScreenDC, AnimState.DisplayPalette, FALSE);
  const UINT changed = RealizePalette(AnimState.ScreenDC);
  // A creation refused for want of the sprite array leaves the palette
  // behind while its error box is open; there is nothing to redraw then.
  if (changed != 0 && SpriteField.Sprites != nullptr) {
    AnimationTick();
  }
  SelectPalette(AnimState.ScreenDC, previous, TRUE);
  RealizePalette(AnimState.ScreenDC);
  return changed != 0 ? 1 : 0;
}
