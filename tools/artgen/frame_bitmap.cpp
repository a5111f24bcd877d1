#include "tools/artgen/frame_bitmap.h"

#include "tools/artgen/art_palette.h"
#include "tools/artgen/picture_render.h"

Bytes FrameBitmapFile(int frame, const std::vector<uint8_t>& picture) {
  Bytes out;
  out.reserve(FrameFileBytes);
  PutU8(&out, 'B');
  PutU8(&out, 'M');
  PutU32(&out, FrameFileBytes);
  PutU32(&out, 0);
  PutU32(&out, FramePixelOffset);

  PutU32(&out, 40);
  PutU32(&out, PictureSide);
  PutU32(&out, PictureSide);  // positive: rows bottom-up
  PutU16(&out, 1);
  PutU16(&out, 8);
  PutU32(&out, 0);  // BI_RGB
  PutU32(&out, PictureSide * PictureSide);
  PutU32(&out, 0);
  PutU32(&out, 0);
  PutU32(&out, PaletteSize);
  PutU32(&out, UsedColours);

  ArtColour table[PaletteSize];
  FrameColourTable(frame, table);
  for (const ArtColour& c : table) {
    PutU8(&out, c.blue);
    PutU8(&out, c.green);
    PutU8(&out, c.red);
    PutU8(&out, 0);
  }
  for (int row = PictureSide - 1; row >= 0; --row)
    out.insert(out.end(), picture.begin() + row * PictureSide,
               picture.begin() + (row + 1) * PictureSide);
  return out;
}
