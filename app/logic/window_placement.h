// Where the calendar window starts. A saved position that lies wholly outside every monitor
// (a monitor was removed, the resolution went down) would leave an invisible calendar; such a
// window starts at the top right of the primary monitor's work area instead.
#pragma once

#include <vector>

#include "docs/platform.h"

// True when the rectangles share at least one pixel (right and bottom are exclusive).
bool RectsOverlap(const RECT& a, const RECT& b);

// The window's top-left corner: saved when a window of width x height there overlaps one of
// the monitors (or when no monitor is known), else the top right of workArea. moved tells
// which one was chosen.
POINT StartPosition(POINT saved, int width, int height, const std::vector<RECT>& monitors,
                    const RECT& workArea, bool* moved);

// "画面右上へ": the window's right edge on the work area's right and its top on the work
// area's top; with Ctrl held the left edge goes to x = 0 instead.
POINT TopRightPosition(const RECT& workArea, int width, bool ctrlHeld);
