#include "settings/dialog_libraries.h"

namespace {

typedef void(WINAPI* InitCommonControlsEntry)();
typedef HINSTANCE(WINAPI* ShellExecuteEntry)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Never freed: a second load only counts up, and the process ends after the
// dialog anyway.
FARPROC EntryOf(const char* library, const char* entry) {
  HMODULE module = LoadLibraryA(library);
  return module != nullptr ? GetProcAddress(module, entry) : nullptr;
}

}  // namespace

void InitCommonControlsByName() {
  InitCommonControlsEntry initCommonControls = reinterpret_cast<InitCommonControlsEntry>(
      reinterpret_cast<void*>(EntryOf("COMCTL32.DLL", "InitCommonControls")));
  if (initCommonControls != nullptr) {
    initCommonControls();
  }
}

void ShellExecuteByName(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand) {
  ShellExecuteEntry shellExecute = reinterpret_cast<ShellExecuteEntry>(
      reinterpret_cast<void*>(EntryOf("SHELL32.DLL", "ShellExecuteA")));
  if (shellExecute != nullptr) {
    shellExecute(owner, verb, file, parameters, directory, showCommand);
  }
}
