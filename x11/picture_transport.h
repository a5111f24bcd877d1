// The window's picture in the program's memory and how its rectangles reach
// the window: through a MIT-SHM segment that the server reads when it offers
// the extension, with plain XPutImage otherwise (a remote display).
#pragma once

#include <cstdint>

#include "anim/window_picture.h"

// Makes the picture for a window of width x height in the pixel format,
// black, and points WindowPicture at it. False when no memory could be had.
bool CreatePicture(int32_t width, int32_t height, const PixelFormat& format);

// Releases the picture and, with it, the segment (safe when there is none).
void DestroyPicture();

// Sends one rectangle of the picture to the window (nothing when empty).
void SendPictureRect(const PictureRect& rect);

// Hands what was sent to the server.
void FlushSending();

// Waits until the server has drawn what was sent.
void FinishSending();
