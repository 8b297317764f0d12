#include "calendar/layout.h"

#include <algorithm>

#include "docs/xml_node.h"

namespace {

constexpr int32_t kColumns = 7;
constexpr int32_t kRows = 6;

// Limits of the numbers that shape the window. The settings file may be edited by hand, so
// they are bounded here, a little beyond what the display settings dialog allows (spacing
// 0 ... 300 %, shadow 0 ... 8, adjustments -16 ... 16), and so are the measured sizes, which
// follow a font height of any size: every product below stays far inside 32 bits.
constexpr int32_t kMaxSpacePercent = 1000;
constexpr int32_t kMaxShadow = 64;
constexpr int32_t kMaxAdjust = 256;
constexpr int32_t kMaxMeasured = 4096;

int32_t Bound(int32_t value, int32_t low, int32_t high) { return std::min(std::max(value, low), high); }

LayoutInput Bounded(LayoutInput in) {
  for (int32_t* size : {&in.buttonBarHeight, &in.headingWidth, &in.headingHeight, &in.titleWidth,
                        &in.titleHeight, &in.numberWidth, &in.numberHeight, &in.subLineWidth,
                        &in.subLineHeight}) {
    *size = Bound(*size, 0, kMaxMeasured);
  }
  for (int32_t* space : {&in.headingSpaceY, &in.weekSpaceY, &in.daySpaceX, &in.daySpaceY}) {
    *space = Bound(*space, 0, kMaxSpacePercent);
  }
  for (int32_t* shadow : {&in.headingShadow, &in.weekShadow, &in.dayShadow}) *shadow = Bound(*shadow, 0, kMaxShadow);
  for (int32_t* adjust : {&in.adjustTop, &in.adjustLeft, &in.adjustRight, &in.adjustBottom}) {
    *adjust = Bound(*adjust, -kMaxAdjust, kMaxAdjust);
  }
  return in;
}

int32_t Percent(int32_t length, int32_t percent) { return length * percent / 100; }

// The italic slant leans the digits to the right: the number box is widened to the left so
// the top of the last digit is not cut, and the decoration box follows the slant halfway.
void WidenForItalic(int32_t dh, int32_t dw, LayoutBox& numberBox, LayoutBox& markBox) {
  const int32_t numberX = numberBox.x;
  markBox.w = (dh + 2) / 4 - 2 + dw;
  markBox.x = numberX - (dh + 3) / 8;
  numberBox.w = (2 * dh + 4) / 4 + dw;
  numberBox.x = numberX - 3 * dh / 8;
}

// Right end, within a cell, of what the cell draws: the number with its shadow, and the mark
// box with the frame line one pixel to its right.
int32_t CellContentRight(const CalendarLayout& layout, int32_t dayShadow) {
  const LayoutBox& sub = layout.subLineBox;
  return std::max({layout.numberBox.x + layout.numberBox.w + std::max(dayShadow, 0),
                   layout.markBox.x + layout.markBox.w + 1,
                   sub.h > 0 ? sub.x + sub.w + std::max(dayShadow, 0) : 0});
}

}  // namespace

CalendarLayout LayOutCalendar(const LayoutInput& given) {
  const LayoutInput in = Bounded(given);
  CalendarLayout out;
  const int32_t margin = out.margin;
  out.buttonBarHeight = in.buttonBarHeight;

  out.headingHeight = in.headingHeight + Percent(in.headingHeight, in.headingSpaceY);
  const int32_t headingWidth = in.headingWidth + 2 * margin;

  out.weekRowHeight = in.titleHeight + Percent(in.titleHeight, in.weekSpaceY);
  out.weekTitleWidth = in.titleWidth;

  const int32_t dw = in.numberWidth;
  const int32_t dh = in.numberHeight;
  int32_t cw = std::max(dw + Percent(dw, in.daySpaceX), in.subLineWidth);
  const int32_t t = Percent(dh, in.daySpaceY);
  // The small line sits right under the number; the spacing stays split above the number
  // and below the small line.
  const int32_t sh = in.subLineHeight;
  const int32_t ch = dh + t + sh;

  // Columns carry both the day numbers and the weekday titles, each with its own shadow:
  // whichever needs more room sets the pitch for both.
  const int32_t sD = in.dayShadow;
  const int32_t sH = in.weekShadow;
  if (sD + cw > out.weekTitleWidth + sH) {
    out.weekTitleWidth = cw + sD - sH;
  } else {
    cw = out.weekTitleWidth + sH - sD;
  }

  out.numberBox = {(cw - dw) / 2, t / 2, dw, dh};
  out.markBox = {out.numberBox.x - 1, t / 2 - 1, dw, dh};
  if (sh > 0) out.subLineBox = {(cw - in.subLineWidth) / 2, t / 2 + dh, in.subLineWidth, sh};
  if (in.italic) WidenForItalic(dh, dw, out.numberBox, out.markBox);

  out.markBox.x += in.adjustLeft;
  out.markBox.y += in.adjustTop;
  out.markBox.w += in.adjustRight - in.adjustLeft;
  out.markBox.h += in.adjustBottom - in.adjustTop;

  out.cellWidth = cw + sD;
  out.cellHeight = ch + sD;
  out.markBox.w += sD;
  out.markBox.h += sD;

  // The trimmed spacing after the last column is meant to leave the window's right margin;
  // with wide spacing it would eat into the last column's numbers, so the window always
  // reaches a margin past what the last cell draws, as the first column has on the left.
  const int32_t lastCellEnd = margin + (kColumns - 1) * out.cellWidth + CellContentRight(out, sD);
  out.clientWidth = std::max({GridWidth(in, out) + 2 * margin, headingWidth + 2 * margin,
                              lastCellEnd + margin});
  // The content starts one margin below the top edge, so the height counts that margin too;
  // without it the lowest pixels of a sixth row (numbers, frames, shadows) would be cut off.
  out.clientHeight = margin + in.headingShadow + out.headingHeight + out.buttonBarHeight +
                     kRows * out.cellHeight;
  if (in.weekRowShown) out.clientHeight += sH + out.weekRowHeight;
  return out;
}

int32_t ScaleForDpi(int32_t pixels, int32_t dpi) {
  const int64_t scaled = int64_t{pixels} * dpi;
  const int64_t half = kBaseDpi / 2;
  return static_cast<int32_t>((scaled < 0 ? scaled - half : scaled + half) / kBaseDpi);
}

CalendarLayout ScaleLayout(const CalendarLayout& base, int32_t dpi) {
  if (dpi == kBaseDpi || dpi <= 0) return base;
  auto cut = [dpi](int32_t length) {
    return static_cast<int32_t>(int64_t{length} * dpi / kBaseDpi);
  };
  auto up = [dpi](int32_t length) {
    return static_cast<int32_t>((int64_t{length} * dpi + kBaseDpi - 1) / kBaseDpi);
  };
  CalendarLayout out = base;
  for (int32_t* length : {&out.margin, &out.buttonBarHeight, &out.headingHeight,
                          &out.weekRowHeight, &out.weekTitleWidth, &out.cellWidth,
                          &out.cellHeight, &out.markBox.x, &out.markBox.y, &out.numberBox.x,
                          &out.numberBox.y, &out.subLineBox.x, &out.subLineBox.y, &out.gridTop}) {
    *length = cut(*length);
  }
  for (int32_t* length : {&out.markBox.w, &out.markBox.h, &out.numberBox.w, &out.numberBox.h,
                          &out.subLineBox.w, &out.subLineBox.h}) {
    *length = up(*length);
  }
  out.clientWidth = ScaleForDpi(base.clientWidth, dpi);
  out.clientHeight = ScaleForDpi(base.clientHeight, dpi);
  return out;
}

int32_t GridWidth(const LayoutInput& given, const CalendarLayout& layout) {
  const LayoutInput in = Bounded(given);
  return kColumns * layout.cellWidth - Percent(in.numberWidth, in.daySpaceX);
}

std::vector<std::string> WeekTitles(const std::string& weekTitle) {
  std::vector<std::string> titles = SplitString(weekTitle, ' ');
  titles.resize(kColumns);
  return titles;
}

int32_t FirstCellDay(int32_t firstWeekday, int32_t startDayOfWeek) {
  // Both are weekdays 0 ... 6; the double modulo keeps an out-of-range start day from
  // producing a grid that begins after the 1st. The start day comes from the settings file
  // as any int, so it is brought into a week first: the difference must not overflow.
  return 1 - ((firstWeekday - startDayOfWeek % kColumns) % kColumns + kColumns) % kColumns;
}

int32_t RowCount(int32_t firstCellDay, int32_t daysInMonth) {
  int32_t rows = 0;
  for (int32_t d = firstCellDay; d <= daysInMonth; d += kColumns) ++rows;
  return rows;
}

int32_t DayAtGridPoint(const CalendarLayout& layout, int32_t daysInMonth, int32_t x, int32_t y) {
  // A point far off the window must not overflow on its way to being rejected.
  const int64_t dx = int64_t{x} - layout.margin;
  const int64_t dy = int64_t{y} - layout.gridTop;
  if (layout.cellWidth <= 0 || dx < 0 || dx >= int64_t{kColumns} * layout.cellWidth) return 0;
  if (layout.cellHeight <= 0 || dy < 0 || dy >= int64_t{kRows} * layout.cellHeight) return 0;
  const int64_t day = layout.firstCellDay + kColumns * (dy / layout.cellHeight) + dx / layout.cellWidth;
  if (day < 1 || day > daysInMonth) return 0;
  return static_cast<int32_t>(day);
}

ImageSpan PlaceImageSpan(int32_t box, int32_t image) {
  // A box turned inside out by the settings' adjustments shows nothing rather than a
  // mirrored copy.
  box = std::max(box, 0);
  if (box < image) return {0, (image - box) / 2, box};
  return {(box - image) / 2, 0, image};
}
