#include "host/password_verifier.h"

#include <windows.h>

#include "host/host_state.h"
#include "host/platform_calls.h"

namespace {

const UINT SPI_SCREENSAVERRUNNING_ACTION = 97;

// A missing, unreadable, longer-than-4-byte or zero value means no password.
bool UserAskedForPassword(HKEY desktop) {
  unsigned char value[4] = {0, 0, 0, 0};
  DWORD size = sizeof value;
  if (RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  const uint32_t number = value[0] | (value[1] << 8) | (value[2] << 16) |
                          (static_cast<uint32_t>(value[3]) << 24);
  return number != 0;
}

void LoadVerifierModule() {
  HostState.passwordModule = LoadLibraryA("PASSWORD.CPL");
  if (HostState.passwordModule == nullptr) {
    return;
  }
  HostState.verifyPassword = reinterpret_cast<VerifyPasswordEntry>(
      reinterpret_cast<void*>(GetProcAddress(HostState.passwordModule, "VerifyScreenSavePwd")));
  if (HostState.verifyPassword != nullptr) {
    SetSaverRunning(1);
  } else {
    UnloadPasswordVerifier();
  }
}

}  // namespace

void LoadPasswordVerifier() {
  if (HostState.isWin95Family == 0) {
    return;
  }
  if (HostState.passwordModule != nullptr) {
    UnloadPasswordVerifier();
  }
  HKEY desktop;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS) {
    return;
  }
  if (UserAskedForPassword(desktop)) {
    LoadVerifierModule();
  }
  RegCloseKey(desktop);
}

void UnloadPasswordVerifier() {
  if (HostState.isWin95Family == 0 || HostState.passwordModule == nullptr) {
    return;
  }
  FreeLibrary(HostState.passwordModule);
  HostState.passwordModule = nullptr;
  if (HostState.verifyPassword != nullptr) {
    HostState.verifyPassword = nullptr;
    SetSaverRunning(0);
  }
}

void SetSaverRunning(int32_t on) {
  if (HostState.isWin95Family != 1) {
    return;
  }
  // The previous state is of no interest, and nothing is saved or broadcast.
  UINT previous = 0;
  PlatformCalls.systemParametersInfo(SPI_SCREENSAVERRUNNING_ACTION, static_cast<UINT>(on),
                                     &previous, 0);
}
