// Platform-free core: bringing settings into their ranges: once when the
// configuration dialog is confirmed, and once more when the animation starts,
// so that values stored by other means cannot make it fault.
#pragma once

#include <cstdint>

#include "settings/saver_settings.h"

// What the dialog reads on OK: the state of the "標準" radio button and the
// five fields, each as the platform's unsigned reading of its text (0 for a
// text that is not a number).
struct ConfiguredFieldValues {
  uint32_t standardZoomState;  // checked is exactly 1
  uint32_t Number;
  uint32_t MoveSpeed;
  uint32_t RotSpeed;
  uint32_t RotTimeMin;
  uint32_t RotTimeMax;
};

const uint32_t RadioButtonChecked = 1;

// The table row of one field: its name, default and range.
const SettingDescription& SettingDescriptionOf(int32_t SaverSettingsRecord::*field);

// The dialog's OK steps, field by field in storage order, with signed
// comparisons. Afterwards every value is in its range and RotTimeMax is
// greater than RotTimeMin.
void BoundConfiguredSettings(const ConfiguredFieldValues& fields,
                             SaverSettingsRecord* settings);

// The small preview shows one slowly spinning character whatever is stored:
// Number 1, Zoom 1, MoveSpeed 1, RotSpeed 16 (in memory only).
void ReplaceSettingsForPreview(SaverSettingsRecord* settings);

// Called by the animation after its preview replacements: the values that
// size its tables and steps are forced into reach. Number may stay 0, and
// the turn times are left alone because the motion copes with any span.
void BoundSettingsForRun(SaverSettingsRecord* settings);
