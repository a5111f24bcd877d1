// Platform-free core: the characters in a window that may take any size and
// change it at any moment, as the X11 program's and the page's do: the
// preview rule and the limits follow the size, and however small the window,
// a character stays in view.
#pragma once

#include <cstdint>

#include "settings/saver_settings.h"

// In a window narrower or lower than this (two characters side by side),
// the preview replacements apply, as in the small preview on Windows.
const int32_t PreviewBelow = 224;

struct WindowFieldRecord {
  SaverSettingsRecord given;  // as the run was started with, already bounded
  int32_t previewAsked;       // the preview whatever the size
  // Where the field's pixel (0, 0) lies in the window: left of or above it
  // when the window is smaller than a character, so that one is centred.
  int32_t OriginX;
  int32_t OriginY;
};

extern WindowFieldRecord WindowField;

// SaverSettings and SpriteField for a window of width x height: the
// settings given or the preview's, the sprite array (big enough for either,
// so that crossing the line later needs no allocation), the limits and the
// sprites placed. Null on success, otherwise the failure text.
const char* StartWindowField(const SaverSettingsRecord& given, int32_t previewAsked,
                             int32_t width, int32_t height);

// A new window size: the limits follow; crossing the preview line either
// way switches the settings and places the sprites anew, which is then
// returned as true.
bool FollowWindowFieldSize(int32_t width, int32_t height);

void EndWindowField();
