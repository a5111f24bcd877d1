// Platform-free core: building the whole sprite sheet from the seven frame
// files, wherever they are kept (the module's resources on Windows, the
// program's own bytes on X11): the blocks are allocated, the shared header
// copied and the pictures filled in one place for both.
#pragma once

#include "anim/sheet_builder.h"
#include "anim/sprite_sheet.h"

// Finds frame file f (0..FrameCount - 1); false when it is missing or too
// short for what the builder reads (ReadFrameFile).
typedef bool (*FrameFileFinder)(int frame, FrameFileView* view);

// Fills the sheet from the frames that findFrame gives. Returns null on
// success, otherwise the code-page-932 text naming what failed; blocks
// allocated before the failure stay in the sheet for ReleaseSpriteSheet.
const char* AssembleSpriteSheet(SpriteSheet* sheet, FrameFileFinder findFrame);

// Frees every block of the sheet that exists and sets its pointer to null.
void ReleaseSpriteSheet(SpriteSheet* sheet);
