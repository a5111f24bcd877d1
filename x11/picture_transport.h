// The window's picture in the program's memory and how its rectangles reach
// the window: through a MIT-SHM segment that the server reads when it offers
// the extension, with plain XPutImage otherwise (a remote display). It
// defines the picture calls of anim/window_animation.h: CreatePicture in
// the visual's format (WindowPicture.Format, set when the window was
// opened), DestroyPicture and SendPictureRect.
#pragma once

#include "anim/window_animation.h"

// Hands what was sent to the server.
void FlushSending();

// Waits until the server has drawn what was sent.
void FinishSending();
