// The calendar's geometry: every size and offset of the window, fixed by the layout from the
// measured fonts and kept until the display settings change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct LayoutBox {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

// The DPI the settings' pixel values are given for.
constexpr int32_t kBaseDpi = 96;

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
  // The small second line under the day number (the 六曜 or a solar term); empty while off.
  LayoutBox subLineBox;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  // Stored by each redraw and used to find the day under a point.
  int32_t gridTop = 0;
  int32_t firstCellDay = 0;
};

// What the layout needs to know: the sizes measured with the three fonts and the numbers of
// the display settings that shape the window. Percentages are of the measured lengths.
struct LayoutInput {
  int32_t buttonBarHeight = 20;

  // Year/month heading: extent of the formatted heading text.
  int32_t headingWidth = 0;
  int32_t headingHeight = 0;
  int32_t headingSpaceY = 0;
  int32_t headingShadow = 0;

  // Weekday row: widest and tallest of the seven titles.
  bool weekRowShown = false;
  int32_t titleWidth = 0;
  int32_t titleHeight = 0;
  int32_t weekSpaceY = 0;
  int32_t weekShadow = 0;

  // Day cells: widest and tallest of the numbers 10 ... 31.
  int32_t numberWidth = 0;
  int32_t numberHeight = 0;
  int32_t daySpaceX = 0;
  int32_t daySpaceY = 0;
  int32_t dayShadow = 0;
  bool italic = false;
  int32_t adjustTop = 0;
  int32_t adjustLeft = 0;
  int32_t adjustRight = 0;
  int32_t adjustBottom = 0;

  // The small line under the day numbers, 0 and 0 while it is off: the widest and tallest of
  // its texts in its own font. The cells grow by its height, and widen to its width.
  int32_t subLineWidth = 0;
  int32_t subLineHeight = 0;
};

// Fixes every size and offset of the calendar from the measured sizes. gridTop and
// firstCellDay are left for the redraw to fill in. Every input is first brought within
// bounds (hand-edited settings may hold any number), so the result never overflows.
CalendarLayout LayOutCalendar(const LayoutInput& in);

// A length given in 96-DPI pixels (the unit of the settings file) at a monitor's DPI, rounded
// to the nearest pixel, halves away from zero: 1 becomes 2 at 144 DPI, -20 becomes -30.
int32_t ScaleForDpi(int32_t pixels, int32_t dpi);

// The layout made at 96 DPI, scaled as a whole for a monitor of another DPI. The window size is
// rounded; bands, pitches and offsets are cut, so that together they never reach past the
// window; the text boxes are rounded up, so that text of the scaled fonts is not clipped.
CalendarLayout ScaleLayout(const CalendarLayout& base, int32_t dpi);

// Width of the day grid as the window shows it: the spacing after the last column is
// trimmed so the grid does not end in a wide blank strip.
int32_t GridWidth(const LayoutInput& in, const CalendarLayout& layout);

// The seven weekday titles, Sunday first, cut from the settings text at every space: a
// missing title is empty and anything after the seventh is ignored.
std::vector<std::string> WeekTitles(const std::string& weekTitle);

// Day number in the top-left cell of the grid; below 1 when the first cells are blank.
int32_t FirstCellDay(int32_t firstWeekday, int32_t startDayOfWeek);

// Number of rows a month fills: a row is started while its first day is still in the month.
int32_t RowCount(int32_t firstCellDay, int32_t daysInMonth);

// Day under a client point, or 0 when the point is outside the six-row grid or on a blank
// cell.
int32_t DayAtGridPoint(const CalendarLayout& layout, int32_t daysInMonth, int32_t x, int32_t y);

// One axis of an image placed in a decoration box: a box smaller than the image shows the
// middle of the image; a larger box centres the whole image.
struct ImageSpan {
  int32_t target = 0;  // offset from the box's start
  int32_t source = 0;  // offset into the image
  int32_t length = 0;  // pixels copied
};
ImageSpan PlaceImageSpan(int32_t box, int32_t image);
