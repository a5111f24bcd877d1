// store KEY NAME TYPE HEX|-: one value under HKEY_CURRENT_USER\KEY with
// exactly these bytes and this type; `reg add` cannot store a REG_DWORD of
// other than four bytes, nor a string of any chosen size.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "probe.h"

namespace {

bool ParseHexBytes(const char* text, std::vector<BYTE>* bytes) {
  if (std::strcmp(text, "-") == 0) return true;
  const size_t length = std::strlen(text);
  if (length % 2 != 0) return false;
  for (size_t i = 0; i < length; i += 2) {
    char pair[3] = {text[i], text[i + 1], 0};
    char* end = nullptr;
    const unsigned long value = std::strtoul(pair, &end, 16);
    if (*end != 0) return false;
    bytes->push_back(static_cast<BYTE>(value));
  }
  return true;
}

}  // namespace

int StoreCommand(int, char** arguments) {
  std::vector<BYTE> bytes;
  if (!ParseHexBytes(arguments[3], &bytes)) {
    std::printf("not hexadecimal bytes: %s\n", arguments[3]);
    return 2;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, arguments[0], 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    std::printf("cannot open the key\n");
    return 1;
  }
  // The wide call stores a string's bytes as given; the ANSI one would
  // convert them.
  wchar_t name[256] = {};
  MultiByteToWideChar(CP_ACP, 0, arguments[1], -1, name, 255);
  static const BYTE nothing = 0;
  const LONG stored = RegSetValueExW(key, name, 0, std::strtoul(arguments[2], nullptr, 0),
                                     bytes.empty() ? &nothing : bytes.data(),
                                     static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  if (stored != ERROR_SUCCESS) {
    std::printf("cannot store the value: %ld\n", stored);
    return 1;
  }
  return 0;
}
