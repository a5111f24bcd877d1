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

// How option names are compared: the X11 program's exactly, the page's
// address without regard to case (?Number=64 works there).
enum NameCase : int32_t { ExactCase = 0, AnyCase = 1 };

// The table row whose option name is given[0 .. length - 1], or null.
const SettingDescription* SettingOfOptionName(const char* given, size_t length,
                                              NameCase nameCase = ExactCase);

// Whether given[0 .. length - 1] is the name.
bool OptionNameIs(const char* given, size_t length, const char* name, NameCase nameCase = ExactCase);

enum SettingOptionOutcome : int32_t {
  NotASettingOption = 0,  // no setting has that name
  SettingOptionApplied = 1,
  BadSettingValue = 2,    // a setting's name with a value that is no whole number
};

// One "name value" pair of the X11 program's command line or the page's
// address: the setting of that option name takes the value (bounding comes
// later, for all six together, with BoundAsTheDialogDoes).
// The value is text[0 .. valueLength - 1].
SettingOptionOutcome ApplySettingOption(const char* name, size_t length, const char* value,
                                        size_t valueLength, SaverSettingsRecord* settings,
                                        NameCase nameCase = ExactCase);

// A signed decimal number of any length, the whole of text[0 .. length - 1];
// false for anything else. A number beyond 32 bits counts as the nearest
// 32-bit one, as it is out of every range anyway.
bool ReadSettingValue(const char* text, size_t length, int32_t* value);

// What the dialog's OK makes of the values: the zoom radio button is
// checked for 1 only, and every field is read as the unsigned 32-bit value
// of its text.
void BoundAsTheDialogDoes(SaverSettingsRecord* settings);
