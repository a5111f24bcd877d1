#include "web/page_panel.h"

#include <cstring>

#include "settings/settings_bounds.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next line of text and where the one after it starts.
const char* NextLine(const char* text, size_t* length) {
  const char* end = std::strchr(text, '\n');
  *length = end != nullptr ? static_cast<size_t>(end - text) : std::strlen(text);
  return end != nullptr ? end + 1 : text + *length;
}

}  // namespace

uint32_t ReadFieldText(const char* text, size_t length) {
  size_t first = 0, end = length;
  while (first < end && IsBlank(text[first])) ++first;
  while (end > first && IsBlank(text[end - 1])) --end;
  if (first == end) return 0;
  uint64_t value = 0;
  for (size_t i = first; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    if (value > UINT32_MAX) return 0;
  }
  return static_cast<uint32_t>(value);
}

void BoundPanelFields(int32_t standardChecked, const char* fieldTexts, SaverSettingsRecord* settings) {
  ConfiguredFieldValues fields = {};
  fields.standardZoomState = standardChecked ? RadioButtonChecked : 0u;
  uint32_t* const inOrder[] = {&fields.Number, &fields.MoveSpeed, &fields.RotSpeed, &fields.RotTimeMin,
                               &fields.RotTimeMax};
  const char* line = fieldTexts;
  for (uint32_t* field : inOrder) {
    size_t length = 0;
    const char* next = NextLine(line, &length);
    *field = ReadFieldText(line, length);
    line = next;
  }
  BoundConfiguredSettings(fields, settings);
}
