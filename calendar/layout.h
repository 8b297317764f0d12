// The calendar's geometry: every size and offset of the window, fixed by the layout from the
// measured fonts and kept until the display settings change.
#pragma once

#include <cstdint>

struct LayoutBox {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

struct CalendarLayout {
  int32_t margin = 4;
  int32_t buttonBarHeight = 0;
  int32_t headingHeight = 0;
  int32_t weekRowHeight = 0;
  int32_t weekTitleWidth = 0;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  LayoutBox markBox;
  LayoutBox numberBox;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  // Stored by each redraw and used to find the day under a point.
  int32_t gridTop = 0;
  int32_t firstCellDay = 0;
};
