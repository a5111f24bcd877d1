#include "web/page_options.h"

#include <cstdio>
#include <cstring>

#include "settings/setting_options.h"

namespace {

const size_t PieceRoom = 64;

// fps and preview take 1 or 0.
bool ReadSwitch(const char* value, int32_t* on) {
  if (std::strcmp(value, "1") != 0 && std::strcmp(value, "0") != 0) return false;
  *on = value[0] == '1';
  return true;
}

// One "key=value" piece; false when it is ignored.
bool ReadPiece(const char* piece, size_t length, PageOptionsRecord* options) {
  const char* equals = static_cast<const char*>(std::memchr(piece, '=', length));
  if (equals == nullptr) return false;
  const size_t keyLength = static_cast<size_t>(equals - piece);
  char value[PieceRoom];
  const size_t valueLength = length - keyLength - 1;
  if (valueLength >= sizeof value) return false;
  std::memcpy(value, equals + 1, valueLength);
  value[valueLength] = '\0';
  if (OptionNameIs(piece, keyLength, "fps")) return ReadSwitch(value, &options->showFps);
  if (OptionNameIs(piece, keyLength, "preview")) return ReadSwitch(value, &options->isPreview);
  return ApplySettingOption(piece, keyLength, value, &options->settings) == SettingOptionApplied;
}

// Adds the piece, quoted and cut short, to the list of what was ignored.
void NoteIgnored(const char* piece, size_t length, char* ignored, size_t ignoredSize) {
  const size_t used = std::strlen(ignored);
  if (used >= ignoredSize) return;
  std::snprintf(ignored + used, ignoredSize - used, "%s\"%.*s\"", used != 0 ? ", " : "",
                static_cast<int>(length < PieceRoom ? length : PieceRoom), piece);
}

}  // namespace

void ReadPageOptions(const char* query, PageOptionsRecord* options, char* ignored,
                     size_t ignoredSize) {
  *options = PageOptionsRecord{};
  SetDefaultSettings(&options->settings);
  if (ignoredSize != 0) ignored[0] = '\0';
  if (*query == '?') ++query;
  while (*query != '\0') {
    const char* end = std::strchr(query, '&');
    const size_t length = end != nullptr ? static_cast<size_t>(end - query) : std::strlen(query);
    if (length != 0 && !ReadPiece(query, length, options)) NoteIgnored(query, length, ignored, ignoredSize);
    query += length;
    if (*query == '&') ++query;
  }
  BoundAsTheDialogDoes(&options->settings);
}
