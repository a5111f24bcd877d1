#include "settings/settings_bounds.h"

const SettingDescription& SettingDescriptionOf(int32_t SaverSettingsRecord::*field) {
  for (const SettingDescription& setting : SettingTable) {
    if (setting.field == field) {
      return setting;
    }
  }
  return SettingTable[0];  // every field is in the table
}

namespace {

// The field texts are read unsigned; the comparisons are signed, so texts of
// 2147483648 and more count as negative.
int32_t AsSigned(uint32_t value) {
  return value <= INT32_MAX ? static_cast<int32_t>(value)
                            : -static_cast<int32_t>(~value) - 1;
}

int32_t Clamp(int32_t value, int32_t lowest, int32_t highest) {
  if (value < lowest) {
    return lowest;
  }
  return value > highest ? highest : value;
}

int32_t ClampToRange(int32_t value, const SettingDescription& setting) {
  return Clamp(value, setting.lowest, setting.highest);
}

}  // namespace

void BoundConfiguredSettings(const ConfiguredFieldValues& fields,
                             SaverSettingsRecord* settings) {
  const SettingDescription& zoom = SettingDescriptionOf(&SaverSettingsRecord::Zoom);
  settings->Zoom = fields.standardZoomState == RadioButtonChecked ? zoom.lowest : zoom.highest;

  const SettingDescription& number = SettingDescriptionOf(&SaverSettingsRecord::Number);
  settings->Number = ClampToRange(AsSigned(fields.Number), number);

  // The lower bounds of the next three catch only the texts read as
  // negative: they would be saved below what the labels and arrows show.
  const SettingDescription& moveSpeed = SettingDescriptionOf(&SaverSettingsRecord::MoveSpeed);
  settings->MoveSpeed = ClampToRange(AsSigned(fields.MoveSpeed), moveSpeed);

  const SettingDescription& rotSpeed = SettingDescriptionOf(&SaverSettingsRecord::RotSpeed);
  settings->RotSpeed = ClampToRange(AsSigned(fields.RotSpeed), rotSpeed);

  const SettingDescription& rotTimeMin = SettingDescriptionOf(&SaverSettingsRecord::RotTimeMin);
  const SettingDescription& rotTimeMax = SettingDescriptionOf(&SaverSettingsRecord::RotTimeMax);
  // The minimum's cap is below the maximum's, so a longer maximum exists.
  const int32_t shortest = ClampToRange(AsSigned(fields.RotTimeMin), rotTimeMin);
  settings->RotTimeMin = shortest;

  int32_t longest = AsSigned(fields.RotTimeMax);
  if (longest <= shortest) {
    longest = shortest + 1;
  }
  settings->RotTimeMax = ClampToRange(longest, rotTimeMax);  // longest is at least 1 here
}

void ReplaceSettingsForPreview(SaverSettingsRecord* settings) {
  settings->RotSpeed = 16;
  settings->Zoom = 1;
  settings->Number = 1;
  settings->MoveSpeed = 1;
}

void BoundSettingsForRun(SaverSettingsRecord* settings) {
  const SettingDescription& zoom = SettingDescriptionOf(&SaverSettingsRecord::Zoom);
  if (settings->Zoom != zoom.lowest && settings->Zoom != zoom.highest) {
    settings->Zoom = zoom.highest;  // as the dialog reads any other value
  }
  // No sprites at all is harmless; only a negative or huge count is not.
  settings->Number = Clamp(settings->Number, 0, SettingDescriptionOf(&SaverSettingsRecord::Number).highest);
  const SettingDescription& moveSpeed = SettingDescriptionOf(&SaverSettingsRecord::MoveSpeed);
  settings->MoveSpeed = ClampToRange(settings->MoveSpeed, moveSpeed);
  const SettingDescription& rotSpeed = SettingDescriptionOf(&SaverSettingsRecord::RotSpeed);
  settings->RotSpeed = ClampToRange(settings->RotSpeed, rotSpeed);
}
