// Platform-free core: the animation's life on a window whose picture the
// platform keeps in its own memory (the X11 program's window, the page's
// canvas): the sheet, the settings and the sprites made at the start with a
// black picture, one step at a time, the window's size followed, all of it
// released at the end. The platform keeps only the picture itself, how its
// rectangles reach the screen, and its clock and events.
#pragma once

#include <cstdint>

#include "anim/window_picture.h"
#include "settings/saver_settings.h"

// Defined by each platform that uses this file (x11/picture_transport.cpp,
// web/canvas_picture.cpp), so that the same names serve the same roles:
//   CreatePicture  makes WindowPicture for width x height (at least 1 x 1)
//                  in WindowPicture.Format, black; false when no memory
//                  could be had.
//   DestroyPicture releases it (safe when there is none); the format stays.
//   SendPictureRect hands one rectangle of it on towards the screen
//                  (nothing when it is empty).
bool CreatePicture(int32_t width, int32_t height);
void DestroyPicture();
void SendPictureRect(const PictureRect& rect);

// Starts the animation for a window of width x height with the settings
// given (already bounded as the dialog's OK bounds them); previewAsked
// keeps the preview's one character whatever the size. seed is the
// platform's millisecond count. Null on success, otherwise the English text
// of what failed; whatever was made up to then is left for
// EndWindowAnimation.
const char* StartWindowAnimation(const SaverSettingsRecord& given, int32_t previewAsked,
                                 int32_t width, int32_t height, uint32_t seed);

// One step: the generator re-seeded, then every sprite moved and redrawn in
// index order, each one's rectangle sent as soon as it is composed.
void RunAnimationStep(uint32_t seed);

// A new window size: a new black picture of that size, sent whole; the
// limits follow it, and so does the preview rule (the sprites are placed
// anew when it changes). False when the picture could not be made.
bool FollowWindowSize(int32_t width, int32_t height);

// New settings while the animation runs, as the page's settings panel gives
// them: the characters placed anew on a black picture, as a new window would
// have them. Null on success, otherwise the English text of what failed
// (the animation then has no characters until settings are applied again).
const char* ApplyWindowSettings(const SaverSettingsRecord& given, int32_t previewAsked, uint32_t seed);

void EndWindowAnimation();
