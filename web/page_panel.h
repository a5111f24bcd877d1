// The page's settings panel, the counterpart of the configuration dialog:
// its five fields are read as the dialog reads its edits and bounded as its
// OK bounds them, and the animation takes the result at once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/saver_settings.h"

// A field's text as the dialog's edit reads it: an unsigned decimal number,
// and 0 for a text that is not one (empty, a sign, letters, a number beyond
// 32 bits); blanks around the digits are allowed.
uint32_t ReadFieldText(const char* text, size_t length);

// fieldTexts holds the Number, MoveSpeed, RotSpeed, RotTimeMin and
// RotTimeMax fields' texts, one a line; standardChecked is the "standard"
// zoom button's state. The bounded settings go to *settings.
void BoundPanelFields(int32_t standardChecked, const char* fieldTexts, SaverSettingsRecord* settings);
