// The calendar at other display scales: lengths of the settings scaled to the monitor's DPI,
// and the 96-DPI layout scaled as a whole so the calendar keeps its proportions.
#include <gtest/gtest.h>

#include "calendar/layout.h"

namespace {

TEST(ScaleForDpi, RoundsToTheNearestPixelAwayFromZero) {
  struct Case {
    int32_t pixels, dpi, expected;
  };
  const Case cases[] = {
      {4, 96, 4},      {20, 120, 25},   {1, 120, 1},   {1, 144, 2},  {3, 144, 5},
      {-20, 144, -30}, {-13, 144, -20}, {-1, 144, -2}, {24, 192, 48}, {0, 144, 0},
      {-16, 120, -20}, {11, 168, 19},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleForDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
  }
}

// The shipped look as measured at 96 DPI.
CalendarLayout ShippedLayout() {
  LayoutInput in;
  in.headingWidth = 92;
  in.headingHeight = 21;
  in.headingSpaceY = 30;
  in.headingShadow = 1;
  in.weekRowShown = true;
  in.titleWidth = 13;
  in.titleHeight = 16;
  in.weekSpaceY = 20;
  in.weekShadow = 1;
  in.numberWidth = 18;
  in.numberHeight = 17;
  in.daySpaceX = 80;
  in.daySpaceY = 30;
  in.dayShadow = 1;
  return LayOutCalendar(in);
}

TEST(ScaleLayout, WindowScalesWithinAPixelAndItsPartsStayInside) {
  const CalendarLayout base = ShippedLayout();
  EXPECT_EQ(ScaleLayout(base, 96).clientWidth, base.clientWidth);
  for (int32_t dpi : {120, 144, 168, 192, 288}) {
    SCOPED_TRACE(dpi);
    const CalendarLayout l = ScaleLayout(base, dpi);
    EXPECT_EQ(l.clientWidth, ScaleForDpi(base.clientWidth, dpi));
    EXPECT_EQ(l.clientHeight, ScaleForDpi(base.clientHeight, dpi));
    EXPECT_EQ(l.margin, base.margin * dpi / 96);
    EXPECT_EQ(l.buttonBarHeight, base.buttonBarHeight * dpi / 96);
    // The Saturday numbers and six rows of scaled cells, with the bands above them, fit the
    // window.
    EXPECT_LE(l.margin + 6 * l.cellWidth + l.numberBox.x + l.numberBox.w, l.clientWidth);
    const int32_t shadows = 2 * ScaleForDpi(1, dpi);
    EXPECT_LE(l.margin + l.buttonBarHeight + l.headingHeight + l.weekRowHeight + shadows +
                  6 * l.cellHeight,
              l.clientHeight + 1);
    // The text boxes are never smaller than the scaled measure, so text is not clipped.
    EXPECT_GE(l.numberBox.w * 96, base.numberBox.w * dpi);
    EXPECT_GE(l.numberBox.h * 96, base.numberBox.h * dpi);
    EXPECT_LE(l.numberBox.x + l.numberBox.w, l.cellWidth + 1);
  }
  // An odd window at 150 %: the half pixel is rounded up, not cut.
  CalendarLayout odd = base;
  odd.clientWidth = 233;
  odd.clientHeight = 207;
  EXPECT_EQ(ScaleLayout(odd, 144).clientWidth, 350);
  EXPECT_EQ(ScaleLayout(odd, 144).clientHeight, 311);
}

}  // namespace
