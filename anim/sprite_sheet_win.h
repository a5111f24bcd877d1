// Building, releasing and deriving the display palette of the sprite sheet
// from the module's own frame resources.
#pragma once

#include "anim/sheet_assembly.h"
#include "anim/sprite_sheet.h"
#include "host/win_types.h"

// Fills the sheet from frame resources 200..206 (type 200) of
// HostState.instance. Returns null on success, otherwise the code-page-932
// text naming what failed; blocks allocated before the failure stay in the
// sheet for ReleaseSpriteSheet.
const char* BuildSpriteSheet(SpriteSheet* sheet);

// Makes the 32-entry display palette from the sheet's colour table. Returns
// null on success, with the palette (which may be null when CreatePalette
// fails) in *palette; otherwise the failure text and *palette is untouched.
const char* CreateDisplayPalette(const SpriteSheet* sheet, HPALETTE* palette);

// ReleaseSpriteSheet (anim/sheet_assembly.h) frees the sheet again.
