#ifdef _WIN32
#include "tests/bench/bench_settings.h"

#include <algorithm>
#include <cstring>

namespace {

const char SettingsKeyPath[] = "Software\\Orvalex\\Pennydance";

int SettingIndex(const char* name) {
  for (int i = 0; i < SettingCount; ++i) {
    if (std::strcmp(SettingTable[i].name, name) == 0) return i;
  }
  return -1;
}

}  // namespace

std::vector<StoredSetting> ReadStoredSettings() {
  std::vector<StoredSetting> stored(SettingCount, StoredSetting{false, 0});
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return stored;
  }
  for (int i = 0; i < SettingCount; ++i) {
    DWORD size = sizeof stored[i].value;
    stored[i].present = RegQueryValueExA(key, SettingTable[i].name, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&stored[i].value),
                                         &size) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return stored;
}

void WriteStoredSettings(const std::vector<StoredSetting>& stored) {
  const bool any = std::any_of(stored.begin(), stored.end(),
                               [](const StoredSetting& setting) { return setting.present; });
  if (!any) {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    return;
  }
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (int i = 0; i < SettingCount; ++i) {
    if (stored[i].present) {
      RegSetValueExA(key, SettingTable[i].name, 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&stored[i].value), sizeof stored[i].value);
    } else {
      RegDeleteValueA(key, SettingTable[i].name);
    }
  }
  RegCloseKey(key);
}

std::vector<StoredSetting> BenchSettings(int zoom, int number, int moveSpeed) {
  std::vector<StoredSetting> stored(SettingCount, StoredSetting{false, 0});
  stored[SettingIndex("Zoom")] = {true, static_cast<DWORD>(zoom)};
  stored[SettingIndex("Number")] = {true, static_cast<DWORD>(number)};
  stored[SettingIndex("MoveSpeed")] = {true, static_cast<DWORD>(moveSpeed)};
  return stored;
}
#endif
