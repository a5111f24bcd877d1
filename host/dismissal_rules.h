// The arithmetic of dismissal: how far the pointer may wander, and how soon
// after a password prompt a close request is refused without asking again.
#pragma once

#include <cstdint>

#include "host/host_state.h"

// Cursor distance from the reference point that must be exceeded.
const uint32_t MouseMoveThreshold = 4;
// After a prompt ends, close requests within this many milliseconds are refused.
const uint32_t VerifyRetryGap = 200;

// City-block distance, taken modulo 2^32 so that no coordinates overflow.
uint32_t CityBlockDistance(ScreenPoint from, ScreenPoint to);

bool MovedBeyondThreshold(ScreenPoint reference, ScreenPoint cursor);

// True while the last prompt ended less than VerifyRetryGap before now; the
// tick counter wraps, and NeverVerified means no prompt has ended yet.
bool IsWithinRetryGap(uint32_t lastVerifyTick, uint32_t now);
