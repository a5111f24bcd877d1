#include "web/canvas_picture.h"

#include <cstdint>

#include "anim/heap_block.h"

namespace {

struct ChangedRecord {
  int32_t list[ChangedRectsLength];
  PictureRect box;
  int64_t area;  // of the rectangles together
  int32_t overflowed;  // more than the list holds: the box stands for them
};

ChangedRecord Changed = {};

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }

int64_t AreaOf(const PictureRect& rect) {
  return static_cast<int64_t>(rect.right - rect.left) * (rect.bottom - rect.top);
}

void ListOnly(const PictureRect& rect) {
  Changed.list[0] = 1;
  Changed.list[1] = rect.left;
  Changed.list[2] = rect.top;
  Changed.list[3] = rect.right - rect.left;
  Changed.list[4] = rect.bottom - rect.top;
}

}  // namespace

bool CreatePicture(int32_t width, int32_t height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  // Counted in 64 bits: a canvas of 33,000 x 33,000 would wrap the 32-bit
  // size_t of WebAssembly to a small block that the picture then overruns.
  // No picture of 2 GB or more fits the module's memory or a row's stride.
  const uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
  if (bytes > INT32_MAX) return false;
  uint8_t* pixels = static_cast<uint8_t*>(AllocateBlock(static_cast<size_t>(bytes)));
  if (pixels == nullptr) return false;
  // Memory order red, green, blue, alpha is 0xAABBGGRR in a little-endian
  // word; the alpha stays opaque.
  DescribeTrueColour(32, 32, 0x0000FFu, 0x00FF00u, 0xFF0000u, &WindowPicture.Format);
  WindowPicture.Pixels = pixels;
  WindowPicture.Width = width;
  WindowPicture.Height = height;
  WindowPicture.Stride = width * 4;
  FillWindowPicture(0x000000);
  ForgetChangedRects();
  return true;
}

void DestroyPicture() {
  ReleaseBlock(WindowPicture.Pixels);
  WindowPicture.Pixels = nullptr;
  WindowPicture.Width = WindowPicture.Height = WindowPicture.Stride = 0;
}

void ForgetChangedRects() {
  Changed.list[0] = 0;
  Changed.box = PictureRect{0, 0, 0, 0};
  Changed.area = 0;
  Changed.overflowed = 0;
}

void SendPictureRect(const PictureRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const bool first = Changed.area == 0;
  Changed.box = first ? rect
                      : PictureRect{Smaller(Changed.box.left, rect.left), Smaller(Changed.box.top, rect.top),
                                    Larger(Changed.box.right, rect.right), Larger(Changed.box.bottom, rect.bottom)};
  Changed.area += AreaOf(rect);
  const int32_t count = Changed.list[0];
  if (count == MostChangedRects) {
    Changed.overflowed = 1;
    return;
  }
  int32_t* entry = Changed.list + 1 + 4 * count;
  entry[0] = rect.left;
  entry[1] = rect.top;
  entry[2] = rect.right - rect.left;
  entry[3] = rect.bottom - rect.top;
  Changed.list[0] = count + 1;
}

void FinishChangedRects() {
  if (Changed.overflowed || (Changed.area != 0 && AreaOf(Changed.box) <= Changed.area)) {
    ListOnly(Changed.box);
  }
}

const int32_t* ChangedRects() { return Changed.list; }
