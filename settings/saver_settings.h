// Platform-free core: the six settings values, their defaults and ranges, as
// one table that the registry store, the dialog's bounding, the run-time
// bounding and the X11 program's options all follow.
#pragma once

#include <cstdint>

struct SaverSettingsRecord {
  int32_t Zoom;
  int32_t Number;
  int32_t MoveSpeed;
  int32_t RotSpeed;
  int32_t RotTimeMin;
  int32_t RotTimeMax;
};

extern SaverSettingsRecord SaverSettings;

struct SettingDescription {
  const char* name;  // registry value name, also the field's name
  int32_t SaverSettingsRecord::*field;
  int32_t defaultValue;
  int32_t lowest;   // range the dialog enforces on OK
  int32_t highest;
  const char* meaning;  // in the X11 program's help
};

const int SettingCount = 6;
// In the order in which the values are read and written.
extern const SettingDescription SettingTable[SettingCount];

// Every field at its default.
void SetDefaultSettings(SaverSettingsRecord* settings);
