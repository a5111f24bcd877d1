#include "x11/window_picture.h"

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

// The destination rows and columns of a square at (left, top) that lie in
// the picture, and for each the stored row and column of the 112 x 112
// picture it shows (rows are stored bottom-up).
struct SquareCut {
  PictureRect inside;
  int32_t left;
  int32_t top;
};

// One stored row of a picture as the pixels of the square's columns that
// lie in the picture; with Zoom 2 it serves two destination rows, and the
// combining below runs over plain arrays, which the compiler vectorises.
template <typename Pixel, int Zoom>
void ExpandRow(const SquareCut& cut, const uint8_t* storedRow, Pixel* row) {
  const uint32_t* lookup = WindowPicture.SheetPixels;
  const int32_t first = cut.inside.left - cut.left;
  const int32_t count = cut.inside.right - cut.inside.left;
  for (int32_t i = 0; i < count; ++i) row[i] = static_cast<Pixel>(lookup[storedRow[(first + i) / Zoom]]);
}

template <typename Pixel>
Pixel* PictureRow(int32_t y, int32_t left) {
  return reinterpret_cast<Pixel*>(WindowPicture.Pixels + static_cast<intptr_t>(y) * WindowPicture.Stride) + left;
}

int32_t StoredRowOf(const SquareCut& cut, int32_t y, int zoom) {
  return (SpriteSide - 1 - (y - cut.top) / zoom) * SpriteSide;  // rows are stored bottom-up
}

// Old mask only: every opaque pixel of the old picture becomes black.
template <typename Pixel, int Zoom>
void AndMask(const SquareCut& cut, const uint8_t* mask) {
  Pixel keep[Zoom * SpriteSide];
  const int32_t count = cut.inside.right - cut.inside.left;
  int32_t expanded = -1;
  for (int32_t y = cut.inside.top; y < cut.inside.bottom; ++y) {
    const int32_t stored = StoredRowOf(cut, y, Zoom);
    if (stored != expanded) ExpandRow<Pixel, Zoom>(cut, mask + stored, keep);
    expanded = stored;
    Pixel* out = PictureRow<Pixel>(y, cut.inside.left);
    for (int32_t i = 0; i < count; ++i) out[i] = static_cast<Pixel>(out[i] & keep[i]);
  }
}

// New mask and image in one pass: (pixel AND mask) OR image, which is what
// the two raster operations one after the other leave.
template <typename Pixel, int Zoom>
void MaskIn(const SquareCut& cut, const uint8_t* mask, const uint8_t* image) {
  Pixel keep[Zoom * SpriteSide];
  Pixel paint[Zoom * SpriteSide];
  const int32_t count = cut.inside.right - cut.inside.left;
  int32_t expanded = -1;
  for (int32_t y = cut.inside.top; y < cut.inside.bottom; ++y) {
    const int32_t stored = StoredRowOf(cut, y, Zoom);
    if (stored != expanded) {
      ExpandRow<Pixel, Zoom>(cut, mask + stored, keep);
      ExpandRow<Pixel, Zoom>(cut, image + stored, paint);
    }
    expanded = stored;
    Pixel* out = PictureRow<Pixel>(y, cut.inside.left);
    for (int32_t i = 0; i < count; ++i) out[i] = static_cast<Pixel>((out[i] & keep[i]) | paint[i]);
  }
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
  const SpriteSheet& sheet = SpriteField.Sheet;
  const SquareCut old = {CutToPicture({before.x, before.y, before.x + side, before.y + side}),
                         before.x, before.y};
  const SquareCut now = {CutToPicture({after.x, after.y, after.x + side, after.y + side}),
                         after.x, after.y};
  AndMask<Pixel, Zoom>(old, sheet.Mask[before.frame] + before.offset);
  MaskIn<Pixel, Zoom>(now, sheet.Mask[after.frame] + after.offset,
                      sheet.Bitmap[after.frame] + after.offset);
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
