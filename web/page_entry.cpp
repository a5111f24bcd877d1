// What the page's scripts call: the WebAssembly module's exports. The
// scripts own the canvas, the clock's timer, the page's events and the
// settings panel; the picture and the rectangles it puts are read straight
// from this memory. Seeds are the wall clock's milliseconds, taken to 32
// bits, which have nothing to do with the page's age; the steps' times are
// the page's performance.now().
#include <emscripten/emscripten.h>

#include <cstdio>

#include "anim/failure_texts.h"
#include "anim/heap_block.h"
#include "anim/window_animation.h"
#include "settings/setting_options.h"
#include "settings/version_text.h"
#include "web/canvas_picture.h"
#include "web/page_clock.h"
#include "web/page_options.h"
#include "web/page_panel.h"
#include "web/page_state.h"

PageStateRecord PageState = {};

namespace {

const int32_t Started = 0, Failed = 1;

void SayFailure(const char* failure) {
  std::snprintf(PageState.message, sizeof PageState.message, "%s", failure);
}

const SettingDescription* TableRow(int32_t index) {
  return index >= 0 && index < SettingCount ? &SettingTable[index] : nullptr;
}

}  // namespace

extern "C" {

// Room for at least size bytes of text from the script; null when there is
// no memory for it.
EMSCRIPTEN_KEEPALIVE char* pennydance_input(int32_t size) {
  const size_t wanted = size > 0 ? static_cast<size_t>(size) : 1;
  if (wanted > PageState.inputSize) {
    ReleaseBlock(PageState.input);
    PageState.input = static_cast<char*>(AllocateBlock(wanted));
    PageState.inputSize = PageState.input != nullptr ? wanted : 0;
  }
  return PageState.input;
}

// Reads the settings the page kept and the address's query (the address's
// win), builds the sheet and places the characters for a canvas of width x
// height device pixels. The message then holds what was ignored (a
// warning) or, on failure, what failed.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_start(const char* kept, const char* query, int32_t width,
                                              int32_t height, double nowMs, uint32_t seed) {
  ReadPageOptions(kept, query, &PageState.options, PageState.message, sizeof PageState.message);
  const PageOptionsRecord& options = PageState.options;
  const char* failure = StartWindowAnimation(options.settings, options.isPreview, width, height, seed);
  if (failure != nullptr) {
    SayFailure(failure);
    return Failed;
  }
  StartPageClock(nowMs);
  return Started;
}

EMSCRIPTEN_KEEPALIVE const char* pennydance_message() { return PageState.message; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_show_fps() { return PageState.options.showFps; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_is_preview() { return PageState.options.isPreview; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_resize(int32_t width, int32_t height) {
  if (FollowWindowSize(width, height)) return Started;
  SayFailure(PictureFailureText);
  return Failed;
}

// One step; its rectangles are then the ones the script puts.
EMSCRIPTEN_KEEPALIVE void pennydance_step(double nowMs, uint32_t seed) {
  ForgetChangedRects();
  RunAnimationStep(seed);
  FinishChangedRects();
  MoveToNextStep(nowMs);
}

EMSCRIPTEN_KEEPALIVE double pennydance_wait(double nowMs) { return MillisecondsToNextStep(nowMs); }

EMSCRIPTEN_KEEPALIVE uint8_t* pennydance_pixels() { return WindowPicture.Pixels; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_width() { return WindowPicture.Width; }

EMSCRIPTEN_KEEPALIVE int32_t pennydance_height() { return WindowPicture.Height; }

EMSCRIPTEN_KEEPALIVE const int32_t* pennydance_rects() { return ChangedRects(); }

// How many numbers the rectangle list holds at most.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_rects_length() { return ChangedRectsLength; }

// Counts a step that ended at nowMs and took stepMs (composing and
// putting), and gives the fps corner's text.
EMSCRIPTEN_KEEPALIVE const char* pennydance_fps_text(double nowMs, double stepMs) {
  NotePageStep(nowMs, stepMs);
  FormatStepRate(PageState.rate, PageState.fpsText, sizeof PageState.fpsText);
  return PageState.fpsText;
}

// ---- The settings panel ----------------------------------------------------

// The settings table, row by row, for the panel's fields: the option name,
// the default, the range and the value the animation was given.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_setting_count() { return SettingCount; }

EMSCRIPTEN_KEEPALIVE const char* pennydance_setting_name(int32_t index) {
  const SettingDescription* row = TableRow(index);
  PageState.settingName[0] = '\0';
  if (row != nullptr) OptionNameOf(row->name, PageState.settingName, sizeof PageState.settingName);
  return PageState.settingName;
}

EMSCRIPTEN_KEEPALIVE int32_t pennydance_setting_default(int32_t index) {
  return TableRow(index) != nullptr ? TableRow(index)->defaultValue : 0;
}

EMSCRIPTEN_KEEPALIVE int32_t pennydance_setting_lowest(int32_t index) {
  return TableRow(index) != nullptr ? TableRow(index)->lowest : 0;
}

EMSCRIPTEN_KEEPALIVE int32_t pennydance_setting_highest(int32_t index) {
  return TableRow(index) != nullptr ? TableRow(index)->highest : 0;
}

EMSCRIPTEN_KEEPALIVE int32_t pennydance_setting_value(int32_t index) {
  return TableRow(index) != nullptr ? PageState.options.settings.*TableRow(index)->field : 0;
}

// The settings given, as the address names them: what the page keeps and
// what its link field shows.
EMSCRIPTEN_KEEPALIVE const char* pennydance_settings_query() {
  FormatSettingsQuery(PageState.options.settings, PageState.settingsQuery, sizeof PageState.settingsQuery);
  return PageState.settingsQuery;
}

// The panel's OK: its fields bounded as the dialog's OK bounds them, and
// the characters placed anew with the result. On failure the message says
// what failed.
EMSCRIPTEN_KEEPALIVE int32_t pennydance_apply_fields(int32_t standardChecked, const char* fieldTexts,
                                                     uint32_t seed) {
  BoundPanelFields(standardChecked, fieldTexts, &PageState.options.settings);
  const char* failure = ApplyWindowSettings(PageState.options.settings, PageState.options.isPreview, seed);
  if (failure == nullptr) return Started;
  SayFailure(failure);
  return Failed;
}

// "Version.1.02", from the file version the module's version record carries.
EMSCRIPTEN_KEEPALIVE const char* pennydance_version_text() {
  FormatVersionText(PENNYDANCE_FILE_VERSION_HIGH, PageState.versionText);
  return PageState.versionText;
}

}  // extern "C"
