// The animation's life on an X11 window: settings, sheet, sprites and the
// picture are made when the drawing starts and released when it ends; the
// event loop runs the steps in between and tells it of size changes.
#pragma once

#include <cstdint>

#include "anim/window_picture.h"
#include "x11/x11_options.h"

// Null on success, otherwise what failed; whatever was made up to then is
// left for DestroyX11Animation.
const char* CreateX11Animation(const X11OptionsRecord& options, const PixelFormat& format,
                               int32_t width, int32_t height);

// One step: the generator re-seeded from the millisecond count, every
// sprite moved and redrawn in index order, each union sent at once; the
// requests are flushed, not waited for.
void RunAnimationStep();

// A new window size: a new black picture of that size; the limits follow
// it, and so does the preview rule (the sprites are placed anew when it
// changes). False when the picture could not be made.
bool FollowWindowSize(int32_t width, int32_t height);

// Sends the picture's part of an exposed rectangle again.
void RepaintRect(const PictureRect& rect);

void DestroyX11Animation();
