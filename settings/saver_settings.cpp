#include "settings/saver_settings.h"

SaverSettingsRecord SaverSettings = {1, 4, 8, 16, 16, 48};

// RotTimeMin stops one below RotTimeMax's cap, so that OK always leaves a
// turn span to draw from.
const SettingDescription SettingTable[SettingCount] = {
    {"Zoom", &SaverSettingsRecord::Zoom, 1, 1, 2},
    {"Number", &SaverSettingsRecord::Number, 4, 1, 256},
    {"MoveSpeed", &SaverSettingsRecord::MoveSpeed, 8, 0, 256},
    {"RotSpeed", &SaverSettingsRecord::RotSpeed, 16, 0, 64},
    {"RotTimeMin", &SaverSettingsRecord::RotTimeMin, 16, 0, 998},
    {"RotTimeMax", &SaverSettingsRecord::RotTimeMax, 48, 1, 999},
};

void SetDefaultSettings(SaverSettingsRecord* settings) {
  for (const SettingDescription& setting : SettingTable) {
    settings->*setting.field = setting.defaultValue;
  }
}
