// One animation step: every sprite moved one step and redrawn, in index
// order, through the off-screen surface of the animation state.
#pragma once

// Needs the animation state as window creation leaves it: both device
// contexts, the sheet and the SaverSettings.Number placed sprites.
void AnimationTick();
