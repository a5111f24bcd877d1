// Any bytes as a command line: the argument tail, the mode switch for both
// platform families and the window handle must stay inside the text and
// agree with what the scanner promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/command_line.h"

namespace {

// Code page 932 as CharNextA steps it: a lead byte takes the next byte with
// it unless that is the terminator, which is never stepped over.
char* WINAPI StepCodePage932(const char* text) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead == 0) {
    return const_cast<char*>(text);
  }
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return const_cast<char*>(isLead && text[1] != '\0' ? text + 2 : text + 1);
}

char* WINAPI StepSingleByte(const char* text) {
  return const_cast<char*>(*text == '\0' ? text : text + 1);
}

void Require(bool holds) {
  if (!holds) {
    abort();
  }
}

bool LiesIn(const char* p, const char* text, size_t length) {
  return p >= text && p <= text + length;  // the terminator included
}

uint32_t LeadingDigitsModulo2To32(const char* text) {
  uint64_t value = 0;
  for (size_t i = 0; text[i] >= '0' && text[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<uint64_t>(text[i] - '0')) & 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(value);
}

bool IsKnownMode(SaverMode mode) {
  switch (mode) {
    case SaverMode::Unrecognised:
    case SaverMode::Run:
    case SaverMode::Preview:
    case SaverMode::Configure:
    case SaverMode::ChangePassword:
      return true;
  }
  return false;
}

SaverSwitch CheckedSwitch(const char* tail, int32_t isWin95Family, const char* text,
                          size_t length) {
  const SaverSwitch found = ScanSaverSwitch(tail, isWin95Family);
  Require(IsKnownMode(found.mode));
  const bool takesHandle =
      found.mode == SaverMode::Preview || found.mode == SaverMode::ChangePassword;
  Require(takesHandle == (found.handleText != nullptr));
  Require(found.ownerIsForeground == 0 ||
          (found.mode == SaverMode::Configure && found.ownerIsForeground == 1));
  if (found.handleText != nullptr) {
    Require(LiesIn(found.handleText, text, length));
    Require(ParseWindowHandle(found.handleText) == LeadingDigitsModulo2To32(found.handleText));
  }
  return found;
}

void CheckTail(const char* tail, const char* text, size_t length) {
  Require(LiesIn(tail, text, length));
  const SaverSwitch nt = CheckedSwitch(tail, 0, text, length);
  const SaverSwitch win95 = CheckedSwitch(tail, 1, text, length);
  // The families differ only in the password switch, which NT does not know.
  if (nt.mode != win95.mode) {
    Require(nt.mode == SaverMode::Unrecognised && win95.mode == SaverMode::ChangePassword);
  } else {
    Require(nt.ownerIsForeground == win95.ownerIsForeground && nt.handleText == win95.handleText);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The text ends at the first zero byte; its block is exactly as long as
  // the text and its terminator, so a read past the end is caught.
  const void* zero = memchr(data, 0, size);
  const size_t length =
      zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
  char* text = static_cast<char*>(malloc(length + 1));
  memcpy(text, data, length);
  text[length] = '\0';

  CheckTail(FindArgumentTail(text, StepCodePage932), text, length);
  CheckTail(FindArgumentTail(text, StepSingleByte), text, length);
  // A tail can hold anything, so scan the raw text as one too.
  CheckTail(text, text, length);
  Require(ParseWindowHandle(text) == LeadingDigitsModulo2To32(text));

  free(text);
  return 0;
}
