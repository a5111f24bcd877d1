// The Windows 95 family's password verifier ("VerifyScreenSavePwd" of
// "PASSWORD.CPL"), loaded for a full-screen run when the user asked for a
// password, and the system's screen-saver-running state that goes with it.
#pragma once

#include <cstdint>

void LoadPasswordVerifier();
void UnloadPasswordVerifier();

// On (1) or off (0); acts on the Windows 95 family only.
void SetSaverRunning(int32_t on);
