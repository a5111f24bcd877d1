#include "anim/animation_error.h"

#include "anim/failure_texts.h"

const char SaverErrorCaption[] = "Pennydance Error";

namespace {

const UINT JapaneseCodePage = 932;
const int LongestBoxText = 64;

typedef LANGID(WINAPI* UserDefaultUILanguageEntry)();

// Windows 2000 and later keep the interface language apart from the regional
// settings (and from Vista on pick the dialog's template by it); the Windows
// 95 family and NT 4 lack that entry, and their user language is the
// interface's.
LANGID UserInterfaceLanguage() {
  HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  UserDefaultUILanguageEntry userDefaultUILanguage = reinterpret_cast<UserDefaultUILanguageEntry>(
      kernel != nullptr ? reinterpret_cast<void*>(GetProcAddress(kernel, "GetUserDefaultUILanguage"))
                        : nullptr);
  return userDefaultUILanguage != nullptr ? userDefaultUILanguage() : GetUserDefaultLangID();
}

// Converted at the moment it is shown, the text reads as written whatever the
// ANSI code page. False when nothing was shown: code page 932 is not
// installed, or MessageBoxW is only a stub (the Windows 95 family).
bool ShowWideBox(HWND window, const char* text) {
  wchar_t wideText[LongestBoxText];
  wchar_t wideCaption[LongestBoxText];
  if (MultiByteToWideChar(JapaneseCodePage, 0, text, -1, wideText, LongestBoxText) == 0 ||
      MultiByteToWideChar(JapaneseCodePage, 0, SaverErrorCaption, -1, wideCaption, LongestBoxText) == 0) {
    return false;
  }
  return MessageBoxW(window, wideText, wideCaption, MB_OK) != 0;
}

}  // namespace

void ShowSaverError(HWND window, const char* text) {
  const bool japanese = PRIMARYLANGID(UserInterfaceLanguage()) == LANG_JAPANESE;
  const char* shown = japanese ? text : EnglishFailureText(text);
  if (!ShowWideBox(window, shown)) {
    MessageBoxA(window, shown, SaverErrorCaption, MB_OK);
  }
}
