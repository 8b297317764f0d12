// Window stacking, the automatic return to the current month, the day change of the tick and
// the start position of the calendar window.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/logic/day_change.h"
#include "app/logic/stacking.h"
#include "app/logic/window_placement.h"

namespace {

RECT Rect(int left, int top, int right, int bottom) {
  RECT r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

POINT Pt(int x, int y) {
  POINT p;
  p.x = x;
  p.y = y;
  return p;
}

TEST(AutoReturn, TickCountFromSeconds) {
  EXPECT_EQ(AutoReturnTicks(60), 30);
  EXPECT_EQ(AutoReturnTicks(1), 1);
  EXPECT_EQ(AutoReturnTicks(2), 1);
  EXPECT_EQ(AutoReturnTicks(3), 2);
  EXPECT_EQ(AutoReturnTicks(0), 0);
  EXPECT_EQ(AutoReturnTicks(-5), 0);
  // Seconds * 1000 does not fit in an int here; the count must stay a long positive wait.
  EXPECT_EQ(AutoReturnTicks(INT_MAX), 1073741824);
}

TEST(AutoReturn, SixtySecondsReturnAfterThirtyTicksAndActivationCancels) {
  int keepAtBottom = 0;
  int ticks = 0;
  ActivationInput away;
  away.active = false;
  away.autoDisplayNow = 60;
  away.showsHomeMonth = false;
  OnAppActivation(away, keepAtBottom, ticks);
  int due = 0;
  int dueAt = 0;
  for (int tick = 1; tick <= 40; ++tick) {
    if (AutoReturnDue(ticks)) {
      ++due;
      dueAt = tick;
    }
  }
  EXPECT_EQ(due, 1);
  EXPECT_EQ(dueAt, 30);

  OnAppActivation(away, keepAtBottom, ticks);
  for (int tick = 1; tick <= 29; ++tick) EXPECT_FALSE(AutoReturnDue(ticks));
  ActivationInput back = away;
  back.active = true;
  OnAppActivation(back, keepAtBottom, ticks);
  for (int tick = 1; tick <= 40; ++tick) EXPECT_FALSE(AutoReturnDue(ticks));
}

TEST(AutoReturn, NotStartedOnHomeMonthWhileDisabledOrWhenOff) {
  int keepAtBottom = 0;
  ActivationInput input;
  input.autoDisplayNow = 60;
  input.showsHomeMonth = true;
  int ticks = 0;
  OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_EQ(ticks, 0);
  input.showsHomeMonth = false;
  input.windowEnabled = false;  // a dialog is open
  OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_EQ(ticks, 0);
  input.windowEnabled = true;
  input.autoDisplayNow = 0;
  OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_EQ(ticks, 0);
}

TEST(Stacking, AlwaysBottomPinsAfterDeactivationOnly) {
  int keepAtBottom = 0;
  int ticks = 0;
  ActivationInput input;
  input.alwaysBottom = 1;
  input.active = true;
  ActivationStep step = OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_TRUE(step.sendToBottom);
  EXPECT_FALSE(step.hideProbe);
  EXPECT_EQ(keepAtBottom, 0);
  EXPECT_FALSE(PinnedToBottom(1, keepAtBottom));

  input.active = false;
  step = OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_TRUE(step.sendToBottom);
  EXPECT_TRUE(step.hideProbe);
  EXPECT_EQ(keepAtBottom, 1);
  EXPECT_TRUE(PinnedToBottom(1, keepAtBottom));
  // Re-activation leaves the pin: a click on the pinned calendar keeps it at the bottom.
  input.active = true;
  OnAppActivation(input, keepAtBottom, ticks);
  EXPECT_EQ(keepAtBottom, 1);
}

TEST(Stacking, WithoutAlwaysBottomNothingMovesOrPins) {
  int keepAtBottom = 1;  // left over from before the user switched the option off
  int ticks = 0;
  ActivationInput input;
  input.alwaysBottom = 0;
  for (bool active : {true, false}) {
    input.active = active;
    ActivationStep step = OnAppActivation(input, keepAtBottom, ticks);
    EXPECT_FALSE(step.sendToBottom);
    EXPECT_FALSE(step.hideProbe);
  }
  EXPECT_FALSE(PinnedToBottom(0, keepAtBottom));
}

TEST(DayChange, FirstTickAlwaysCounts) {
  LocalDate seen;
  DayChangeStep step = CheckDayChange(seen, LocalDate{2024, 5, 1}, 2024, 5);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_TRUE(step.goToToday);
  step = CheckDayChange(seen, LocalDate{2024, 5, 1}, 2024, 5);
  EXPECT_FALSE(step.reloadNotifications);
  EXPECT_FALSE(step.goToToday);
}

TEST(DayChange, MidnightWithTheCurrentMonthShownMovesToday) {
  LocalDate seen{2024, 3, 15};
  DayChangeStep step = CheckDayChange(seen, LocalDate{2024, 3, 16}, 2024, 3);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_TRUE(step.goToToday);
  // Month end: the new month is the month of the tick; the display showed the old one.
  step = CheckDayChange(seen, LocalDate{2024, 3, 31}, 2024, 3);
  step = CheckDayChange(seen, LocalDate{2024, 4, 1}, 2024, 3);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_FALSE(step.goToToday) << "March on display is not the month of 1 April";
}

TEST(DayChange, MidnightWithAnotherMonthShownKeepsTheHomeDate) {
  // Home is 15 March, April is on display. After midnight the home date still says the 15th,
  // so going back with "<" shows the 15th marked until the next return to today.
  LocalDate seen{2024, 3, 15};
  DayChangeStep step = CheckDayChange(seen, LocalDate{2024, 3, 16}, 2024, 4);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_FALSE(step.goToToday) << "the home date stays the 15th";
  // The same month of another year is another month.
  step = CheckDayChange(seen, LocalDate{2024, 3, 17}, 2023, 3);
  EXPECT_FALSE(step.goToToday);
}

TEST(DayChange, SameDayNumberOfAnotherMonthIsANewDay) {
  // Asleep from 5 March to 5 April: the day of the month alone would not notice.
  LocalDate seen{2024, 3, 5};
  DayChangeStep step = CheckDayChange(seen, LocalDate{2024, 4, 5}, 2024, 4);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_TRUE(step.goToToday);
  step = CheckDayChange(seen, LocalDate{2025, 4, 5}, 2024, 4);
  EXPECT_TRUE(step.reloadNotifications);
}

TEST(StartPosition, SavedPositionOnAMonitorIsKept) {
  std::vector<RECT> monitors = {Rect(0, 0, 1920, 1080), Rect(1920, 0, 3840, 1080)};
  RECT work = Rect(0, 0, 1920, 1040);
  bool moved = true;
  POINT p = StartPosition(Pt(2500, 100), 200, 180, monitors, work, &moved);
  EXPECT_FALSE(moved);
  EXPECT_EQ(p.x, 2500);
  EXPECT_EQ(p.y, 100);
  // Partly off screen still shows a part of the calendar; the user's position stays.
  p = StartPosition(Pt(1900, -170), 200, 180, monitors, work, &moved);
  EXPECT_FALSE(moved);
  EXPECT_EQ(p.x, 1900);
}

TEST(StartPosition, PositionOffEveryMonitorGoesTopRightOfWorkArea) {
  // The second monitor is gone.
  std::vector<RECT> monitors = {Rect(0, 0, 1920, 1080)};
  RECT work = Rect(0, 30, 1920, 1040);
  bool moved = false;
  POINT p = StartPosition(Pt(2500, 100), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
  EXPECT_EQ(p.x, 1720);
  EXPECT_EQ(p.y, 30);
  // Touching the right edge without a shared pixel is outside.
  p = StartPosition(Pt(1920, 0), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
  p = StartPosition(Pt(1919, 0), 200, 180, monitors, work, &moved);
  EXPECT_FALSE(moved);
  // Above and left of the screen.
  StartPosition(Pt(-200, 0), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
  StartPosition(Pt(0, -180), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
}

TEST(StartPosition, ExtremeSavedValuesDoNotWrapAround) {
  std::vector<RECT> monitors = {Rect(0, 0, 1920, 1080)};
  RECT work = Rect(0, 0, 1920, 1040);
  bool moved = false;
  POINT p = StartPosition(Pt(INT_MAX, INT_MAX), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
  EXPECT_EQ(p.x, 1720);
  StartPosition(Pt(INT_MIN, INT_MIN), 200, 180, monitors, work, &moved);
  EXPECT_TRUE(moved);
  // No monitor reported at all: nothing to judge by, the saved position stays.
  p = StartPosition(Pt(-5000, 10), 200, 180, {}, work, &moved);
  EXPECT_FALSE(moved);
  EXPECT_EQ(p.x, -5000);
}

}  // namespace

namespace {

TEST(TopRightPosition, RightEdgeOnTheWorkAreaOrXZeroWithCtrl) {
  const RECT work = Rect(100, 30, 1920, 1040);
  EXPECT_EQ(TopRightPosition(work, 180, false).x, 1740);
  EXPECT_EQ(TopRightPosition(work, 180, true).x, 0) << "x = 0, not the work area's left edge";
  EXPECT_EQ(TopRightPosition(work, 180, true).y, 30);
}

}  // namespace
