#include "anim/window_animation.h"

#include "anim/embedded_sheet.h"
#include "anim/failure_texts.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "anim/sprite_field.h"
#include "anim/window_field.h"

namespace {

// The window shows the picture from the start: black, whatever it showed.
void SendWholePicture() {
  SendPictureRect(PictureRect{0, 0, WindowPicture.Width, WindowPicture.Height});
}

}  // namespace

const char* StartWindowAnimation(const SaverSettingsRecord& given, int32_t previewAsked,
                                 int32_t width, int32_t height, uint32_t seed) {
  SeedRandom(seed);
  const char* failure = BuildEmbeddedSpriteSheet(&SpriteField.Sheet);
  if (failure == nullptr) failure = StartWindowField(given, previewAsked, width, height);
  if (failure != nullptr) return EnglishFailureText(failure);
  if (!CreatePicture(width, height)) return PictureFailureText;
  TranslateSheetColours(SpriteField.Sheet);
  SendWholePicture();
  return nullptr;
}

void RunAnimationStep(uint32_t seed) {
  SeedRandom(seed);
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    SendPictureRect(MoveAndComposeSprite(index));
  }
}

bool FollowWindowSize(int32_t width, int32_t height) {
  DestroyPicture();
  if (!CreatePicture(width, height)) return false;
  FollowWindowFieldSize(width, height);
  SendWholePicture();
  return true;
}

const char* ApplyWindowSettings(const SaverSettingsRecord& given, int32_t previewAsked, uint32_t seed) {
  SeedRandom(seed);
  EndWindowField();
  const char* failure = StartWindowField(given, previewAsked, WindowPicture.Width, WindowPicture.Height);
  if (failure != nullptr) {
    SaverSettings.Number = 0;  // no sprite array: the steps move nothing
    return EnglishFailureText(failure);
  }
  FillWindowPicture(0x000000);
  SendWholePicture();
  return nullptr;
}

void EndWindowAnimation() {
  DestroyPicture();
  ReleaseSpriteSheet(&SpriteField.Sheet);
  EndWindowField();
}
