#include "web/page_options.h"

#include <cstdio>
#include <cstring>

#include "settings/setting_options.h"

namespace {

// fps and preview take 1 or 0.
bool ReadSwitch(const char* value, size_t length, int32_t* on) {
  if (length != 1 || (value[0] != '1' && value[0] != '0')) return false;
  *on = value[0] == '1';
  return true;
}

// One "key=value" piece; false when it is ignored.
bool ReadPiece(const char* piece, size_t length, PageOptionsRecord* options) {
  const char* equals = static_cast<const char*>(std::memchr(piece, '=', length));
  if (equals == nullptr) return false;
  const size_t keyLength = static_cast<size_t>(equals - piece);
  const char* value = equals + 1;
  const size_t valueLength = length - keyLength - 1;
  if (OptionNameIs(piece, keyLength, "fps", AnyCase)) return ReadSwitch(value, valueLength, &options->showFps);
  if (OptionNameIs(piece, keyLength, "preview", AnyCase)) {
    return ReadSwitch(value, valueLength, &options->isPreview);
  }
  return ApplySettingOption(piece, keyLength, value, valueLength, &options->settings, AnyCase) ==
         SettingOptionApplied;
}

// The warning's list: pieces added while they fit, the rest counted.
struct IgnoredList {
  char* text;
  size_t size;
  size_t used;
  uint32_t notShown;
};

// Room kept at the end for ", and 4294967295 more".
const size_t MoreRoom = 24;

// A cut inside a character of several bytes moves back to its start.
size_t CutLength(const char* piece, size_t length) {
  if (length <= IgnoredPieceRoom) return length;
  size_t cut = IgnoredPieceRoom;
  while (cut > 0 && (static_cast<unsigned char>(piece[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

void NoteIgnored(const char* piece, size_t length, IgnoredList* list) {
  const size_t shown = CutLength(piece, length);
  const char* mark = shown < length ? "\xE2\x80\xA6" : "";  // …
  const size_t needed = (list->used != 0 ? 2 : 0) + 2 + shown + std::strlen(mark);
  if (list->notShown != 0 || list->size < MoreRoom || list->used + needed + MoreRoom >= list->size) {
    ++list->notShown;
    return;
  }
  list->used += std::snprintf(list->text + list->used, list->size - list->used, "%s\"%.*s%s\"",
                              list->used != 0 ? ", " : "", static_cast<int>(shown), piece, mark);
}

void FinishIgnored(IgnoredList* list) {
  if (list->notShown == 0 || list->size < MoreRoom) return;
  std::snprintf(list->text + list->used, list->size - list->used, "%sand %u more",
                list->used != 0 ? ", " : "", list->notShown);
}

// Reads every piece of text; those ignored go to the list when there is one.
void ReadPieces(const char* text, PageOptionsRecord* options, IgnoredList* list) {
  if (*text == '?') ++text;
  while (*text != '\0') {
    const char* end = std::strchr(text, '&');
    const size_t length = end != nullptr ? static_cast<size_t>(end - text) : std::strlen(text);
    if (length != 0 && !ReadPiece(text, length, options) && list != nullptr) NoteIgnored(text, length, list);
    text += length;
    if (*text == '&') ++text;
  }
}

}  // namespace

void ReadPageOptions(const char* kept, const char* query, PageOptionsRecord* options,
                     char* ignored, size_t ignoredSize) {
  *options = PageOptionsRecord{};
  SetDefaultSettings(&options->settings);
  if (ignoredSize != 0) ignored[0] = '\0';
  IgnoredList list = {ignored, ignoredSize, 0, 0};
  // What the page kept it wrote itself; a piece of it that no longer reads
  // is simply left out.
  ReadPieces(kept, options, nullptr);
  ReadPieces(query, options, &list);
  FinishIgnored(&list);
  BoundAsTheDialogDoes(&options->settings);
}

void FormatSettingsQuery(const SaverSettingsRecord& settings, char* text, size_t size) {
  size_t used = 0;
  if (size != 0) text[0] = '\0';
  for (const SettingDescription& setting : SettingTable) {
    char name[32];
    if (!OptionNameOf(setting.name, name, sizeof name) || used >= size) continue;
    used += std::snprintf(text + used, size - used, "%s%s=%d", used != 0 ? "&" : "", name,
                          settings.*setting.field);
  }
}
