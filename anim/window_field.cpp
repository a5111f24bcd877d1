#include "anim/window_field.h"

#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/sprite_field.h"
#include "settings/settings_bounds.h"

WindowFieldRecord WindowField = {};

namespace {

bool IsPreviewSize(int32_t width, int32_t height) {
  return WindowField.previewAsked || width < PreviewBelow || height < PreviewBelow;
}

void ChooseSettings(bool preview) {
  SaverSettings = WindowField.given;
  SpriteField.isPreview = preview ? 1 : 0;
  if (preview) ReplaceSettingsForPreview(&SaverSettings);
  BoundSettingsForRun(&SaverSettings);
}

// The motion bounces only off a limit above 0, so a window no larger than
// a character keeps a limit of 1 and shows the character's middle instead.
void FitDimension(int32_t size, int32_t* limit, int32_t* origin) {
  const int32_t side = SaverSettings.Zoom * SpriteSide;
  if (size > side) {
    *limit = size - side;
    *origin = 0;
  } else {
    *limit = 1;
    *origin = (size - side) / 2;
  }
}

void SetLimits(int32_t width, int32_t height) {
  FitDimension(width, &SpriteField.LimitX, &WindowField.OriginX);
  FitDimension(height, &SpriteField.LimitY, &WindowField.OriginY);
}

// The preview's character does not move, so nothing else would bring it
// back into a window that shrank under it.
void KeepPreviewInside() {
  const int32_t right = SpriteField.LimitX * 4096, bottom = SpriteField.LimitY * 4096;
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    SpriteState& sprite = SpriteField.Sprites[index];
    if (sprite.PosX > right) sprite.PosX = right;
    if (sprite.PosY > bottom) sprite.PosY = bottom;
  }
}

int32_t LargerNumber() {
  ChooseSettings(true);
  const int32_t preview = SaverSettings.Number;
  ChooseSettings(false);
  return SaverSettings.Number > preview ? SaverSettings.Number : preview;
}

}  // namespace

const char* StartWindowField(const SaverSettingsRecord& given, int32_t previewAsked,
                             int32_t width, int32_t height) {
  WindowField = WindowFieldRecord{given, previewAsked, 0, 0};
  const int32_t number = LargerNumber();
  SpriteField.Sprites = static_cast<SpriteState*>(
      AllocateBlock(static_cast<size_t>(number) * sizeof(SpriteState)));
  if (SpriteField.Sprites == nullptr) return PosFailureText;
  ChooseSettings(IsPreviewSize(width, height));
  SetLimits(width, height);
  PlaceSprites(SpriteField.LimitX, SpriteField.LimitY);
  return nullptr;
}

bool FollowWindowFieldSize(int32_t width, int32_t height) {
  if (SpriteField.Sprites == nullptr) return false;  // nothing to place: the start failed
  const bool preview = IsPreviewSize(width, height);
  const bool crossed = preview != (SpriteField.isPreview != 0);
  if (crossed) ChooseSettings(preview);
  SetLimits(width, height);
  if (crossed) {
    PlaceSprites(SpriteField.LimitX, SpriteField.LimitY);
  } else if (preview) {
    KeepPreviewInside();
  }
  return crossed;
}

void EndWindowField() {
  ReleaseBlock(SpriteField.Sprites);
  SpriteField.Sprites = nullptr;
}
