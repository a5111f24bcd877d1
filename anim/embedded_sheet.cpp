#include "anim/embedded_sheet.h"

#include <cstring>

#include "anim/embedded_frames.h"
#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/sheet_assembly.h"

namespace {

// The frames' stored pixels while the sheet is built from them.
uint8_t* ExpandedFrames = nullptr;

bool FindEmbeddedFrame(int frame, FrameFileView* view) {
  if (frame < 0 || frame >= EmbeddedFrameCount) return false;
  uint8_t* pixels = ExpandedFrames + static_cast<size_t>(frame) * PictureBytes;
  if (!ExpandEmbeddedFrame(EmbeddedFrames[frame], pixels)) return false;
  *view = FrameFileView{EmbeddedHeader, pixels};
  return true;
}

}  // namespace

bool ExpandEmbeddedFrame(const EmbeddedFrame& frame, uint8_t* pixels) {
  size_t filled = 0;
  for (size_t at = 0; at + 1 < frame.size; at += 2) {
    const size_t count = frame.runs[at];
    if (count > PictureBytes - filled) return false;
    std::memset(pixels + filled, frame.runs[at + 1], count);
    filled += count;
  }
  return filled == PictureBytes && frame.size % 2 == 0;
}

const char* BuildEmbeddedSpriteSheet(SpriteSheet* sheet) {
  // Expanded beside the sheet, which the rotations read them into, and
  // released once it is built.
  ExpandedFrames = static_cast<uint8_t*>(AllocateBlock(static_cast<size_t>(EmbeddedFrameCount) * PictureBytes));
  if (ExpandedFrames == nullptr) return FrameFailureText;
  const char* failure = AssembleSpriteSheet(sheet, FindEmbeddedFrame);
  ReleaseBlock(ExpandedFrames);
  ExpandedFrames = nullptr;
  return failure;
}
