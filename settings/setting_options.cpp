#include "settings/setting_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

const SettingDescription* SettingOfOptionName(const char* given, size_t length) {
  for (const SettingDescription& setting : SettingTable) {
    char name[NameRoom];
    if (OptionNameOf(setting.name, name, sizeof name) && OptionNameIs(given, length, name)) {
      return &setting;
    }
  }
  return nullptr;
}

bool OptionNameIs(const char* given, size_t length, const char* name) {
  return std::strlen(name) == length && std::strncmp(given, name, length) == 0;
}

SettingOptionOutcome ApplySettingOption(const char* name, size_t length, const char* value,
                                        SaverSettingsRecord* settings) {
  const SettingDescription* setting = SettingOfOptionName(name, length);
  if (setting == nullptr) return NotASettingOption;
  int32_t number = 0;
  if (!ReadSettingValue(value, &number)) return BadSettingValue;
  settings->*setting->field = number;
  return SettingOptionApplied;
}

bool ReadSettingValue(const char* text, int32_t* value) {
  const char* digits = text[0] == '-' || text[0] == '+' ? text + 1 : text;
  if (*digits < '0' || *digits > '9') return false;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
  }
  errno = 0;
  const long long read = std::strtoll(text, nullptr, 10);
  if (errno == ERANGE || read > INT32_MAX) {
    *value = read < 0 ? INT32_MIN : INT32_MAX;
  } else {
    *value = read < INT32_MIN ? INT32_MIN : static_cast<int32_t>(read);
  }
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
