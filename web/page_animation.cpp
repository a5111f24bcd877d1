#include "web/page_animation.h"

#include "anim/embedded_sheet.h"
#include "anim/failure_texts.h"
#include "anim/saver_random.h"
#include "anim/sheet_assembly.h"
#include "anim/sprite_field.h"
#include "anim/step_grid.h"
#include "anim/window_field.h"
#include "settings/saver_settings.h"
#include "web/canvas_picture.h"
#include "web/page_state.h"

namespace {

int64_t Nanoseconds(double milliseconds) { return static_cast<int64_t>(milliseconds * 1e6); }

uint32_t MillisecondCount(double milliseconds) {
  return static_cast<uint32_t>(static_cast<uint64_t>(milliseconds));
}

}  // namespace

const char* CreatePageAnimation(int32_t width, int32_t height, double nowMs) {
  SeedRandom(MillisecondCount(nowMs));
  const PageOptionsRecord& options = PageState.options;
  const char* failure = BuildEmbeddedSpriteSheet(&SpriteField.Sheet);
  if (failure == nullptr) failure = StartWindowField(options.settings, options.isPreview, width, height);
  if (failure != nullptr) return EnglishFailureText(failure);
  if (!CreateCanvasPicture(width, height)) return "Not enough memory (picture)";
  TranslateSheetColours(SpriteField.Sheet);
  // The page runs the first step at once and the grid goes on from there.
  PageState.deadline = Nanoseconds(nowMs);
  StartStepRate(&PageState.rate, Nanoseconds(nowMs));
  return nullptr;
}

void RunPageStep(double nowMs) {
  SeedRandom(MillisecondCount(nowMs));
  ForgetChangedRects();
  for (int32_t index = 0; index < SaverSettings.Number; ++index) {
    NoteChangedRect(MoveAndComposeSprite(index));
  }
  FinishChangedRects();
  PageState.deadline = NextStepDeadline(PageState.deadline, Nanoseconds(nowMs));
}

double MillisecondsToNextStep(double nowMs) {
  const int64_t left = PageState.deadline - Nanoseconds(nowMs);
  return left > 0 ? left / 1e6 : 0.0;
}

bool FollowCanvasSize(int32_t width, int32_t height) {
  DestroyCanvasPicture();
  if (!CreateCanvasPicture(width, height)) return false;
  FollowWindowFieldSize(width, height);
  return true;
}

void DestroyPageAnimation() {
  DestroyCanvasPicture();
  ReleaseSpriteSheet(&SpriteField.Sheet);
  EndWindowField();
}
