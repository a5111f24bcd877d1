#include "anim/failure_texts.h"

#include <cstring>

// "メモリが足りません" and "画像が読めません" in code page 932.
#define OUT_OF_MEMORY "\x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1"
#define CANNOT_READ_PICTURE "\x89\xe6\x91\x9c\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1"

const char HeaderFailureText[] = OUT_OF_MEMORY "(Header)";
const char BitmapFailureText[] = OUT_OF_MEMORY "(Bitmap)";
const char MaskFailureText[] = OUT_OF_MEMORY "(Mask)";
const char PaletteFailureText[] = OUT_OF_MEMORY "(Palette)";
const char PosFailureText[] = OUT_OF_MEMORY "(pos)";
const char FrameFailureText[] = CANNOT_READ_PICTURE "(Frame)";
const char PictureFailureText[] = "Not enough memory (picture)";

namespace {

struct TranslatedFailure {
  const char* japanese;
  const char* english;
};

// Plain ASCII, which every code page shows as written.
const TranslatedFailure TranslatedFailures[] = {
    {HeaderFailureText, "Not enough memory (Header)"},
    {BitmapFailureText, "Not enough memory (Bitmap)"},
    {MaskFailureText, "Not enough memory (Mask)"},
    {PaletteFailureText, "Not enough memory (Palette)"},
    {PosFailureText, "Not enough memory (pos)"},
    {FrameFailureText, "Cannot read a picture (Frame)"},
};

}  // namespace

const char* EnglishFailureText(const char* failureText) {
  for (const TranslatedFailure& failure : TranslatedFailures) {
    if (std::strcmp(failure.japanese, failureText) == 0) {
      return failure.english;
    }
  }
  return failureText;
}
