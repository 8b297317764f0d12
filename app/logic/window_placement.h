// Where the calendar window stands. Wherever the program gives the window a place (start,
// a new layout or scale, a monitor added or removed, "home", "top right"), the window has to
// be wholly visible: a calendar half off the screen hides the days and its buttons.
#pragma once

#include <vector>

#include "docs/platform.h"

// One monitor: its whole rectangle and its work area (without the taskbar).
struct MonitorArea {
  RECT monitor;
  RECT work;
};

// The monitor nearest to a rectangle, chosen as the system chooses it: the one sharing the
// most area with it, else the one at the shortest distance. -1 when the list is empty.
int NearestMonitor(const RECT& window, const std::vector<MonitorArea>& monitors);

// The top-left corner after the least move that puts a window of width x height wholly inside
// work. A window larger than the work area keeps its top-left corner inside it, so the
// buttons and the heading stay reachable.
POINT FitIntoWorkArea(POINT topLeft, int width, int height, const RECT& work);

// The place of a window of width x height wanted at topLeft: inside the work area of the
// monitor nearest to it. Without any monitor to judge by, topLeft stays.
POINT PlaceOnScreen(POINT topLeft, int width, int height, const std::vector<MonitorArea>& monitors);

// "画面右上へ": the window's right edge on the work area's right and its top on the work
// area's top; with Ctrl held its left edge on the work area's left instead.
POINT TopRightPosition(const RECT& workArea, int width, bool ctrlHeld);
