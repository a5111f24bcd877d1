// The frame blocks of the sprite sheet: rotations, masks, and reading the
// frame bitmap files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "anim/sheet_builder.h"
#include "anim/sin_cos_table.h"
#include "anim/sprite_sheet.h"
#include "tests/support/sheet_oracle.h"

namespace {

typedef std::vector<uint8_t> Bytes;

struct FrameBlocks {
  Bytes bitmap = Bytes(FrameBlockBytes, 0xAA);
  Bytes mask = Bytes(FrameBlockBytes, 0xAA);
};

FrameBlocks Build(const Bytes& stored) {
  FrameBlocks blocks;
  FillFrameBlocks(stored.data(), blocks.bitmap.data(), blocks.mask.data());
  return blocks;
}

FrameBlocks BuildWithOracle(const Bytes& stored) {
  FrameBlocks blocks;
  FillFrameBlocksOracle(stored.data(), blocks.bitmap.data(), blocks.mask.data());
  return blocks;
}

uint8_t& Pixel(Bytes& picture, int column, int row) { return picture[row * SpriteSide + column]; }

// Byte of rotation r at destination column x, stored row y.
uint8_t At(const Bytes& block, int rotation, int x, int y) {
  return block[rotation * PictureBytes + y * SpriteSide + x];
}

// Pictures made up for the tests; the key colour is always the first byte.
Bytes Uniform(uint8_t colour) { return Bytes(PictureBytes, colour); }

Bytes Noise(uint32_t state, uint8_t key, int keyEvery) {
  Bytes picture(PictureBytes);
  for (int p = 0; p < PictureBytes; ++p) {
    state = state * 1664525u + 1013904223u;
    picture[p] = static_cast<uint8_t>(state >> 24);
    if ((state >> 8) % keyEvery == 0) picture[p] = key;
  }
  picture[0] = key;
  return picture;
}

// A disc of colours 3..19 with a black outline on the key colour 2.
Bytes Figure() {
  Bytes picture = Uniform(2);
  for (int y = 0; y < SpriteSide; ++y) {
    for (int x = 0; x < SpriteSide; ++x) {
      const int dx = x - 56;
      const int dy = y - 50;
      const int distance = dx * dx + dy * dy;
      if (distance < 40 * 40) Pixel(picture, x, y) = static_cast<uint8_t>(3 + (x / 7 + y / 5) % 17);
      if (distance >= 38 * 38 && distance < 40 * 40) Pixel(picture, x, y) = 0;
    }
  }
  return picture;
}

// Every pixel tells its column (or row) as colour 100 + n; column 0 (or row
// 0) is the key colour 100.
Bytes ColumnCoded() {
  Bytes picture(PictureBytes);
  for (int y = 0; y < SpriteSide; ++y)
    for (int x = 0; x < SpriteSide; ++x) Pixel(picture, x, y) = static_cast<uint8_t>(100 + x);
  return picture;
}

Bytes RowCoded() {
  Bytes picture(PictureBytes);
  for (int y = 0; y < SpriteSide; ++y)
    for (int x = 0; x < SpriteSide; ++x) Pixel(picture, x, y) = static_cast<uint8_t>(100 + y);
  return picture;
}

// Opaque colour 7 everywhere except the key pixel 0 itself.
Bytes SolidWithKeyCorner() {
  Bytes picture = Uniform(7);
  picture[0] = 2;
  return picture;
}

struct NamedPicture {
  const char* name;
  Bytes pixels;
};

std::vector<NamedPicture> SyntheticPictures() {
  Bytes keyZeroFigure = Figure();
  for (uint8_t& pixel : keyZeroFigure) pixel = pixel == 2 ? 0 : pixel == 0 ? 2 : pixel;
  return {
      {"figure on key 2", Figure()},
      {"figure on key 0", keyZeroFigure},
      {"noise, key 2", Noise(1, 2, 5)},
      {"noise, key 0", Noise(2, 0, 3)},
      {"noise, key 255", Noise(3, 255, 7)},
      {"noise, key 19", Noise(4, 19, 2)},
      {"all key", Uniform(2)},
      {"all key 0", Uniform(0)},
      {"column coded", ColumnCoded()},
      {"row coded", RowCoded()},
      {"solid with key corner", SolidWithKeyCorner()},
  };
}

void ExpectSameBlocks(const FrameBlocks& actual, const FrameBlocks& expected) {
  for (int rotation = 0; rotation < RotationCount; ++rotation) {
    const size_t offset = static_cast<size_t>(rotation) * PictureBytes;
    EXPECT_EQ(0, std::memcmp(actual.bitmap.data() + offset, expected.bitmap.data() + offset,
                             PictureBytes))
        << "image of rotation " << rotation;
    EXPECT_EQ(0, std::memcmp(actual.mask.data() + offset, expected.mask.data() + offset,
                             PictureBytes))
        << "mask of rotation " << rotation;
  }
}

TEST(FillFrameBlocks, EqualsThePixelByPixelBuildOnMadeUpPictures) {
  for (const NamedPicture& picture : SyntheticPictures()) {
    SCOPED_TRACE(picture.name);
    ExpectSameBlocks(Build(picture.pixels), BuildWithOracle(picture.pixels));
  }
}

// The whole sheet at once shares each rotation's sampling between frames;
// frames with different key colours must not mix.
TEST(FillSheetBlocks, EqualsThePixelByPixelBuildFrameByFrame) {
  const std::vector<NamedPicture> pictures = SyntheticPictures();
  for (int frameCount : {FrameCount, 2, 1}) {
    SCOPED_TRACE(frameCount);
    std::vector<FrameBlocks> blocks(frameCount);
    const uint8_t* stored[FrameCount];
    uint8_t* bitmaps[FrameCount];
    uint8_t* masks[FrameCount];
    for (int f = 0; f < frameCount; ++f) {
      stored[f] = pictures[f + 1].pixels.data();
      bitmaps[f] = blocks[f].bitmap.data();
      masks[f] = blocks[f].mask.data();
    }
    FillSheetBlocks(frameCount, stored, bitmaps, masks);
    for (int f = 0; f < frameCount; ++f) {
      SCOPED_TRACE(pictures[f + 1].name);
      ExpectSameBlocks(blocks[f], BuildWithOracle(pictures[f + 1].pixels));
    }
  }
}

Bytes ReadArtFile(int frame) {
  std::ifstream in(std::string(ART_DIR) + "/" + std::to_string(200 + frame) + ".bmp",
                   std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FillSheetBlocks, EqualsThePixelByPixelBuildOnEveryArtFrame) {
  if (ReadArtFile(0).empty()) GTEST_SKIP() << "no frame bitmaps in " << ART_DIR;
  std::vector<Bytes> stored;
  for (int frame = 0; frame < FrameCount; ++frame) {
    const Bytes file = ReadArtFile(frame);
    FrameFileView view;
    ASSERT_TRUE(ReadFrameFile(file.data(), file.size(), &view)) << frame;
    stored.emplace_back(view.pixels, view.pixels + PictureBytes);
  }
  std::vector<FrameBlocks> blocks(FrameCount);
  const uint8_t* pixels[FrameCount];
  uint8_t* bitmaps[FrameCount];
  uint8_t* masks[FrameCount];
  for (int f = 0; f < FrameCount; ++f) {
    pixels[f] = stored[f].data();
    bitmaps[f] = blocks[f].bitmap.data();
    masks[f] = blocks[f].mask.data();
  }
  FillSheetBlocks(FrameCount, pixels, bitmaps, masks);
  for (int frame = 0; frame < FrameCount; ++frame) {
    SCOPED_TRACE(frame);
    ExpectSameBlocks(blocks[frame], BuildWithOracle(stored[frame]));
    ExpectSameBlocks(Build(stored[frame]), BuildWithOracle(stored[frame]));
  }
}

// Key-coloured pixels are 0 in the image and 19 in the mask; every other
// pixel keeps its colour and has mask 0.
TEST(FillFrameBlocks, MasksFollowTheKeyColour) {
  for (const NamedPicture& picture : SyntheticPictures()) {
    SCOPED_TRACE(picture.name);
    const uint8_t key = picture.pixels[0];
    const FrameBlocks blocks = Build(picture.pixels);
    for (int p = 0; p < PictureBytes; ++p) {
      const bool isKey = picture.pixels[p] == key;
      ASSERT_EQ(blocks.mask[p], isKey ? 19 : 0) << "pixel " << p;
      ASSERT_EQ(blocks.bitmap[p], isKey ? 0 : picture.pixels[p]) << "pixel " << p;
    }
    for (int p = 0; p < FrameBlockBytes; ++p) {
      ASSERT_TRUE(blocks.mask[p] == 0 || blocks.mask[p] == 19) << "byte " << p;
      if (blocks.mask[p] == 19) {
        ASSERT_EQ(blocks.bitmap[p], 0) << "byte " << p;
      } else if (key != 0) {
        ASSERT_NE(blocks.bitmap[p], key) << "byte " << p;
      }
    }
  }
}

TEST(FillFrameBlocks, KeyColouredFigurePixelIsTransparentButBlackIsNot) {
  Bytes picture = Figure();
  Pixel(picture, 56, 50) = 2;  // inside the disc, the key colour
  Pixel(picture, 57, 50) = 0;  // inside the disc, black
  const FrameBlocks blocks = Build(picture);
  EXPECT_EQ(At(blocks.mask, 0, 56, 50), 19);
  EXPECT_EQ(At(blocks.bitmap, 0, 56, 50), 0);
  EXPECT_EQ(At(blocks.mask, 0, 57, 50), 0);
  EXPECT_EQ(At(blocks.bitmap, 0, 57, 50), 0);
  // Rotation 16 turns the picture half round: (x, y) comes from (111-x, 111-y).
  EXPECT_EQ(At(blocks.mask, 16, 111 - 56, 111 - 50), 19);
  EXPECT_EQ(At(blocks.mask, 16, 111 - 57, 111 - 50), 0);
}

TEST(FillFrameBlocks, KeyColourZeroLeavesImagesUnmaskedButMasksThem) {
  const Bytes picture = Noise(9, 0, 4);
  FrameBlocks raw;
  FillFrameBlocksOracle(picture.data(), raw.bitmap.data(), raw.mask.data());
  const FrameBlocks blocks = Build(picture);
  EXPECT_EQ(0, std::memcmp(blocks.bitmap.data(), picture.data(), PictureBytes));
  int transparent = 0;
  for (int p = 0; p < FrameBlockBytes; ++p) {
    ASSERT_EQ(blocks.mask[p], blocks.bitmap[p] == 0 ? 19 : 0) << "byte " << p;
    transparent += blocks.mask[p] == 19;
  }
  EXPECT_GT(transparent, FrameBlockBytes / 5);
}

struct QuarterTurn {
  int rotation;
  int (*sourceColumn)(int x, int y);
  int (*sourceRow)(int x, int y);
};

TEST(FillFrameBlocks, QuarterTurnsArePermutationsOfTheStoredPicture) {
  const QuarterTurn turns[] = {
      {8, [](int, int y) { return 111 - y; }, [](int x, int) { return x; }},
      {16, [](int x, int) { return 111 - x; }, [](int, int y) { return 111 - y; }},
      {24, [](int, int y) { return y; }, [](int x, int) { return 111 - x; }},
  };
  Bytes picture = Noise(5, 2, 9);
  const FrameBlocks blocks = Build(picture);
  for (const QuarterTurn& turn : turns) {
    SCOPED_TRACE(turn.rotation);
    for (int y = 0; y < SpriteSide; ++y) {
      for (int x = 0; x < SpriteSide; ++x) {
        const uint8_t source = Pixel(picture, turn.sourceColumn(x, y), turn.sourceRow(x, y));
        ASSERT_EQ(At(blocks.bitmap, turn.rotation, x, y), source == 2 ? 0 : source)
            << x << ", " << y;
        ASSERT_EQ(At(blocks.mask, turn.rotation, x, y), source == 2 ? 19 : 0) << x << ", " << y;
      }
    }
  }
}

// Rotation 1 starts at (49651, -39619); a column adds (4017, 799), a row
// adds (-799, 4017). The coded pictures show where every pixel was sampled.
TEST(FillFrameBlocks, RotationOneSamplesAlongItsSteps) {
  const FrameBlocks byColumn = Build(ColumnCoded());
  const FrameBlocks byRow = Build(RowCoded());
  for (int y = 0; y < SpriteSide; ++y) {
    for (int x = 0; x < SpriteSide; ++x) {
      const int32_t u = 49651 + 4017 * x - 799 * y;
      const int32_t v = -39619 + 799 * x + 4017 * y;
      const bool inside = u >= 0 && u < 0x70000 && v >= 0 && v < 0x70000;
      const int column = u >> 12;
      const int row = v >> 12;
      const bool columnOpaque = inside && column != 0;
      const bool rowOpaque = inside && row != 0;
      ASSERT_EQ(At(byColumn.mask, 1, x, y), columnOpaque ? 0 : 19) << x << ", " << y;
      ASSERT_EQ(At(byColumn.bitmap, 1, x, y), columnOpaque ? 100 + column : 0) << x << ", " << y;
      ASSERT_EQ(At(byRow.mask, 1, x, y), rowOpaque ? 0 : 19) << x << ", " << y;
      ASSERT_EQ(At(byRow.bitmap, 1, x, y), rowOpaque ? 100 + row : 0) << x << ", " << y;
    }
  }
}

TEST(FillFrameBlocks, RotationOneStartsWithFiftyKeyPixels) {
  const FrameBlocks blocks = Build(SolidWithKeyCorner());
  for (int x = 0; x < 50; ++x) EXPECT_EQ(At(blocks.mask, 1, x, 0), 19) << x;
  EXPECT_EQ(At(blocks.mask, 1, 50, 0), 0);
  EXPECT_EQ(At(blocks.bitmap, 1, 50, 0), 7);
}

// Row starts and steps of rotation r, from the sine table.
struct Sampling {
  int32_t u0, v0, columnU, columnV;
};

Sampling SamplingOf(int rotation) {
  const SinCos step = SinCosTable[(128 * rotation) & SinCosMask];
  const SinCos corner = SinCosTable[(128 * rotation - 1536) & SinCosMask];
  return {229376 + 79 * corner.Cos, 229376 + 79 * corner.Sin, step.Cos, step.Sin};
}

struct OutsideCount {
  int rotation;
  int outside;
};

const OutsideCount outsideCounts[] = {{1, 1012}, {4, 2145}, {12, 2145},
                                      {8, 0},    {16, 0},   {24, 0}};

TEST(InsideColumns, RowSpansLeaveTheDocumentedPixelsOutside) {
  for (const OutsideCount& c : outsideCounts) {
    SCOPED_TRACE(c.rotation);
    const Sampling s = SamplingOf(c.rotation);
    int outside = 0;
    for (int y = 0; y < SpriteSide; ++y) {
      const int32_t u = s.u0 - y * s.columnV;
      const int32_t v = s.v0 + y * s.columnU;
      const ColumnSpan span = InsideColumns(u, v, s.columnU, s.columnV);
      outside += SpriteSide - (span.last >= span.first ? span.last - span.first + 1 : 0);
    }
    EXPECT_EQ(outside, c.outside);
  }
}

// With the key colour only at pixel 0, a transparent pixel is one sampled
// outside the square or on pixel (0, 0).
TEST(FillFrameBlocks, TransparentPixelsAreTheOutsideSamplesAndTheKeyCorner) {
  const FrameBlocks blocks = Build(SolidWithKeyCorner());
  for (const OutsideCount& c : outsideCounts) {
    SCOPED_TRACE(c.rotation);
    const Sampling s = SamplingOf(c.rotation);
    int cornerSamples = 0;
    int transparent = 0;
    for (int y = 0; y < SpriteSide; ++y) {
      for (int x = 0; x < SpriteSide; ++x) {
        const int32_t u = s.u0 + x * s.columnU - y * s.columnV;
        const int32_t v = s.v0 + x * s.columnV + y * s.columnU;
        cornerSamples += u >= 0 && u < 4096 && v >= 0 && v < 4096;
        transparent += At(blocks.mask, c.rotation, x, y) == 19;
      }
    }
    EXPECT_EQ(transparent, c.outside + cornerSamples);
  }
}

struct SpanCase {
  int32_t u, v, stepU, stepV;
  int32_t first, last;  // first > last: empty
};

TEST(InsideColumns, ClipsExactlyAtTheSquaresEdges) {
  const int32_t in = 0x38000;  // the centre
  const SpanCase cases[] = {
      {0, in, 0, 0, 0, 111},           {0x6FFFF, in, 0, 0, 0, 111},
      {0x70000, in, 0, 0, 0, -1},      {in, 0x70000, 0, 0, 0, -1},
      {-1, in, 0, 0, 0, -1},           {in, -1, 0, 0, 0, -1},
      {-1, in, 1, 0, 1, 111},          {-4096, in, 4096, 0, 1, 111},
      {-4097, in, 4096, 0, 2, 111},    {0, 0, 4096, 4096, 0, 111},
      {0x70000 - 4096 * 111, in, 4096, 0, 0, 110},
      {0x6FFFF, in, -4096, 0, 0, 111}, {0x70000, in, -4096, 0, 1, 111},
      {0x70000, in, -1, 0, 1, 111},    {0x6FFFF, in, 1, 0, 0, 0},
      {0, in, -1, 0, 0, 0},            {-1, in, -1, 0, 0, -1},
      {0x70000, in, 1, 0, 0, -1},      {-5000000, in, 4096, 0, 0, -1},
      {5000000, in, -4096, 0, 0, -1},  {1000, in, -10, 0, 0, 100},
      // Both coordinates clip: the span is what both allow.
      {-4096 * 10, 0x70000 + 4096 * 5, 4096, -4096, 10, 111},
      {-4096 * 10, 4096 * 20, 4096, -4096, 10, 20},
      {4096 * 50, -1, -4096, 4096, 1, 50},
      // Rotation 1's row 0: v is negative for the first 50 columns.
      {49651, -39619, 4017, 799, 50, 101},
  };
  for (const SpanCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.u << ", " << c.v << ") step (" << c.stepU
                                    << ", " << c.stepV << ")");
    const ColumnSpan span = InsideColumns(c.u, c.v, c.stepU, c.stepV);
    if (c.first > c.last) {
      EXPECT_GT(span.first, span.last);
    } else {
      EXPECT_EQ(span.first, c.first);
      EXPECT_EQ(span.last, c.last);
    }
  }
}

TEST(InsideColumns, AgreesWithTestingEveryColumn) {
  for (int32_t stepU = -4096; stepU <= 4096; stepU += 331) {
    for (int32_t stepV : {-4096, -2896, -799, -1, 0, 1, 799, 2896, 4096}) {
      for (int32_t u = -500000; u <= 1000000; u += 20011) {
        for (int32_t v : {-459000, -4096, -1, 0, 1, 0x38000, 0x6FFFF, 0x70000, 900000}) {
          int first = SpriteSide;
          int last = -1;
          for (int x = 0; x < SpriteSide; ++x) {
            const int32_t su = u + x * stepU;
            const int32_t sv = v + x * stepV;
            if (su >= 0 && su < 0x70000 && sv >= 0 && sv < 0x70000) {
              if (first == SpriteSide) first = x;
              last = x;
            }
          }
          const ColumnSpan span = InsideColumns(u, v, stepU, stepV);
          if (last < 0) {
            ASSERT_GT(span.first, span.last) << u << ", " << v << " step " << stepU << ", " << stepV;
          } else {
            ASSERT_EQ(span.first, first) << u << ", " << v << " step " << stepU << ", " << stepV;
            ASSERT_EQ(span.last, last) << u << ", " << v << " step " << stepU << ", " << stepV;
          }
        }
      }
    }
  }
}

// A frame file of `size` bytes whose bfOffBits field holds `offBits`.
Bytes FrameFile(size_t size, uint32_t offBits) {
  Bytes file(size, 0x33);
  if (size >= 14) {
    for (int i = 0; i < 4; ++i) file[10 + i] = static_cast<uint8_t>(offBits >> (8 * i));
  }
  return file;
}

struct FrameFileCase {
  size_t size;
  uint32_t offBits;
  bool readable;
};

TEST(ReadFrameFile, AcceptsOnlyFilesHoldingHeaderAndPixels) {
  const FrameFileCase cases[] = {
      {13622, 1078, true},         {13622, 1079, false},       {13621, 1077, true},
      {13622, 0, true},            {1077, 0, false},           {1078, 1078, false},
      {1078, 0, false},            {12544, 0, true},           {13622, 13622, false},
      {13622, 13623, false},       {20000, 7456, true},        {20000, 7457, false},
      {13622, 0xFFFFFFFFu, false}, {13622, 0xFFFFFFFFu - 12543, false},
      {13622, 0xFFFFFFFFu - 12544 + 1078 + 1, false},         {13622, 0x80000000u, false},
      {14, 0, false},              {13, 0, false},             {0, 0, false},
  };
  for (const FrameFileCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " bytes, bfOffBits " << c.offBits);
    // An exact-size heap copy, so that any read beyond it trips the sanitizer.
    const Bytes file = FrameFile(c.size, c.offBits);
    uint8_t* exact = new uint8_t[c.size == 0 ? 1 : c.size];
    if (c.size != 0) std::memcpy(exact, file.data(), c.size);
    const uint8_t marker = 0;
    FrameFileView view = {&marker, &marker};
    EXPECT_EQ(ReadFrameFile(exact, c.size, &view), c.readable);
    if (c.readable) {
      EXPECT_EQ(view.header, exact + 14);
      EXPECT_EQ(view.pixels, exact + c.offBits);
    } else {
      EXPECT_EQ(view.header, &marker);
      EXPECT_EQ(view.pixels, &marker);
    }
    delete[] exact;
  }
  FrameFileView view = {nullptr, nullptr};
  EXPECT_FALSE(ReadFrameFile(nullptr, 13622, &view));
}

}  // namespace
