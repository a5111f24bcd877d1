// Platform-free core: the window's picture as the X11 program and the page
// keep it in their own memory, in the display's pixel format, and the
// composing of one sprite's redraw into it: the old picture erased and the
// new one masked in on the union of the two squares, exactly as the Windows
// renderer's raster operations do it.
#pragma once

#include <cstdint>

#include "anim/picture_rows.h"
#include "anim/sprite_sheet.h"

struct PixelFormat {
  int32_t bytesPerPixel;  // 2 or 4, in the machine's byte order
  uint32_t redMask;
  uint32_t greenMask;
  uint32_t blueMask;
  uint32_t fixedBits;  // set in every pixel: the alpha of a 32-bit visual
};

// Right and bottom exclusive; empty when right <= left or bottom <= top.
struct PictureRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct WindowPictureRecord {
  uint8_t* Pixels;  // top row first, Stride bytes a row; owned by the transport
  int32_t Width;
  int32_t Height;
  int32_t Stride;
  PixelFormat Format;
  uint32_t SheetPixels[256];  // the sheet's colour table as pixels of Format
  // The first of them byte by byte (byte b of each pixel in memory order),
  // for looking up sixteen indices at once where the vectors can.
  uint8_t SheetPixelBytes[4][LookupIndices];
  // Per picture of the sheet and stored row, the columns [first, end) that
  // change a pixel; outside them the mask keeps it and the image adds
  // nothing, which is most of a character's square. Found when a picture is
  // first drawn, so that the start does not wait for all 224.
  uint8_t RowSpans[FrameCount][RotationCount][SpriteSide][2];
  uint8_t SpansFound[FrameCount][RotationCount];
};

extern WindowPictureRecord WindowPicture;

// The part of the rectangle that lies in the picture.
PictureRect CutToPicture(const PictureRect& rect);

// The formats that are drawn exactly: TrueColor at depth 24 or 32 with 32
// bits per pixel and 8-bit channels, and depth 16 as 5-6-5. False for any
// other; *format is then untouched.
bool DescribeTrueColour(int32_t depth, int32_t bitsPerPixel, uint32_t redMask,
                        uint32_t greenMask, uint32_t blueMask, PixelFormat* format);

// 0x00RRGGBB as a pixel of the format: each channel's top bits.
uint32_t PixelOfColour(const PixelFormat& format, uint32_t colour);

// Fills WindowPicture.SheetPixels from the sheet's shared colour table, for
// the picture's format (the row spans follow from them).
void TranslateSheetColours(const SpriteSheet& sheet);

// Every pixel of the picture set to the colour (0x00RRGGBB).
void FillWindowPicture(uint32_t colour);

// One sprite of a step: SpriteField.Sprites[index] is moved (UpdateSprite) and
// redrawn in the picture at SaverSettings.Zoom: its old mask ANDed in, then
// its new mask ANDed and its new image ORed. Returns the union of the old
// and the new square cut to the picture, the rectangle to send.
PictureRect MoveAndComposeSprite(int32_t index);
