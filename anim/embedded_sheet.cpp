#include "anim/embedded_sheet.h"

#include "anim/embedded_frames.h"
#include "anim/sheet_assembly.h"

namespace {

bool FindEmbeddedFrame(int frame, FrameFileView* view) {
  if (frame < 0 || frame >= EmbeddedFrameCount) return false;
  return ReadFrameFile(EmbeddedFrames[frame].bytes, EmbeddedFrames[frame].size, view);
}

}  // namespace

const char* BuildEmbeddedSpriteSheet(SpriteSheet* sheet) {
  return AssembleSpriteSheet(sheet, FindEmbeddedFrame);
}
