// The page's picture in WebAssembly memory, laid out as the canvas's
// ImageData reads it (red, green, blue and alpha bytes), and the rectangles
// of a step that the page then puts on the canvas. It defines the picture
// calls of anim/window_animation.h: CreatePicture (the format is the
// canvas's own), DestroyPicture, and SendPictureRect, which notes the
// rectangle for the page's script.
#pragma once

#include <cstdint>

#include "anim/window_animation.h"

// A step changes one rectangle per sprite.
const int32_t MostChangedRects = 256;
// The list the script reads: the count, then four numbers a rectangle.
const int32_t ChangedRectsLength = 1 + 4 * MostChangedRects;

// A step's rectangles: forgotten at its start, noted one by one as they are
// sent (SendPictureRect), finished at its end, when fewer, larger ones
// replace them where putting those costs less (a call to putImageData costs
// as much as thousands of pixels): their bounding box alone if it costs no
// more than they do together (one put instead of hundreds), else, among at
// most MostPairedRects, any two whose box costs no more than both.
const int32_t MostPairedRects = 16;
void ForgetChangedRects();
void FinishChangedRects();

// For the page: the count, then left, top, width and height of each
// rectangle to put.
const int32_t* ChangedRects();
