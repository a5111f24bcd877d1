#include "settings/settings_store.h"

#include <windows.h>

#include "settings/saver_settings.h"

namespace {

const char SettingsKeyPath[] = "Software\\Orvalex\\Pennydance";

// The query goes into a scratch word that starts as the field's value, and
// the whole word is copied back only when the query succeeds. A value shorter
// than four bytes then replaces just the low-order bytes, as the field itself
// would have (a string without its zero also gets the zero that Wine 8 writes
// one past the size it reports, measured); a value longer than four bytes
// fails with ERROR_MORE_DATA, after which the buffer's content is undefined,
// so the field keeps the default as for an absent value.
void LoadSettingValue(HKEY key, const SettingDescription& setting) {
  int32_t& field = SaverSettings.*setting.field;
  int32_t scratch = field;
  DWORD size = sizeof scratch;
  if (RegQueryValueExA(key, setting.name, nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&scratch), &size) == ERROR_SUCCESS) {
    field = scratch;
  }
}

}  // namespace

void LoadSaverSettings() {
  SetDefaultSettings(&SaverSettings);
  // All access although only reads follow: a key the user may not modify
  // counts as absent, and opening never creates it.
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  for (const SettingDescription& setting : SettingTable) {
    LoadSettingValue(key, setting);
  }
  RegCloseKey(key);
}

void SaveSaverSettings() {
  char emptyClass[] = "";
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, emptyClass,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  // A failed write does not stop the others; nobody is told either way.
  for (const SettingDescription& setting : SettingTable) {
    const int32_t value = SaverSettings.*setting.field;
    RegSetValueExA(key, setting.name, 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  RegCloseKey(key);
}
