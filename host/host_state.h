// The framework's one process-wide record, shared by entry, saver window and
// dismissal, and read by the animation (isPreview) and the dialog (instance).
#pragma once

#include <cstdint>

#include "host/win_types.h"

// "VerifyScreenSavePwd" of PASSWORD.CPL: may the saver close?
typedef int32_t(WINAPI* VerifyPasswordEntry)(HWND window);
// "ImmAssociateContext" of IMM32.DLL: returns the context associated before.
typedef void*(WINAPI* ImmAssociateContextEntry)(HWND window, void* inputContext);

struct ScreenPoint {
  int32_t x;
  int32_t y;
};

// lastVerifyTick's value before any verification has ended.
const uint32_t NeverVerified = 0xFFFFFFFFu;

struct HostStateRecord {
  HINSTANCE instance;
  int32_t isWin95Family;
  HWND saverWindow;
  int32_t isPreview;
  int32_t isClosing;
  int32_t isVerifying;
  HMODULE passwordModule;
  VerifyPasswordEntry verifyPassword;
  HMODULE immModule;
  ImmAssociateContextEntry immAssociateContext;
  void* savedInputContext;
  ScreenPoint referencePoint;
  uint32_t lastVerifyTick;
};

extern HostStateRecord HostState;

// Puts every field back to its process-start value (tests run many lives in
// one process; the saver itself never calls it).
void ResetHostState();
