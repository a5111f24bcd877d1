// Builds all seven frames' 32 rotations and masks with the shipped builder
// (the whole sheet at once, as the saver does, and frame by frame) and with
// the pixel-by-pixel one, prints the time of each and the ratios, and exits
// with 1 when they differ in any byte. The whole-sheet figure also goes to
// the combined table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anim/sheet_builder.h"
#include "anim/sprite_sheet.h"
#include "tests/bench/bench_table.h"
#include "tests/support/dialog_paths.h"
#include "tests/support/sheet_oracle.h"

namespace {

typedef std::vector<uint8_t> Bytes;
typedef void (*SheetBuilder)(const std::vector<Bytes>& frames, struct SheetBlocks* blocks);

const int Repeats = 10;

std::string ArtPath(int frame) {
  const std::string path = std::string(ART_DIR) + "/" + std::to_string(200 + frame) + ".bmp";
#ifdef _WIN32
  return WindowsPathOfUnixPath(path);
#else
  return path;
#endif
}

// The stored pixels of an art frame; empty when the file is missing or short.
Bytes ReadArtPixels(int frame) {
  Bytes file;
  if (FILE* in = std::fopen(ArtPath(frame).c_str(), "rb")) {
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) file.insert(file.end(), buffer, buffer + got);
    std::fclose(in);
  }
  FrameFileView view;
  if (!ReadFrameFile(file.data(), file.size(), &view)) return Bytes();
  return Bytes(view.pixels, view.pixels + PictureBytes);
}

// A stand-in when there is no art: a striped disc with an outline on key 2.
Bytes MadeUpPixels(int frame) {
  Bytes pixels(PictureBytes, 2);
  for (int y = 0; y < SpriteSide; ++y) {
    for (int x = 0; x < SpriteSide; ++x) {
      const int distance = (x - 56) * (x - 56) + (y - 50 - frame) * (y - 50 - frame);
      if (distance < 1600) pixels[y * SpriteSide + x] = static_cast<uint8_t>(3 + (x / 6 + y / 4) % 17);
      if (distance >= 1444 && distance < 1600) pixels[y * SpriteSide + x] = 0;
    }
  }
  return pixels;
}

struct SheetBlocks {
  std::vector<Bytes> bitmap = std::vector<Bytes>(FrameCount, Bytes(FrameBlockBytes));
  std::vector<Bytes> mask = std::vector<Bytes>(FrameCount, Bytes(FrameBlockBytes));
};

void BuildWholeSheet(const std::vector<Bytes>& frames, SheetBlocks* blocks) {
  const uint8_t* stored[FrameCount];
  uint8_t* bitmaps[FrameCount];
  uint8_t* masks[FrameCount];
  for (int f = 0; f < FrameCount; ++f) {
    stored[f] = frames[f].data();
    bitmaps[f] = blocks->bitmap[f].data();
    masks[f] = blocks->mask[f].data();
  }
  FillSheetBlocks(FrameCount, stored, bitmaps, masks);
}

void BuildFrameByFrame(const std::vector<Bytes>& frames, SheetBlocks* blocks) {
  for (int f = 0; f < FrameCount; ++f) {
    FillFrameBlocks(frames[f].data(), blocks->bitmap[f].data(), blocks->mask[f].data());
  }
}

void BuildPixelByPixel(const std::vector<Bytes>& frames, SheetBlocks* blocks) {
  for (int f = 0; f < FrameCount; ++f) {
    FillFrameBlocksOracle(frames[f].data(), blocks->bitmap[f].data(), blocks->mask[f].data());
  }
}

// The fastest of several builds of all seven frames, in milliseconds.
double TimeBuilds(SheetBuilder build, const std::vector<Bytes>& frames, SheetBlocks* blocks) {
  double best = 1e30;
  for (int repeat = 0; repeat < Repeats; ++repeat) {
    const auto start = std::chrono::steady_clock::now();
    build(frames, blocks);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    if (elapsed.count() < best) best = elapsed.count();
  }
  return best;
}

// The build this program is and where it runs: every Windows build here
// runs under Wine.
const char* ThisBuild() {
#if defined(_WIN64)
  return "x86_64 build under Wine";
#elif defined(_WIN32)
  return "i686 build under Wine";
#else
  return "native build (host compiler, Release)";
#endif
}

bool SameBlocks(const SheetBlocks& a, const SheetBlocks& b) {
  return a.bitmap == b.bitmap && a.mask == b.mask;
}

}  // namespace

int main() {
  std::vector<Bytes> frames;
  bool fromArt = true;
  for (int f = 0; f < FrameCount; ++f) {
    frames.push_back(ReadArtPixels(f));
    if (frames.back().empty()) fromArt = false;
  }
  if (!fromArt) {
    for (int f = 0; f < FrameCount; ++f) frames[f] = MadeUpPixels(f);
  }
  SheetBlocks whole;
  SheetBlocks byFrame;
  SheetBlocks oracle;
  // Interleaved rounds, so that a busy machine slows all three alike.
  double wholeMs = 1e30, byFrameMs = 1e30, oracleMs = 1e30;
  for (int round = 0; round < 3; ++round) {
    wholeMs = std::min(wholeMs, TimeBuilds(BuildWholeSheet, frames, &whole));
    byFrameMs = std::min(byFrameMs, TimeBuilds(BuildFrameByFrame, frames, &byFrame));
    oracleMs = std::min(oracleMs, TimeBuilds(BuildPixelByPixel, frames, &oracle));
  }
  std::printf("frames: %s\n", fromArt ? "art files" : "made-up pictures");
  std::printf("FillSheetBlocks, whole sheet: %8.3f ms  ratio %.2f\n", wholeMs, oracleMs / wholeMs);
  std::printf("FillFrameBlocks, per frame:   %8.3f ms  ratio %.2f\n", byFrameMs, oracleMs / byFrameMs);
  std::printf("pixel by pixel:               %8.3f ms\n", oracleMs);
  std::printf("(7 frames x 32 rotations + masks, best of %d)\n", 3 * Repeats);
  char ours[32], baseline[32], ratio[32];
  std::snprintf(ours, sizeof ours, "%.2f ms", wholeMs);
  std::snprintf(baseline, sizeof baseline, "%.2f ms", oracleMs);
  std::snprintf(ratio, sizeof ratio, "%.3f", wholeMs / oracleMs);
  PrintTableRow("sheet build, 7 frames x 32 rotations + masks (best of 30)", ThisBuild(),
                fromArt ? "art files" : "made-up pictures", ours,
                "pixel-by-pixel loop (sheet_oracle.cpp)", baseline, ratio, "report only");
  if (!SameBlocks(whole, oracle) || !SameBlocks(byFrame, oracle)) {
    std::printf("blocks differ\n");
    return 1;
  }
  std::printf("all blocks equal\n");
  return 0;
}
