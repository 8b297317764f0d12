#include "calendar/layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Day numbers at most 16 x 20, SpaceX 50, day SpaceY 20, day and weekday shadow 1, widest
// weekday title 18, no adjustment, upright font.
LayoutInput ExampleInput() {
  LayoutInput in;
  in.buttonBarHeight = 20;
  in.headingWidth = 100;
  in.headingHeight = 30;
  in.headingSpaceY = 10;
  in.headingShadow = 2;
  in.weekRowShown = true;
  in.titleWidth = 18;
  in.titleHeight = 16;
  in.weekSpaceY = 25;
  in.weekShadow = 1;
  in.numberWidth = 16;
  in.numberHeight = 20;
  in.daySpaceX = 50;
  in.daySpaceY = 20;
  in.dayShadow = 1;
  return in;
}

void ExpectBox(const LayoutBox& box, int x, int y, int w, int h) {
  EXPECT_EQ(box.x, x);
  EXPECT_EQ(box.y, y);
  EXPECT_EQ(box.w, w);
  EXPECT_EQ(box.h, h);
}

TEST(LayOutCalendar, ExampleCellsAndBoxes) {
  const LayoutInput in = ExampleInput();
  const CalendarLayout l = LayOutCalendar(in);
  EXPECT_EQ(l.margin, 4);
  EXPECT_EQ(l.cellWidth, 25);
  EXPECT_EQ(l.cellHeight, 25);
  EXPECT_EQ(l.weekTitleWidth, 24);
  ExpectBox(l.numberBox, 4, 2, 16, 20);
  ExpectBox(l.markBox, 3, 1, 17, 21);
  EXPECT_EQ(GridWidth(in, l), 167);
}

TEST(LayOutCalendar, BandHeightsAndWindowSize) {
  LayoutInput in = ExampleInput();
  CalendarLayout l = LayOutCalendar(in);
  EXPECT_EQ(l.buttonBarHeight, 20);
  EXPECT_EQ(l.headingHeight, 33);
  EXPECT_EQ(l.weekRowHeight, 20);
  // The grid is wider than the heading; the Saturday numbers (with shadow) end at 154 + 21
  // and keep a margin to the right edge.
  EXPECT_EQ(l.clientWidth, 154 + 21 + 4);
  // Top margin, heading shadow and band, button bar, weekday shadow and row, six rows.
  EXPECT_EQ(l.clientHeight, 4 + 2 + 33 + 20 + 1 + 20 + 6 * 25);

  // A heading wider than the grid sets the width: its text, its margins and the window's.
  in.headingWidth = 200;
  l = LayOutCalendar(in);
  EXPECT_EQ(l.clientWidth, 200 + 8 + 8);
}

TEST(LayOutCalendar, HiddenWeekRowTakesNoHeight) {
  LayoutInput in = ExampleInput();
  const CalendarLayout shown = LayOutCalendar(in);
  in.weekRowShown = false;
  const CalendarLayout hidden = LayOutCalendar(in);
  EXPECT_EQ(shown.clientHeight - hidden.clientHeight, in.weekShadow + shown.weekRowHeight);
  // The columns still make room for the titles, so the cells do not change.
  EXPECT_EQ(hidden.cellWidth, shown.cellWidth);
}

TEST(LayOutCalendar, SpaceXWidensCellsButTrimsTheLastColumn) {
  LayoutInput in = ExampleInput();
  in.titleWidth = 10;
  in.daySpaceX = 0;
  CalendarLayout l = LayOutCalendar(in);
  EXPECT_EQ(l.cellWidth, 17);
  EXPECT_EQ(l.numberBox.x, 0);
  EXPECT_EQ(GridWidth(in, l), 7 * 17);

  in.daySpaceX = 50;
  l = LayOutCalendar(in);
  EXPECT_EQ(l.cellWidth, 25);
  EXPECT_EQ(GridWidth(in, l), 7 * 25 - 16 / 2);
}

TEST(LayOutCalendar, WideSpacingNeverCutsTheLastColumn) {
  LayoutInput in = ExampleInput();
  in.daySpaceX = 100;
  const CalendarLayout l = LayOutCalendar(in);
  EXPECT_EQ(l.cellWidth, 33);
  EXPECT_EQ(l.numberBox.x, 8);
  // Trimming the whole spacing (7 x 33 - 16 + 8 = 223) would cut 4 pixels off the Saturday
  // numbers: the window reaches a margin past the end of the last number's shadow instead.
  const int lastNumberEnd = l.margin + 6 * l.cellWidth + l.numberBox.x + l.numberBox.w + 1;
  EXPECT_EQ(lastNumberEnd, 227);
  EXPECT_EQ(l.clientWidth, 227 + l.margin);

  // The italic boxes reach further right and are kept whole as well.
  in.italic = true;
  const CalendarLayout italic = LayOutCalendar(in);
  EXPECT_GE(italic.clientWidth, italic.margin + 6 * italic.cellWidth + italic.numberBox.x +
                                    italic.numberBox.w + 1);
  EXPECT_GE(italic.clientWidth,
            italic.margin + 6 * italic.cellWidth + italic.markBox.x + italic.markBox.w + 1);
}

TEST(LayOutCalendar, WideWeekdayTitleWidensEveryColumn) {
  LayoutInput in = ExampleInput();
  in.titleWidth = 30;
  in.weekShadow = 2;
  const CalendarLayout l = LayOutCalendar(in);
  EXPECT_EQ(l.weekTitleWidth, 30);
  EXPECT_EQ(l.cellWidth, l.weekTitleWidth + in.weekShadow);
  // The number stays centred in the widened column (its shadow excluded).
  EXPECT_EQ(l.numberBox.x, (31 - 16) / 2);
  EXPECT_EQ(l.markBox.x, l.numberBox.x - 1);
}

TEST(LayOutCalendar, ItalicWidensNumberAndMarkBoxes) {
  LayoutInput in = ExampleInput();
  in.italic = true;
  const CalendarLayout l = LayOutCalendar(in);
  // Number box from x 4: 4 - 3*20/8 = -3, width 44/4 + 16 = 27.
  ExpectBox(l.numberBox, -3, 2, 27, 20);
  // Mark box: x 4 - 23/8 = 2, width 22/4 - 2 + 16 = 19, plus the shadow.
  ExpectBox(l.markBox, 2, 1, 20, 21);
  EXPECT_EQ(l.cellWidth, 25);
}

TEST(LayOutCalendar, AdjustMovesAndResizesTheMarkBoxOnly) {
  LayoutInput in = ExampleInput();
  in.adjustLeft = 1;
  in.adjustTop = -1;
  in.adjustRight = 2;
  in.adjustBottom = 3;
  const CalendarLayout l = LayOutCalendar(in);
  ExpectBox(l.markBox, 4, 0, 16 + 1 + 1, 20 + 4 + 1);
  ExpectBox(l.numberBox, 4, 2, 16, 20);
}

TEST(WeekTitles, AlwaysSevenTitles) {
  const std::vector<std::string> five = WeekTitles("Su Mo Tu We Th");
  ASSERT_EQ(five.size(), 7u);
  EXPECT_EQ(five[4], "Th");
  EXPECT_EQ(five[5], "");
  EXPECT_EQ(five[6], "");

  const std::vector<std::string> nine = WeekTitles("a b c d e f g h i");
  ASSERT_EQ(nine.size(), 7u);
  EXPECT_EQ(nine[6], "g");

  // Each space ends a title, so two spaces leave an empty one between them.
  const std::vector<std::string> gap = WeekTitles("a  b");
  EXPECT_EQ(gap[0], "a");
  EXPECT_EQ(gap[1], "");
  EXPECT_EQ(gap[2], "b");

  // Shift_JIS titles ("日 月") pass through as bytes.
  const std::vector<std::string> jp = WeekTitles("\x93\xfa \x8c\x8e");
  EXPECT_EQ(jp[0], "\x93\xfa");
  EXPECT_EQ(jp[1], "\x8c\x8e");
}

TEST(MonthGrid, FirstCellDayAndRows) {
  // A month starting on the first column's weekday begins in the top-left cell.
  EXPECT_EQ(FirstCellDay(0, 0), 1);
  EXPECT_EQ(FirstCellDay(1, 1), 1);
  // One day later leaves one blank cell.
  EXPECT_EQ(FirstCellDay(1, 0), 0);
  // Sunday the 1st with Monday first: six blank cells.
  EXPECT_EQ(FirstCellDay(0, 1), -5);
  // A start day outside 0 ... 6 from a hand-edited file still gives a grid that shows day 1.
  for (int start : {-8, -1, 7, 13}) {
    const int first = FirstCellDay(3, start);
    EXPECT_LE(first, 1) << start;
    EXPECT_GT(first, -6) << start;
  }

  // February 2015 begins on a Sunday: exactly four rows with Sunday first.
  EXPECT_EQ(RowCount(FirstCellDay(0, 0), 28), 4);
  // A 31-day month beginning on a Saturday needs all six rows.
  EXPECT_EQ(RowCount(FirstCellDay(6, 0), 31), 6);
  EXPECT_EQ(RowCount(FirstCellDay(3, 0), 30), 5);
}

TEST(MonthGrid, AnyStartDayFromTheFileGivesAGridThatShowsTheFirst) {
  // The settings file may hold any int; the extremes must neither overflow nor leave day 1
  // off the grid. INT_MIN is 5 mod 7 (Friday), INT_MAX is 1 (Monday).
  EXPECT_EQ(FirstCellDay(5, INT_MIN), 1);
  EXPECT_EQ(FirstCellDay(0, INT_MIN), -1);
  EXPECT_EQ(FirstCellDay(1, INT_MAX), 1);
  EXPECT_EQ(FirstCellDay(6, INT_MAX), -4);
}

TEST(MonthGrid, DayAtGridPoint) {
  CalendarLayout l;
  l.cellWidth = 25;
  l.cellHeight = 25;
  l.gridTop = 100;
  l.firstCellDay = -2;  // the 1st in the fourth column
  const int days = 30;
  EXPECT_EQ(DayAtGridPoint(l, days, 3, 110), 0);                  // left of the margin
  EXPECT_EQ(DayAtGridPoint(l, days, 10, 99), 0);                  // above the grid
  EXPECT_EQ(DayAtGridPoint(l, days, 4, 100), 0);                  // blank first cell
  EXPECT_EQ(DayAtGridPoint(l, days, 4 + 3 * 25, 100), 1);         // top-left pixel of the 1st
  EXPECT_EQ(DayAtGridPoint(l, days, 4 + 3 * 25 - 1, 124), 0);     // last pixel of a blank cell
  EXPECT_EQ(DayAtGridPoint(l, days, 4 + 4 * 25 + 24, 224), 30);   // bottom-right pixel of the 30th
  EXPECT_EQ(DayAtGridPoint(l, days, 4 + 5 * 25, 200), 0);         // blank cell after the month
  EXPECT_EQ(DayAtGridPoint(l, days, 4 + 7 * 25, 110), 0);         // right of the grid
  EXPECT_EQ(DayAtGridPoint(l, days, 10, 100 + 6 * 25), 0);        // below the sixth row
  // Before the first redraw there is no grid at all.
  EXPECT_EQ(DayAtGridPoint(CalendarLayout(), days, 4, 0), 0);
}

TEST(ImagePlacement, SmallImageCentredLargeImageCropped) {
  // A 16-pixel picture in a 20-pixel box sits 2 pixels in.
  ImageSpan s = PlaceImageSpan(20, 16);
  EXPECT_EQ(s.target, 2);
  EXPECT_EQ(s.source, 0);
  EXPECT_EQ(s.length, 16);
  // A 40-pixel picture in the same box shows its middle 20 pixels.
  s = PlaceImageSpan(20, 40);
  EXPECT_EQ(s.target, 0);
  EXPECT_EQ(s.source, 10);
  EXPECT_EQ(s.length, 20);
  // Equal sizes: copied whole.
  s = PlaceImageSpan(20, 20);
  EXPECT_EQ(s.target, 0);
  EXPECT_EQ(s.source, 0);
  EXPECT_EQ(s.length, 20);
  // A box made negative by adjustments copies nothing (a negative width would mirror).
  s = PlaceImageSpan(-3, 16);
  EXPECT_EQ(s.length, 0);
}

}  // namespace

namespace {

// Hand-edited settings may hold any number: the window keeps a size the screen can take.
TEST(LayoutBounds, ExtremeSettingsGiveABoundedWindowWithoutOverflow) {
  const int32_t extremes[] = {INT_MIN, -100000000, -1, 0, 100000000, INT_MAX};
  for (int32_t value : extremes) {
    for (int field = 0; field < 8; ++field) {
      LayoutInput in = ExampleInput();
      int32_t* targets[] = {&in.daySpaceX, &in.daySpaceY, &in.dayShadow,  &in.weekShadow,
                            &in.headingSpaceY, &in.adjustLeft, &in.adjustBottom, &in.numberHeight};
      *targets[field] = value;
      const CalendarLayout l = LayOutCalendar(in);
      EXPECT_GT(l.clientWidth, 0) << field << " = " << value;
      EXPECT_GT(l.clientHeight, 0) << field << " = " << value;
      EXPECT_LT(l.clientWidth, 200000) << field << " = " << value;
      EXPECT_LT(l.clientHeight, 200000) << field << " = " << value;
      EXPECT_GT(l.cellWidth, 0) << field << " = " << value;
      EXPECT_GT(l.cellHeight, 0) << field << " = " << value;
    }
  }
  // Values the dialog allows are used as they are.
  LayoutInput in = ExampleInput();
  in.daySpaceX = 300;
  in.dayShadow = 8;
  EXPECT_EQ(LayOutCalendar(in).cellWidth, 16 + 48 + 8);
}

}  // namespace
