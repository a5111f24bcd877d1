// The mouse pointer as the framework watches and hides it.
#pragma once

#include "host/host_state.h"

// Hides the pointer: the class has no cursor, so it stays hidden until
// something sets one.
void HidePointer();
// Where the pointer is, in screen coordinates.
ScreenPoint CurrentCursorPosition();
