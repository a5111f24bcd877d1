#include "settings/setting_options.h"

#include <climits>
#include <cstring>

#include "settings/settings_bounds.h"

namespace {

const size_t NameRoom = 32;

}  // namespace

bool OptionNameOf(const char* settingName, char* name, size_t nameSize) {
  size_t used = 0;
  for (const char* c = settingName; *c != '\0'; ++c) {
    const bool upper = *c >= 'A' && *c <= 'Z';
    if (upper && c != settingName) {
      if (used + 1 >= nameSize) return false;
      name[used++] = '-';
    }
    if (used + 1 >= nameSize) return false;
    name[used++] = upper ? static_cast<char>(*c - 'A' + 'a') : *c;
  }
  name[used] = '\0';
  return true;
}

const SettingDescription* SettingOfOptionName(const char* given, size_t length, NameCase nameCase) {
  for (const SettingDescription& setting : SettingTable) {
    char name[NameRoom];
    if (OptionNameOf(setting.name, name, sizeof name) && OptionNameIs(given, length, name, nameCase)) {
      return &setting;
    }
  }
  return nullptr;
}

bool OptionNameIs(const char* given, size_t length, const char* name, NameCase nameCase) {
  if (std::strlen(name) != length) return false;
  for (size_t i = 0; i < length; ++i) {
    const char c = nameCase == AnyCase && given[i] >= 'A' && given[i] <= 'Z' ? given[i] - 'A' + 'a' : given[i];
    if (c != name[i]) return false;
  }
  return true;
}

SettingOptionOutcome ApplySettingOption(const char* name, size_t length, const char* value,
                                        size_t valueLength, SaverSettingsRecord* settings,
                                        NameCase nameCase) {
  const SettingDescription* setting = SettingOfOptionName(name, length, nameCase);
  if (setting == nullptr) return NotASettingOption;
  int32_t number = 0;
  if (!ReadSettingValue(value, valueLength, &number)) return BadSettingValue;
  settings->*setting->field = number;
  return SettingOptionApplied;
}

bool ReadSettingValue(const char* text, size_t length, int32_t* value) {
  const bool negative = length != 0 && text[0] == '-';
  const size_t first = length != 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (first == length) return false;
  // Counted up to just past the 32-bit range, where it stays: leading zeros
  // and digits beyond that change nothing.
  const int64_t beyond = int64_t(INT32_MAX) + 2;
  int64_t magnitude = 0;
  for (size_t i = first; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > beyond) magnitude = beyond;
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  *value = static_cast<int32_t>(signedValue < INT32_MIN ? INT32_MIN : signedValue > INT32_MAX ? INT32_MAX : signedValue);
  return true;
}

void BoundAsTheDialogDoes(SaverSettingsRecord* settings) {
  ConfiguredFieldValues fields;
  fields.standardZoomState = settings->Zoom == 1 ? RadioButtonChecked : 0u;
  fields.Number = static_cast<uint32_t>(settings->Number);
  fields.MoveSpeed = static_cast<uint32_t>(settings->MoveSpeed);
  fields.RotSpeed = static_cast<uint32_t>(settings->RotSpeed);
  fields.RotTimeMin = static_cast<uint32_t>(settings->RotTimeMin);
  fields.RotTimeMax = static_cast<uint32_t>(settings->RotTimeMax);
  BoundConfiguredSettings(fields, settings);
}
