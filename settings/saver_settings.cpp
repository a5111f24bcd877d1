#include "settings/saver_settings.h"

SaverSettingsRecord SaverSettings = {1, 4, 8, 16, 16, 48};

// RotTimeMin stops one below RotTimeMax's cap, so that OK always leaves a
// turn span to draw from.
const SettingDescription SettingTable[SettingCount] = {
    {"Zoom", &SaverSettingsRecord::Zoom, 1, 1, 2,
     "sprite scale: 1 = 112 pixels square, 2 = 224"},
    {"Number", &SaverSettingsRecord::Number, 4, 1, 256,
     "number of characters"},
    {"MoveSpeed", &SaverSettingsRecord::MoveSpeed, 8, 0, 256,
     "pixels walked per step (10 steps a second)"},
    {"RotSpeed", &SaverSettingsRecord::RotSpeed, 16, 0, 64,
     "512ths of a turn turned per step"},
    {"RotTimeMin", &SaverSettingsRecord::RotTimeMin, 16, 0, 998,
     "shortest turn, in steps"},
    {"RotTimeMax", &SaverSettingsRecord::RotTimeMax, 48, 1, 999,
     "longest turn, in steps (above --rot-time-min)"},
};

void SetDefaultSettings(SaverSettingsRecord* settings) {
  for (const SettingDescription& setting : SettingTable) {
    settings->*setting.field = setting.defaultValue;
  }
}
