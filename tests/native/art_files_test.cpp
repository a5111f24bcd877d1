// The generated frame bitmaps and icon, checked as the module and the sheet
// builder will read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes ReadArtFile(const std::string& name) {
  std::ifstream in(std::string(ART_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Field(const Bytes& b, size_t offset, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b.at(offset + i);
  return v;
}

std::string FrameName(int frame) { return std::to_string(200 + frame) + ".bmp"; }

const int FrameCount = 7;
const size_t FrameFileSize = 13622;
const size_t PixelOffset = 1078;
const int Side = 112;
const uint8_t KeyIndex = 2;

// The pixel bytes of a frame file; a missing or short file fails the test
// and yields a blank picture.
Bytes FramePixels(const Bytes& file) {
  if (file.size() != FrameFileSize) {
    ADD_FAILURE() << "frame file of " << file.size() << " bytes";
    return Bytes(Side * Side, KeyIndex);
  }
  return Bytes(file.begin() + PixelOffset, file.end());
}

struct HeaderField {
  const char* name;
  size_t offset;
  int size;
  uint32_t value;
};

const HeaderField FrameHeader[] = {
    {"bfType", 0, 2, 'B' | 'M' << 8},
    {"bfSize", 2, 4, 13622},
    {"bfReserved1", 6, 2, 0},
    {"bfReserved2", 8, 2, 0},
    {"bfOffBits", 10, 4, 1078},
    {"biSize", 14, 4, 40},
    {"biWidth", 18, 4, 112},
    {"biHeight", 22, 4, 112},
    {"biPlanes", 26, 2, 1},
    {"biBitCount", 28, 2, 8},
    {"biCompression", 30, 4, 0},
    {"biSizeImage", 34, 4, 12544},
    {"biXPelsPerMeter", 38, 4, 0},
    {"biYPelsPerMeter", 42, 4, 0},
    {"biClrUsed", 46, 4, 256},
    {"biClrImportant", 50, 4, 20},
};

TEST(ArtFrames, FileSizeAndHeaderFieldsAreExact) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes file = ReadArtFile(FrameName(f));
    ASSERT_EQ(file.size(), FrameFileSize) << FrameName(f);
    for (const HeaderField& h : FrameHeader)
      EXPECT_EQ(Field(file, h.offset, h.size), h.value) << FrameName(f) << " " << h.name;
  }
}

struct FixedColour {
  int frame;  // -1: every frame
  int index;
  uint8_t red, green, blue;
};

const FixedColour FixedColours[] = {
    {-1, 0, 0, 0, 0},        {-1, 2, 48, 128, 40},    {0, 19, 255, 255, 255},
    {1, 19, 248, 248, 248},  {2, 19, 248, 248, 248},  {3, 19, 248, 248, 248},
    {4, 19, 248, 248, 248},  {5, 19, 248, 248, 248},  {6, 19, 248, 248, 248},
};

TEST(ArtFrames, MaskKeyAndWhiteColoursSitAtTheirIndexes) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes file = ReadArtFile(FrameName(f));
    ASSERT_EQ(file.size(), FrameFileSize) << FrameName(f);
    for (const FixedColour& c : FixedColours) {
      if (c.frame != -1 && c.frame != f) continue;
      size_t at = 54 + 4 * c.index;
      EXPECT_EQ(file[at + 2], c.red) << FrameName(f) << " colour " << c.index;
      EXPECT_EQ(file[at + 1], c.green) << FrameName(f) << " colour " << c.index;
      EXPECT_EQ(file[at + 0], c.blue) << FrameName(f) << " colour " << c.index;
    }
  }
}

TEST(ArtFrames, ReservedBytesAreZeroAndUnusedColoursBlack) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes file = ReadArtFile(FrameName(f));
    ASSERT_EQ(file.size(), FrameFileSize) << FrameName(f);
    for (int i = 0; i < 256; ++i) {
      size_t at = 54 + 4 * i;
      EXPECT_EQ(file[at + 3], 0) << FrameName(f) << " colour " << i;
      if (i >= 20) {
        EXPECT_EQ(Field(file, at, 3), 0u) << FrameName(f) << " colour " << i;
      }
    }
  }
}

TEST(ArtFrames, ColourTablesAgreeExceptForWhite) {
  Bytes first = ReadArtFile(FrameName(0));
  ASSERT_EQ(first.size(), FrameFileSize);
  for (int f = 1; f < FrameCount; ++f) {
    Bytes file = ReadArtFile(FrameName(f));
    ASSERT_EQ(file.size(), FrameFileSize) << FrameName(f);
    for (int i = 0; i < 19; ++i)
      EXPECT_EQ(Field(file, 54 + 4 * i, 4), Field(first, 54 + 4 * i, 4)) << FrameName(f) << " colour " << i;
  }
}

TEST(ArtFrames, PixelsUseOnlyTheFirstTwentyColours) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes pixels = FramePixels(ReadArtFile(FrameName(f)));
    int wrong = 0;
    for (uint8_t p : pixels) wrong += p >= 20;
    EXPECT_EQ(wrong, 0) << FrameName(f);
  }
}

TEST(ArtFrames, BottomLeftPixelIsTheKeyColour) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes file = ReadArtFile(FrameName(f));
    ASSERT_EQ(file.size(), FrameFileSize) << FrameName(f);
    EXPECT_EQ(file[PixelOffset], KeyIndex) << FrameName(f);
  }
}

// No rotation may cut the figure off: everything painted lies within 54
// pixels of the centre (measured to pixel centres), the rest is key colour.
TEST(ArtFrames, FigureStaysInsideTheRotationCircle) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes pixels = FramePixels(ReadArtFile(FrameName(f)));
    int outside = 0, painted = 0;
    for (int y = 0; y < Side; ++y)
      for (int x = 0; x < Side; ++x) {
        if (pixels[y * Side + x] == KeyIndex) continue;
        ++painted;
        if (std::hypot(x + 0.5 - 56, y + 0.5 - 56) > 54.0) ++outside;
      }
    EXPECT_EQ(outside, 0) << FrameName(f);
    // A figure that reads on screen covers a fair part of the square.
    EXPECT_GT(painted, Side * Side / 4) << FrameName(f);
  }
}

// The stored rows are bottom-up and the character heads up the picture, so
// its eyes (colours 0 and 15, used nowhere else) lie in the upper part of
// the figure; rows written in the wrong order would put them low.
TEST(ArtFrames, FigureIsStoredBottomUpHeadingUp) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes pixels = FramePixels(ReadArtFile(FrameName(f)));
    int top = Side, bottom = -1;  // picture rows, 0 at the top
    long eyeRowSum = 0, eyePixels = 0;
    for (int stored = 0; stored < Side; ++stored)
      for (int x = 0; x < Side; ++x) {
        uint8_t p = pixels[stored * Side + x];
        int row = Side - 1 - stored;
        if (p == KeyIndex) continue;
        top = std::min(top, row);
        bottom = std::max(bottom, row);
        if (p == 0 || p == 15) {
          eyeRowSum += row;
          ++eyePixels;
        }
      }
    ASSERT_GT(eyePixels, 40) << FrameName(f);
    EXPECT_LT(eyeRowSum / eyePixels, top + (bottom - top) * 2 / 5) << FrameName(f);
  }
}

TEST(ArtFrames, EveryFrameDiffersFromTheNext) {
  for (int f = 0; f < FrameCount; ++f) {
    Bytes a = FramePixels(ReadArtFile(FrameName(f)));
    Bytes b = FramePixels(ReadArtFile(FrameName((f + 1) % FrameCount)));
    int differing = 0;
    for (int p = 0; p < Side * Side; ++p) differing += a[p] != b[p];
    EXPECT_GT(differing, 100) << FrameName(f) << " and the next frame";
  }
}

struct IconImageFacts {
  int bitsPerPixel;
  int colourCount;  // as the directory entry states it; 0 for 256
  uint32_t bytes;   // header, colour table, colour bits, AND mask
};

const IconImageFacts IconImages[] = {
    {4, 16, 40 + 16 * 4 + 32 * 16 + 32 * 4},
    {8, 0, 40 + 256 * 4 + 32 * 32 + 32 * 4},
};

TEST(ArtIcon, HoldsTwo32By32ImagesIn16And256Colours) {
  Bytes ico = ReadArtFile("pennydance.ico");
  ASSERT_GE(ico.size(), 6u + 2 * 16);
  EXPECT_EQ(Field(ico, 0, 2), 0u);
  EXPECT_EQ(Field(ico, 2, 2), 1u);  // icon
  ASSERT_EQ(Field(ico, 4, 2), 2u);
  size_t end = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    const IconImageFacts& want = IconImages[i];
    size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry + 0], 32) << "image " << i;
    EXPECT_EQ(ico[entry + 1], 32) << "image " << i;
    EXPECT_EQ(ico[entry + 2], want.colourCount) << "image " << i;
    EXPECT_EQ(ico[entry + 3], 0) << "image " << i;
    EXPECT_EQ(Field(ico, entry + 4, 2), 1u) << "image " << i;
    EXPECT_EQ(Field(ico, entry + 6, 2), uint32_t(want.bitsPerPixel)) << "image " << i;
    uint32_t size = Field(ico, entry + 8, 4);
    uint32_t offset = Field(ico, entry + 12, 4);
    EXPECT_EQ(size, want.bytes) << "image " << i;
    EXPECT_EQ(offset, end) << "images follow the directory without gaps";
    ASSERT_LE(size_t(offset) + size, ico.size()) << "image " << i;
    end = offset + size;

    EXPECT_EQ(Field(ico, offset + 0, 4), 40u) << "image " << i;
    EXPECT_EQ(Field(ico, offset + 4, 4), 32u) << "image " << i;
    EXPECT_EQ(Field(ico, offset + 8, 4), 64u) << "height counts colour bits and mask";
    EXPECT_EQ(Field(ico, offset + 12, 2), 1u) << "image " << i;
    EXPECT_EQ(Field(ico, offset + 14, 2), uint32_t(want.bitsPerPixel)) << "image " << i;
    EXPECT_EQ(Field(ico, offset + 16, 4), 0u) << "image " << i;

    // The AND mask (last 128 bytes) lets the desktop through round the
    // figure and hides it under the figure.
    int transparent = 0;
    for (size_t b = offset + size - 128; b < offset + size; ++b)
      for (int bit = 0; bit < 8; ++bit) transparent += ico[b] >> bit & 1;
    EXPECT_GT(transparent, 32 * 32 / 8) << "image " << i;
    EXPECT_LT(transparent, 32 * 32 * 7 / 8) << "image " << i;
  }
  EXPECT_EQ(ico.size(), end);
}

TEST(ArtIcon, TransparentPixelsAreBlackInTheColourBits) {
  Bytes ico = ReadArtFile("pennydance.ico");
  ASSERT_EQ(ico.size(), 6u + 2 * 16 + IconImages[0].bytes + IconImages[1].bytes);
  for (int i = 0; i < 2; ++i) {
    size_t offset = Field(ico, 6 + 16 * i + 12, 4);
    int bpp = IconImages[i].bitsPerPixel;
    size_t colours = offset + 40 + 4 * (size_t(1) << bpp);
    size_t mask = colours + 32 * 32 * bpp / 8;
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        bool transparent = ico[mask + y * 4 + x / 8] >> (7 - x % 8) & 1;
        size_t bit = (size_t(y) * 32 + x) * bpp;
        uint8_t index = bpp == 8 ? ico[colours + bit / 8] : (ico[colours + bit / 8] >> (bit % 8 ? 0 : 4)) & 15;
        uint32_t rgb = Field(ico, offset + 40 + 4 * index, 3);
        if (transparent && rgb != 0) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << "image " << i;
  }
}

}  // namespace
