// Platform-free core: the settings as options of the X11 program's command
// line and of the page's address name them ("MoveSpeed" is move-speed), read
// as whole numbers and bounded as the dialog's OK bounds them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/saver_settings.h"

// The option name of a setting: "MoveSpeed" -> "move-speed"; false when it
// does not fit.
bool OptionNameOf(const char* settingName, char* name, size_t nameSize);

// The table row whose option name is given[0 .. length - 1], or null.
const SettingDescription* SettingOfOptionName(const char* given, size_t length);

// Whether given[0 .. length - 1] is exactly the name.
bool OptionNameIs(const char* given, size_t length, const char* name);

enum SettingOptionOutcome : int32_t {
  NotASettingOption = 0,  // no setting has that name
  SettingOptionApplied = 1,
  BadSettingValue = 2,    // a setting's name with a value that is no whole number
};

// One "name value" pair of the X11 program's command line or the page's
// address: the setting of that option name takes the value (bounding comes
// later, for all six together, with BoundAsTheDialogDoes).
SettingOptionOutcome ApplySettingOption(const char* name, size_t length, const char* value,
                                        SaverSettingsRecord* settings);

// A signed decimal number, the whole text; false for anything else. A
// number beyond 32 bits counts as the nearest 32-bit one, as it is out of
// every range anyway.
bool ReadSettingValue(const char* text, int32_t* value);

// What the dialog's OK makes of the values: the zoom radio button is
// checked for 1 only, and every field is read as the unsigned 32-bit value
// of its text.
void BoundAsTheDialogDoes(SaverSettingsRecord* settings);
