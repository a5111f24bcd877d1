// Whatever the dialog's fields hold on OK, the bounded settings are within
// the table's ranges and leave a turn-time span to draw from. The readings
// are fuzzed directly, and also read from arbitrary field texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/saver_settings.h"
#include "settings/settings_bounds.h"

namespace {

void Require(bool holds) {
  if (!holds) {
    abort();
  }
}

int32_t AsSignedBits(uint32_t value) {
  int32_t result;
  memcpy(&result, &value, sizeof result);
  return result;
}

bool InRange(int32_t value, int32_t lowest, int32_t highest) {
  return value >= lowest && value <= highest;
}

bool InTableRange(int32_t value, int32_t SaverSettingsRecord::*field) {
  const SettingDescription& setting = SettingDescriptionOf(field);
  return InRange(value, setting.lowest, setting.highest);
}

// The dialog reads a field with the platform's unsigned GetDlgItemInt:
// leading spaces skipped, decimal digits up to the first other character,
// and 0 for a value beyond 32 bits or a text without digits.
uint32_t UnsignedFieldReading(const char* text, size_t length) {
  size_t at = 0;
  while (at < length && text[at] == ' ') {
    ++at;
  }
  uint64_t value = 0;
  for (; at < length && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + static_cast<uint64_t>(text[at] - '0');
    if (value > UINT32_MAX) {
      return 0;
    }
  }
  return static_cast<uint32_t>(value);
}

void CheckBounded(const ConfiguredFieldValues& fields) {
  SaverSettingsRecord settings = {77, 77, 77, 77, 77, 77};
  BoundConfiguredSettings(fields, &settings);

  for (const SettingDescription& setting : SettingTable) {
    Require(InRange(settings.*setting.field, setting.lowest, setting.highest));
  }
  Require(settings.RotTimeMax > settings.RotTimeMin);

  const SettingDescription& zoom = SettingDescriptionOf(&SaverSettingsRecord::Zoom);
  Require(settings.Zoom ==
          (fields.standardZoomState == RadioButtonChecked ? zoom.lowest : zoom.highest));
  // A reading already in its range is saved as it is.
  const int32_t number = AsSignedBits(fields.Number);
  Require(!InTableRange(number, &SaverSettingsRecord::Number) || settings.Number == number);
  const int32_t moveSpeed = AsSignedBits(fields.MoveSpeed);
  Require(!InTableRange(moveSpeed, &SaverSettingsRecord::MoveSpeed) ||
          settings.MoveSpeed == moveSpeed);
  const int32_t rotSpeed = AsSignedBits(fields.RotSpeed);
  Require(!InTableRange(rotSpeed, &SaverSettingsRecord::RotSpeed) ||
          settings.RotSpeed == rotSpeed);
  const int32_t rotTimeMin = AsSignedBits(fields.RotTimeMin);
  Require(!InTableRange(rotTimeMin, &SaverSettingsRecord::RotTimeMin) ||
          settings.RotTimeMin == rotTimeMin);
  const int32_t rotTimeMax = AsSignedBits(fields.RotTimeMax);
  Require(!(InTableRange(rotTimeMax, &SaverSettingsRecord::RotTimeMax) &&
            rotTimeMax > settings.RotTimeMin) ||
          settings.RotTimeMax == rotTimeMax);
}

}  // namespace

// The first 24 bytes (zero-padded) are the six readings, little endian. The
// same input is also the dialog's state as text: its first byte picks the
// radio state (clear, checked, indeterminate) and the rest, split at line
// breaks, are the five fields' texts.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t words[6] = {};
  memcpy(words, data, size < sizeof words ? size : sizeof words);
  CheckBounded(ConfiguredFieldValues{words[0], words[1], words[2], words[3], words[4], words[5]});

  if (size == 0) {
    return 0;
  }
  // The texts live in their own exact-size block, so the reading stays inside.
  char* text = static_cast<char*>(malloc(size));
  memcpy(text, data, size);
  uint32_t readings[5] = {};
  size_t at = 1;
  for (uint32_t& reading : readings) {
    const size_t start = at;
    while (at < size && text[at] != '\n') {
      ++at;
    }
    reading = UnsignedFieldReading(text + start, at - start);
    if (at < size) {
      ++at;  // the line break
    }
  }
  free(text);
  const uint32_t radioState = static_cast<uint32_t>(data[0] % 3);
  CheckBounded(ConfiguredFieldValues{radioState, readings[0], readings[1], readings[2],
                                     readings[3], readings[4]});
  return 0;
}
