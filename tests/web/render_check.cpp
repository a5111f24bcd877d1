// The page's script driving the render cases instead of the animation: the
// same exports as the page's module, but pennydance_start sets up the case
// named in the address (?case=N) on a synthetic sheet, and each step runs
// one step of the case, composing the picture and working out the shared
// model beside it. After the case's last step the page's title says how
// many of the picture's pixels differ from the model's, and window.renderModel
// holds the model as canvas bytes, for the driver to compare with the canvas;
// window.renderBuild names the module's build (SIMD or scalar).
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "anim/sprite_field.h"
#include "anim/window_field.h"
#include "anim/window_picture.h"
#include "settings/saver_settings.h"
#include "tests/support/anim_render_cases.h"
#include "tests/support/anim_screen_model.h"
#include "web/canvas_picture.h"

namespace {

struct CheckRecord {
  const RenderCase* renderCase;
  std::vector<SpriteState> sprites;
  ScreenModel model;
  int stepsLeft;
  char message[64];
  std::vector<char> input;
};

CheckRecord Check;

void PaintBackground() {
  Check.model = FilledScreenModel(RenderStageWidth, RenderStageHeight, 0);
  for (const Band& band : Check.renderCase->background) {
    for (int y = 0; y < RenderStageHeight; ++y) {
      for (int x = band.left; x < band.right; ++x) {
        Check.model.pixels[y * RenderStageWidth + x] = band.colour;
        reinterpret_cast<uint32_t*>(WindowPicture.Pixels)[y * RenderStageWidth + x] =
            PixelOfColour(WindowPicture.Format, band.colour);
      }
    }
  }
}

// The model as the canvas's bytes, handed to the page.
void PublishResult() {
  std::vector<uint32_t> expected(Check.model.pixels.size());
  int differing = 0;
  const uint32_t* picture = reinterpret_cast<const uint32_t*>(WindowPicture.Pixels);
  for (size_t i = 0; i < expected.size(); ++i) {
    expected[i] = PixelOfColour(WindowPicture.Format, Check.model.pixels[i]);
    differing += expected[i] != picture[i];
  }
  EM_ASM({
    window.renderModel = HEAPU8.slice($0, $0 + $1);
    document.title = 'done ' + $2;
  }, expected.data(), expected.size() * 4, differing);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE char* pennydance_input(int32_t size) {
  Check.input.resize(size > 0 ? static_cast<size_t>(size) : 1);
  return Check.input.data();
}

EMSCRIPTEN_KEEPALIVE int32_t pennydance_start(const char*, const char* query, int32_t, int32_t, double,
                                              uint32_t) {
  const char* number = std::strstr(query, "case=");
  const size_t index = number != nullptr ? std::strtoul(number + 5, nullptr, 10) : 0;
  if (index >= RenderCases.size()) return 1;
  const RenderCase& c = RenderCases[index];
  EM_ASM({
    window.renderCaseCount = $0;
    window.renderCaseName = UTF8ToString($1);
    window.renderBuild = $2 ? 'SIMD' : 'scalar';
  }, static_cast<int>(RenderCases.size()), c.name, PICTURE_ROW_VECTORS);
  Check.renderCase = &c;
  Check.sprites = c.sprites;
  Check.stepsLeft = c.steps;
  SaverSettings = SaverSettingsRecord{c.zoom, static_cast<int32_t>(c.sprites.size()), c.moveSpeed, 16, 16, 48};
  SpriteField = SpriteFieldRecord{};
  SpriteField.isPreview = c.isPreview;
  FillSyntheticSheet(&SpriteField.Sheet);
  SpriteField.Sprites = Check.sprites.data();
  SpriteField.LimitX = c.width - 112 * c.zoom;
  SpriteField.LimitY = c.height - 112 * c.zoom;
  WindowField = WindowFieldRecord{};
  if (!CreatePicture(RenderStageWidth, RenderStageHeight)) return 1;
  TranslateSheetColours(SpriteField.Sheet);
  PaintBackground();
  return 0;
}

EMSCRIPTEN_KEEPALIVE const char* pennydance_message() { return Check.message; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_show_fps() { return 0; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_is_preview() { return 0; }

// The case's picture keeps its size whatever the canvas's.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_resize(int32_t, int32_t) { return 0; }

EMSCRIPTEN_KEEPALIVE void pennydance_step(double, uint32_t) {
  ForgetChangedRects();
  if (Check.stepsLeft == 0) return;
  for (size_t i = 0; i < Check.sprites.size(); ++i) {
    const SpriteState before = Check.sprites[i];
    SendPictureRect(MoveAndComposeSprite(static_cast<int32_t>(i)));
    ModelSpriteRedraw(&Check.model, SpriteField.Sheet, Check.renderCase->zoom, before, Check.sprites[i]);
  }
  FinishChangedRects();
  if (--Check.stepsLeft == 0) PublishResult();
}

EMSCRIPTEN_KEEPALIVE double pennydance_wait(double) { return 20.0; }

EMSCRIPTEN_KEEPALIVE uint8_t* pennydance_pixels() { return WindowPicture.Pixels; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_width() { return WindowPicture.Width; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_height() { return WindowPicture.Height; }

EMSCRIPTEN_KEEPALIVE const int32_t* pennydance_rects() { return ChangedRects(); }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_rects_length() { return ChangedRectsLength; }

EMSCRIPTEN_KEEPALIVE const char* pennydance_fps_text(double, double) { return ""; }

}  // extern "C"
