#include "web/canvas_picture.h"

#include <cstdint>

#include "anim/heap_block.h"

namespace {

struct ChangedRecord {
  int32_t list[ChangedRectsLength];
  PictureRect box;
  int64_t cost;  // of putting the rectangles one by one (PutCost)
  int32_t overflowed;  // more than the list holds: the box stands for them
};

ChangedRecord Changed = {};

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }

// What putting a rectangle on the canvas costs, in pixels' worth: a call
// and each of its rows cost as much as thousands and hundreds of pixels
// (measured in headless Chromium with software rendering: about 0.7 us a
// call, 0.03 us a row and 0.08 ns a pixel).
const int64_t CallCost = 8192, RowCost = 384;

int64_t PutCost(const PictureRect& rect) {
  const int64_t height = rect.bottom - rect.top;
  return CallCost + height * RowCost + height * (rect.right - rect.left);
}

PictureRect Union(const PictureRect& a, const PictureRect& b) {
  return PictureRect{Smaller(a.left, b.left), Smaller(a.top, b.top), Larger(a.right, b.right),
                     Larger(a.bottom, b.bottom)};
}

PictureRect ListedRect(int32_t index) {
  const int32_t* entry = Changed.list + 1 + 4 * index;
  return PictureRect{entry[0], entry[1], entry[0] + entry[2], entry[1] + entry[3]};
}

void SetListedRect(int32_t index, const PictureRect& rect) {
  int32_t* entry = Changed.list + 1 + 4 * index;
  entry[0] = rect.left;
  entry[1] = rect.top;
  entry[2] = rect.right - rect.left;
  entry[3] = rect.bottom - rect.top;
}

// Merges any two listed rectangles whose box costs no more than putting
// both, until none does; a merged one may then merge with a third.
void MergeCheapPairs() {
  for (int32_t i = 0; i < Changed.list[0]; ++i) {
    for (int32_t j = i + 1; j < Changed.list[0]; ++j) {
      const PictureRect a = ListedRect(i), b = ListedRect(j), both = Union(a, b);
      if (PutCost(both) > PutCost(a) + PutCost(b)) continue;
      SetListedRect(i, both);
      SetListedRect(j, ListedRect(Changed.list[0] - 1));
      Changed.list[0] -= 1;
      i = -1;  // from the start again
      break;
    }
  }
}

void ListOnly(const PictureRect& rect) {
  Changed.list[0] = 1;
  SetListedRect(0, rect);
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
  Changed.cost = 0;
  Changed.overflowed = 0;
}

void SendPictureRect(const PictureRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  Changed.box = Changed.cost == 0 ? rect : Union(Changed.box, rect);
  Changed.cost += PutCost(rect);
  const int32_t count = Changed.list[0];
  if (count == MostChangedRects) {
    Changed.overflowed = 1;
    return;
  }
  SetListedRect(count, rect);
  Changed.list[0] = count + 1;
}

void FinishChangedRects() {
  if (Changed.overflowed || (Changed.cost != 0 && PutCost(Changed.box) <= Changed.cost)) {
    ListOnly(Changed.box);
  } else if (Changed.list[0] <= MostPairedRects) {
    MergeCheapPairs();
  }
}

const int32_t* ChangedRects() { return Changed.list; }
