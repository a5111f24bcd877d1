// The settings key as the Windows-side tests arrange and inspect it, through
// the registry API of the test prefix itself. The key's name is spelled out
// here again, so a slip in the store's own spelling shows.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

extern const char TestSettingsKeyPath[];  // "Software\Orvalex\Pennydance"
extern const char TestMakerKeyPath[];     // "Software\Orvalex"

struct StoredValue {
  DWORD type;
  std::vector<unsigned char> bytes;
};

bool operator==(const StoredValue& a, const StoredValue& b);

// The maker's key with everything below it is gone afterwards.
void RemoveMakerKey();
bool SettingsKeyExists();
// The key (and the maker's above it) without any value.
void CreateSettingsKey();
// Creates the key when needed and stores one value exactly as given.
void StoreSettingsValue(const char* name, DWORD type, const std::vector<unsigned char>& bytes);
void StoreSettingsDword(const char* name, uint32_t value);
// Every value of the key by name; empty when the key is absent.
std::map<std::string, StoredValue> ReadSettingsKey();
// A 4-byte little-endian value as stored by a REG_DWORD.
StoredValue DwordValue(uint32_t value);
#endif
