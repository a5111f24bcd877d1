#include "anim/window_picture.h"

#include <cstring>

#include "anim/sprite_field.h"
#include "anim/sprite_motion.h"
#include "anim/sprite_pose.h"
#include "anim/window_field.h"
#include "settings/saver_settings.h"

WindowPictureRecord WindowPicture = {};

namespace {

const int ColourTableOffset = 40;  // behind the BITMAPINFOHEADER

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }

int LowestBit(uint32_t mask) {
  int bit = 0;
  while (bit < 32 && (mask >> bit & 1u) == 0) ++bit;
  return bit;
}

int BitCount(uint32_t mask) {
  int count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

// Eight neighbouring bits.
bool IsByteChannel(uint32_t mask) { return mask != 0 && mask >> LowestBit(mask) == 0xFFu; }

uint32_t ChannelBits(uint32_t value8, uint32_t mask) {
  return (value8 >> (8 - BitCount(mask))) << LowestBit(mask) & mask;
}

// A square at (left, top) and the part of it that lies in the picture.
struct SquareCut {
  PictureRect inside;
  int32_t left;
  int32_t top;
};

template <typename Pixel>
Pixel* PictureRow(int32_t y, int32_t left) {
  return reinterpret_cast<Pixel*>(WindowPicture.Pixels + static_cast<intptr_t>(y) * WindowPicture.Stride) + left;
}

// One picture of the sheet, stored bottom-up, with its row spans.
struct SheetPicture {
  const uint8_t* mask;
  const uint8_t* image;
  const uint8_t (*spans)[2];
};

// The mask (and image) of one stored row as pixels, from the first stored
// column that reaches x = from to the one that reaches to - 1, each Zoom
// times; the first entry belongs to the picture column of that first one.
template <typename Pixel, int Zoom, bool Paint>
void ExpandStoredRow(const SheetPicture& picture, int32_t row, int32_t firstColumn,
                     int32_t endColumn, Pixel* keep, Pixel* paint) {
  const int32_t at = row * SpriteSide + firstColumn;
  ExpandMaskIndices<Pixel, Zoom>(picture.mask + at, endColumn - firstColumn, WindowPicture.SheetPixels,
                                 MaskOpaque, MaskTransparent, keep);
  if (Paint) {
    ExpandImageIndices<Pixel, Zoom>(picture.image + at, endColumn - firstColumn, WindowPicture.SheetPixels,
                                    WindowPicture.SheetPixelBytes, paint);
  }
}

// The old picture's mask ANDed in, or the new one's mask ANDed and its
// image ORed in one pass ((pixel AND mask) OR image is what the two raster
// operations one after the other leave), over each row's span only. Each
// stored row is expanded once for its Zoom rows.
template <typename Pixel, int Zoom, bool Paint>
void ComposeSquare(const SquareCut& cut, const SheetPicture& picture) {
  Pixel keep[Zoom * SpriteSide];
  Pixel paint[Zoom * SpriteSide];
  int32_t expanded = -1, skip = 0;
  for (int32_t y = cut.inside.top; y < cut.inside.bottom; ++y) {
    const int32_t row = SpriteSide - 1 - (y - cut.top) / Zoom;
    const int32_t from = Larger(cut.inside.left, cut.left + picture.spans[row][0] * Zoom);
    const int32_t to = Smaller(cut.inside.right, cut.left + picture.spans[row][1] * Zoom);
    if (from >= to) continue;
    if (row != expanded) {
      const int32_t firstColumn = (from - cut.left) / Zoom;
      ExpandStoredRow<Pixel, Zoom, Paint>(picture, row, firstColumn, (to - 1 - cut.left) / Zoom + 1, keep, paint);
      skip = from - cut.left - firstColumn * Zoom;
      expanded = row;
    }
    CombineRow<Pixel, Paint>(PictureRow<Pixel>(y, from), keep + skip, paint + skip, to - from);
  }
}

// Per colour-table index, whether as a mask it keeps every bit a picture
// pixel can have, and whether as an image it adds none but the fixed bits,
// which every picture pixel has: a pixel with both changes nothing.
struct UnchangingRecord {
  bool keepsAll[256];
  bool addsNothing[256];
};

void FindUnchanging(UnchangingRecord* unchanging) {
  const PixelFormat& format = WindowPicture.Format;
  const uint32_t used = format.redMask | format.greenMask | format.blueMask | format.fixedBits;
  for (int k = 0; k < 256; ++k) {
    unchanging->keepsAll[k] = (WindowPicture.SheetPixels[k] & used) == used;
    unchanging->addsNothing[k] = (WindowPicture.SheetPixels[k] & ~format.fixedBits) == 0;
  }
}

// Each stored row's span of one picture, found from both ends, since the
// middle of a row is most of the time the character itself.
void FindRowSpans(const SpriteSheet& sheet, int frame, int rotation) {
  UnchangingRecord unchanging;
  FindUnchanging(&unchanging);
  for (int row = 0; row < SpriteSide; ++row) {
    const uint8_t* mask = sheet.Mask[frame] + rotation * PictureBytes + row * SpriteSide;
    const uint8_t* image = sheet.Bitmap[frame] + rotation * PictureBytes + row * SpriteSide;
    const auto changes = [&](int c) {
      return !(unchanging.keepsAll[mask[c]] && unchanging.addsNothing[image[c]]);
    };
    int first = 0, end = SpriteSide;
    while (first < end && !changes(first)) ++first;
    while (end > first && !changes(end - 1)) --end;
    WindowPicture.RowSpans[frame][rotation][row][0] = static_cast<uint8_t>(first < end ? first : 0);
    WindowPicture.RowSpans[frame][rotation][row][1] = static_cast<uint8_t>(first < end ? end : 0);
  }
  WindowPicture.SpansFound[frame][rotation] = 1;
}

SheetPicture PictureOf(const SpritePose& pose) {
  const SpriteSheet& sheet = SpriteField.Sheet;
  const int rotation = pose.offset / PictureBytes;
  if (!WindowPicture.SpansFound[pose.frame][rotation]) FindRowSpans(sheet, pose.frame, rotation);
  return SheetPicture{sheet.Mask[pose.frame] + pose.offset, sheet.Bitmap[pose.frame] + pose.offset,
                      WindowPicture.RowSpans[pose.frame][rotation]};
}

SquareCut CutOf(const SpritePose& pose, int32_t side) {
  return SquareCut{CutToPicture({pose.x, pose.y, pose.x + side, pose.y + side}), pose.x, pose.y};
}

// The field's place in the window is off its corner only in a window
// smaller than a character.
SpritePose PoseInWindow(const SpriteState& sprite) {
  SpritePose pose = PoseOf(sprite);
  pose.x += WindowField.OriginX;
  pose.y += WindowField.OriginY;
  return pose;
}

template <typename Pixel, int Zoom>
void ComposeRedraw(const SpritePose& before, const SpritePose& after) {
  const int32_t side = Zoom * SpriteSide;
  ComposeSquare<Pixel, Zoom, false>(CutOf(before, side), PictureOf(before));
  ComposeSquare<Pixel, Zoom, true>(CutOf(after, side), PictureOf(after));
}

}  // namespace

PictureRect CutToPicture(const PictureRect& rect) {
  return PictureRect{Larger(rect.left, 0), Larger(rect.top, 0), Smaller(rect.right, WindowPicture.Width),
                     Smaller(rect.bottom, WindowPicture.Height)};
}

bool DescribeTrueColour(int32_t depth, int32_t bitsPerPixel, uint32_t redMask,
                        uint32_t greenMask, uint32_t blueMask, PixelFormat* format) {
  const bool eightBitChannels = IsByteChannel(redMask) && IsByteChannel(greenMask) &&
                                IsByteChannel(blueMask) &&
                                (redMask | greenMask | blueMask) == 0xFFFFFFu;
  if (bitsPerPixel == 32 && (depth == 24 || depth == 32) && eightBitChannels) {
    // Only a depth-32 visual has bits beyond the channels; they are its
    // alpha, which stays opaque.
    const uint32_t fixed = depth == 32 ? ~(redMask | greenMask | blueMask) : 0u;
    *format = PixelFormat{4, redMask, greenMask, blueMask, fixed};
    return true;
  }
  if (bitsPerPixel == 16 && depth == 16 && redMask == 0xF800u && greenMask == 0x07E0u &&
      blueMask == 0x001Fu) {
    *format = PixelFormat{2, redMask, greenMask, blueMask, 0u};
    return true;
  }
  return false;
}

uint32_t PixelOfColour(const PixelFormat& format, uint32_t colour) {
  return ChannelBits(colour >> 16 & 0xFF, format.redMask) |
         ChannelBits(colour >> 8 & 0xFF, format.greenMask) |
         ChannelBits(colour & 0xFF, format.blueMask) | format.fixedBits;
}

void TranslateSheetColours(const SpriteSheet& sheet) {
  for (int k = 0; k < 256; ++k) {
    const uint8_t* entry = sheet.Header + ColourTableOffset + 4 * k;  // blue, green, red, reserved
    const uint32_t colour = uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
    WindowPicture.SheetPixels[k] = PixelOfColour(WindowPicture.Format, colour);
  }
  // Little-endian, as every target with such vectors is.
  for (int k = 0; k < LookupIndices; ++k) {
    for (int b = 0; b < 4; ++b) {
      WindowPicture.SheetPixelBytes[b][k] = static_cast<uint8_t>(WindowPicture.SheetPixels[k] >> (8 * b));
    }
  }
  std::memset(WindowPicture.SpansFound, 0, sizeof WindowPicture.SpansFound);
}

void FillWindowPicture(uint32_t colour) {
  const uint32_t pixel = PixelOfColour(WindowPicture.Format, colour);
  for (int32_t y = 0; y < WindowPicture.Height; ++y) {
    uint8_t* row = WindowPicture.Pixels + static_cast<intptr_t>(y) * WindowPicture.Stride;
    for (int32_t x = 0; x < WindowPicture.Width; ++x) {
      if (WindowPicture.Format.bytesPerPixel == 2) {
        reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(pixel);
      } else {
        reinterpret_cast<uint32_t*>(row)[x] = pixel;
      }
    }
  }
}

PictureRect MoveAndComposeSprite(int32_t index) {
  const SpritePose before = PoseInWindow(SpriteField.Sprites[index]);
  UpdateSprite(index);
  const SpritePose after = PoseInWindow(SpriteField.Sprites[index]);
  const int32_t side = SaverSettings.Zoom * SpriteSide;
  const bool wide = WindowPicture.Format.bytesPerPixel == 4;
  if (SaverSettings.Zoom == 2) {
    wide ? ComposeRedraw<uint32_t, 2>(before, after) : ComposeRedraw<uint16_t, 2>(before, after);
  } else {
    wide ? ComposeRedraw<uint32_t, 1>(before, after) : ComposeRedraw<uint16_t, 1>(before, after);
  }
  // The union as UnionRect makes it, then cut to what exists.
  return CutToPicture(PictureRect{Smaller(before.x, after.x), Smaller(before.y, after.y),
                                  Larger(before.x, after.x) + side, Larger(before.y, after.y) + side});
}
