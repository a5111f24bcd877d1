#ifdef _WIN32
// RegDeleteTreeA is declared for Vista and later only; Wine has it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "tests/support/settings_registry.h"

const char TestSettingsKeyPath[] = "Software\\Orvalex\\Pennydance";
const char TestMakerKeyPath[] = "Software\\Orvalex";

bool operator==(const StoredValue& a, const StoredValue& b) {
  return a.type == b.type && a.bytes == b.bytes;
}

void RemoveMakerKey() {
  RegDeleteTreeA(HKEY_CURRENT_USER, TestMakerKeyPath);
  RegDeleteKeyA(HKEY_CURRENT_USER, TestMakerKeyPath);
}

bool SettingsKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TestSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void CreateSettingsKey() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TestSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

void StoreSettingsValue(const char* name, DWORD type, const std::vector<unsigned char>& bytes) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TestSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  static const unsigned char nothing = 0;
  RegSetValueExA(key, name, 0, type, bytes.empty() ? &nothing : bytes.data(),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

StoredValue DwordValue(uint32_t value) {
  return StoredValue{REG_DWORD,
                     {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                      static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)}};
}

void StoreSettingsDword(const char* name, uint32_t value) {
  StoreSettingsValue(name, REG_DWORD, DwordValue(value).bytes);
}

std::map<std::string, StoredValue> ReadSettingsKey() {
  std::map<std::string, StoredValue> values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TestSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    unsigned char data[1024];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) {
      break;
    }
    values[std::string(name, nameSize)] = StoredValue{type, std::vector<unsigned char>(data, data + dataSize)};
  }
  RegCloseKey(key);
  return values;
}
#endif
