// contact_sheet FILE: every frame at several rotations, from the sheet that
// the programs build out of the frames they embed, as a BMP file.
#include <cstdio>

#include "anim/embedded_sheet.h"
#include "anim/failure_texts.h"
#include "anim/sheet_assembly.h"
#include "tools/artgen/contact_sheet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: contact_sheet FILE\n");
    return 2;
  }
  SpriteSheet sheet = {};
  const char* failure = BuildEmbeddedSpriteSheet(&sheet);
  const bool written = failure == nullptr && WriteWholeFile(argv[1], ContactSheetFile(sheet));
  if (failure != nullptr) std::fprintf(stderr, "contact_sheet: %s\n", EnglishFailureText(failure));
  if (failure == nullptr && !written) std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[1]);
  ReleaseSpriteSheet(&sheet);
  return written ? 0 : 1;
}
