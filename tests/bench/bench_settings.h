// The saver's stored settings as the Windows-side benchmarks set them for a
// case and put them back afterwards, in the registry of their own prefix.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <vector>

#include "settings/saver_settings.h"

// One value of the settings key as found: absent, or a REG_DWORD.
struct StoredSetting {
  bool present;
  DWORD value;
};

// In SettingTable's order.
std::vector<StoredSetting> ReadStoredSettings();
// Writes what is present and deletes what is absent; with nothing present
// the key itself goes, as before a first run.
void WriteStoredSettings(const std::vector<StoredSetting>& stored);
// Zoom, Number and MoveSpeed as given, the other values absent (defaults).
std::vector<StoredSetting> BenchSettings(int zoom, int number, int moveSpeed);
#endif
