// Places a decoration or button picture in a box of the calendar.
#pragma once

#include <windows.h>

#include "calendar/image_loader.h"

// Image types of a day decoration.
constexpr int kImageNone = 0;
// The file holds the picture (on white) over its mask (black where the picture shows).
constexpr int kImageTransparent = 1;
constexpr int kImageNatural = 2;
constexpr int kImageStretched = 3;

// Draws image, already selected into source, into rect of target. Types 1 and 2 centre a
// smaller picture and show the middle of a larger one; type 3 stretches it over the box.
// Returns 0 when nothing was drawn (type 0 or unknown, or no bitmap), else 1.
int BlitImage(HDC target, const RECT& rect, HDC source, const ImageFile& image, int type);
