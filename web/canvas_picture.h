// The page's picture in WebAssembly memory, laid out as the canvas's
// ImageData reads it (red, green, blue and alpha bytes), and the rectangles
// of a step that the page then puts on the canvas.
#pragma once

#include <cstdint>

#include "anim/window_picture.h"

// A step changes one rectangle per sprite.
const int32_t MostChangedRects = 256;

// Makes the picture for a canvas of width x height (at least 1 x 1), black,
// and points WindowPicture at it. False when no memory could be had.
bool CreateCanvasPicture(int32_t width, int32_t height);

// Releases the picture (safe when there is none).
void DestroyCanvasPicture();

// A step's rectangles: forgotten at its start, noted one by one, finished
// at its end, when their bounding box alone replaces them if it covers no
// more pixels than they do together (one put instead of hundreds).
void ForgetChangedRects();
void NoteChangedRect(const PictureRect& rect);
void FinishChangedRects();

// For the page: the count, then left, top, width and height of each
// rectangle to put.
const int32_t* ChangedRects();
