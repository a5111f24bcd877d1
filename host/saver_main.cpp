#include "host/saver_main.h"

#include <windows.h>

#include "host/command_line.h"
#include "host/exception_guard.h"
#include "host/host_state.h"
#include "host/saver_window.h"
#include "res/resource_ids.h"
#include "settings/config_dialog.h"

namespace {

const int32_t InvalidInput = -1;

// PwdChangePasswordA of MPR.DLL: provider, owner window, and two reserved 0.
typedef DWORD(WINAPI* ChangePasswordEntry)(const char* provider, HWND owner, UINT reserved1,
                                           UINT reserved2);

int32_t IsWindows95Family() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;  // 148
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

HWND HandleFromText(const char* text) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseWindowHandle(text)));
}

int32_t RunSelectedMode(const void* argument) {
  const SaverSwitch selected =
      ScanSaverSwitch(static_cast<const char*>(argument), HostState.isWin95Family);
  switch (selected.mode) {
    case SaverMode::Run:
      return RunSaverWindow(nullptr);
    case SaverMode::Preview:
      return RunPreviewMode(selected.handleText);
    case SaverMode::Configure:
      return RunConfigureMode(selected.ownerIsForeground ? GetForegroundWindow() : nullptr);
    case SaverMode::ChangePassword:
      return RunChangePasswordMode(selected.handleText);
    case SaverMode::Unrecognised:
    default:
      return InvalidInput;
  }
}

}  // namespace

void SaverMain() {
  const char* tail = FindArgumentTail(GetCommandLineA(), CharNextA);
  ExitProcess(static_cast<UINT>(DispatchSaverMode(GetModuleHandleA(nullptr), tail)));
}

int32_t DispatchSaverMode(HINSTANCE instance, const char* tail) {
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the platform expects");
  HostState.instance = instance;
  HostState.isWin95Family = IsWindows95Family();
  return RunInsideExceptionGuard(RunSelectedMode, tail);
}

int32_t RunPreviewMode(const char* handleText) {
  HWND parent = HandleFromText(handleText);
  if (parent == nullptr || !IsWindow(parent)) {
    return InvalidInput;
  }
  return RunSaverWindow(parent);
}

int32_t RunConfigureMode(HWND parent) {
  if (!InitConfigureDialogClasses(HostState.instance)) {
    return 0;
  }
  return static_cast<int32_t>(DialogBoxParamA(HostState.instance, MAKEINTRESOURCEA(IDD_CONFIGURE),
                                              parent, ScreenSaverConfigureDialog, 0));
}

int32_t RunChangePasswordMode(const char* handleText) {
  HWND owner = HandleFromText(handleText);
  if (owner == nullptr || !IsWindow(owner)) {
    owner = GetForegroundWindow();
  }
  ChangeSaverPassword(owner);
  return 0;
}

void ChangeSaverPassword(HWND owner) {
  HMODULE passwordProvider = LoadLibraryA("MPR.DLL");
  if (passwordProvider == nullptr) {
    return;
  }
  ChangePasswordEntry changePassword = reinterpret_cast<ChangePasswordEntry>(
      reinterpret_cast<void*>(GetProcAddress(passwordProvider, "PwdChangePasswordA")));
  if (changePassword != nullptr) {
    changePassword("SCRSAVE", owner, 0, 0);
  }
  FreeLibrary(passwordProvider);
}
