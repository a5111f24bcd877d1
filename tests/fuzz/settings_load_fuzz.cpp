// Any stored values for the six settings, loaded as the registry loader does
// and bounded as the animation does before it starts: whatever was stored,
// the values that size its tables and steps end up within reach.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/saver_settings.h"
#include "settings/settings_bounds.h"
#include "tests/support/stored_value.h"

namespace {

const size_t LongestStoredValue = 16;
const uint8_t AbsentValue = LongestStoredValue + 1;

void Require(bool holds) {
  if (!holds) {
    abort();
  }
}

// What the query does on a little-endian machine: the value's bytes are
// written over the start of the word in memory, if they fit.
int32_t QueriedIntoWord(int32_t current, const uint8_t* bytes, size_t size) {
  if (size > sizeof current) {
    return current;
  }
  unsigned char word[sizeof current];
  memcpy(word, &current, sizeof word);
  memcpy(word, bytes, size);
  int32_t result;
  memcpy(&result, word, sizeof result);
  return result;
}

bool InRange(int32_t value, int32_t lowest, int32_t highest) {
  return value >= lowest && value <= highest;
}

}  // namespace

// Per setting, in table order: one byte giving the value's length (0 to 16,
// or 17 for no value at all), then that many bytes of data. A short input
// ends the last value early and leaves the rest absent.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint16_t probe = 1;
  Require(*reinterpret_cast<const uint8_t*>(&probe) == 1);  // the model is little endian

  SaverSettingsRecord settings;
  SetDefaultSettings(&settings);
  size_t at = 0;
  for (const SettingDescription& setting : SettingTable) {
    if (at >= size) {
      break;
    }
    const uint8_t length = data[at++] % (AbsentValue + 1);
    if (length == AbsentValue) {
      continue;
    }
    const size_t stored = length < size - at ? length : size - at;
    // Its own block of exactly the value's size, so a read past it is caught.
    uint8_t* bytes = static_cast<uint8_t*>(malloc(stored == 0 ? 1 : stored));
    memcpy(bytes, data + at, stored);
    at += stored;
    int32_t& field = settings.*setting.field;
    const int32_t loaded = SettingAfterStoredValue(field, bytes, stored);
    Require(loaded == QueriedIntoWord(field, bytes, stored));
    field = loaded;
    free(bytes);
  }

  const SaverSettingsRecord loaded = settings;
  BoundSettingsForRun(&settings);

  const SettingDescription& zoom = SettingDescriptionOf(&SaverSettingsRecord::Zoom);
  const SettingDescription& number = SettingDescriptionOf(&SaverSettingsRecord::Number);
  const SettingDescription& moveSpeed = SettingDescriptionOf(&SaverSettingsRecord::MoveSpeed);
  const SettingDescription& rotSpeed = SettingDescriptionOf(&SaverSettingsRecord::RotSpeed);
  Require(settings.Zoom == zoom.lowest || settings.Zoom == zoom.highest);
  Require(InRange(settings.Number, 0, number.highest));
  Require(InRange(settings.MoveSpeed, moveSpeed.lowest, moveSpeed.highest));
  Require(InRange(settings.RotSpeed, rotSpeed.lowest, rotSpeed.highest));
  // The turn times are the motion's to cope with: left as loaded.
  Require(settings.RotTimeMin == loaded.RotTimeMin && settings.RotTimeMax == loaded.RotTimeMax);
  // A value already within reach is kept.
  Require((loaded.Zoom != zoom.lowest && loaded.Zoom != zoom.highest) ||
          settings.Zoom == loaded.Zoom);
  Require(!InRange(loaded.Number, 0, number.highest) || settings.Number == loaded.Number);
  Require(!InRange(loaded.MoveSpeed, moveSpeed.lowest, moveSpeed.highest) ||
          settings.MoveSpeed == loaded.MoveSpeed);
  Require(!InRange(loaded.RotSpeed, rotSpeed.lowest, rotSpeed.highest) ||
          settings.RotSpeed == loaded.RotSpeed);
  return 0;
}
