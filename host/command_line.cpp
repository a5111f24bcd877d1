#include "host/command_line.h"

namespace {

bool IsBlankOrControl(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

bool IsAboveSpace(char c) {
  return static_cast<unsigned char>(c) > 32;
}

const char* SkipQuotedProgramName(const char* text, CharStepFunction step) {
  text = step(text);  // the opening quote
  while (*text != '\0' && *text != '"') {
    text = step(text);
  }
  return *text == '"' ? step(text) : text;
}

const char* SkipPlainProgramName(const char* text, CharStepFunction step) {
  while (IsAboveSpace(*text)) {
    text = step(text);
  }
  return text;
}

const char* SkipSpaces(const char* text) {
  while (*text == ' ') {
    ++text;
  }
  return text;
}

SaverSwitch SwitchWithHandle(SaverMode mode, const char* letter) {
  return SaverSwitch{mode, 0, SkipSpaces(letter + 1)};
}

}  // namespace

const char* FindArgumentTail(const char* commandLine, CharStepFunction step) {
  const char* text = commandLine;
  if (*text == '"') {
    text = SkipQuotedProgramName(text, step);
  } else if (IsAboveSpace(*text)) {
    text = SkipPlainProgramName(text, step);
  }
  while (IsBlankOrControl(*text)) {
    text = step(text);
  }
  return text;
}

SaverSwitch ScanSaverSwitch(const char* tail, int32_t isWin95Family) {
  const char* text = tail;
  while (*text == ' ' || *text == '-' || *text == '/') {
    ++text;
  }
  switch (*text) {
    case '\0':
      return SaverSwitch{SaverMode::Configure, 0, nullptr};
    case 'S':
    case 's':
      return SaverSwitch{SaverMode::Run, 0, nullptr};
    case 'L':
    case 'l':
    case 'P':
    case 'p':
      return SwitchWithHandle(SaverMode::Preview, text);
    case 'C':
    case 'c':
      return SaverSwitch{SaverMode::Configure, 1, nullptr};
    case 'A':
    case 'a':
      if (isWin95Family == 0) {
        break;
      }
      return SwitchWithHandle(SaverMode::ChangePassword, text);
    default:
      break;
  }
  return SaverSwitch{SaverMode::Unrecognised, 0, nullptr};
}

uint32_t ParseWindowHandle(const char* text) {
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10u + static_cast<uint32_t>(*text - '0');
  }
  return value;
}
