#include "anim/embedded_sheet.h"

#include "anim/embedded_frames.h"
#include "anim/failure_texts.h"
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

const char* FailureInEnglish(const char* failureText) {
  if (failureText == HeaderFailureText) return "out of memory (Header)";
  if (failureText == BitmapFailureText) return "out of memory (Bitmap)";
  if (failureText == MaskFailureText) return "out of memory (Mask)";
  if (failureText == PosFailureText) return "out of memory (pos)";
  if (failureText == FrameFailureText) return "a frame picture cannot be read (Frame)";
  return "out of memory";
}
