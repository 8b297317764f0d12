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

TEST(DayChange, ADialogOpenOverMidnightHoldsBackTheDisplayButNotTheReminders) {
  LocalDate seen{2024, 3, 5};
  bool pending = false;
  // Midnight with the memo editor open: the list follows the day, the display waits.
  DayChangeStep step = TickDayChange(seen, pending, LocalDate{2024, 3, 6}, 2024, 3, false);
  EXPECT_TRUE(step.reloadNotifications);
  EXPECT_FALSE(step.goToToday);
  step = TickDayChange(seen, pending, LocalDate{2024, 3, 6}, 2024, 3, false);
  EXPECT_FALSE(step.reloadNotifications) << "read once per day";
  EXPECT_FALSE(step.goToToday);
  // The first tick after the dialog closed moves the marking of today.
  step = TickDayChange(seen, pending, LocalDate{2024, 3, 6}, 2024, 3, true);
  EXPECT_FALSE(step.reloadNotifications);
  EXPECT_TRUE(step.goToToday);
  EXPECT_FALSE(TickDayChange(seen, pending, LocalDate{2024, 3, 6}, 2024, 3, true).goToToday) << "once";
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

// Screens as users have them: common laptop sizes, a taskbar on any edge, monitors left of and
// above the primary one (negative coordinates), and positions saved on a monitor that is gone.
TEST(PlaceOnScreen, WindowEndsWhollyInsideTheWorkAreaOfTheNearestMonitor) {
  const MonitorArea laptop1600 = {Rect(0, 0, 1600, 900), Rect(0, 0, 1600, 860)};
  const MonitorArea laptop1366 = {Rect(0, 0, 1366, 768), Rect(0, 0, 1366, 728)};
  const MonitorArea full = {Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)};
  const MonitorArea right = {Rect(1920, 0, 3840, 1080), Rect(1920, 0, 3840, 1080)};
  const MonitorArea left = {Rect(-1920, 0, 0, 1080), Rect(-1920, 0, 0, 1040)};
  const MonitorArea above = {Rect(0, -1080, 1920, 0), Rect(0, -1080, 1920, 0)};
  const MonitorArea taskbarLeft = {Rect(0, 0, 1920, 1080), Rect(62, 0, 1920, 1080)};
  const MonitorArea taskbarTop = {Rect(0, 0, 1920, 1080), Rect(0, 40, 1920, 1080)};
  struct Case {
    const char* what;
    std::vector<MonitorArea> monitors;
    POINT wanted;
    int width, height;
    POINT expected;
  } cases[] = {
      {"the old shipped place on a 1600x900 laptop", {laptop1600}, Pt(1560, 40), 232, 208, Pt(1368, 40)},
      {"below the bottom of a 1366x768 laptop", {laptop1366}, Pt(1200, 700), 232, 208, Pt(1134, 520)},
      {"wholly inside stays", {full}, Pt(100, 100), 232, 208, Pt(100, 100)},
      {"one pixel over the right edge", {full}, Pt(1689, 0), 232, 208, Pt(1688, 0)},
      {"on the second monitor stays", {full, right}, Pt(2500, 100), 232, 208, Pt(2500, 100)},
      {"mostly on the second monitor goes there", {full, right}, Pt(1900, -170), 232, 208, Pt(1920, 0)},
      {"second monitor gone", {full}, Pt(2500, 100), 232, 208, Pt(1688, 100)},
      {"monitor left of the primary", {full, left}, Pt(-300, 1000), 232, 208, Pt(-300, 832)},
      {"straddling towards the primary", {full, left}, Pt(-100, 500), 232, 208, Pt(0, 500)},
      {"straddling towards the left monitor", {full, left}, Pt(-200, 500), 232, 208, Pt(-232, 500)},
      {"monitor above the primary", {full, above}, Pt(50, -150), 232, 208, Pt(50, -208)},
      {"taskbar on the left", {taskbarLeft}, Pt(0, 0), 232, 208, Pt(62, 0)},
      {"taskbar on top", {taskbarTop}, Pt(10, 0), 232, 208, Pt(10, 40)},
      {"larger than the work area: its top-left wins", {laptop1366}, Pt(100, 100), 1400, 800, Pt(0, 0)},
      {"larger, from above and left", {laptop1366}, Pt(-50, -50), 1400, 800, Pt(0, 0)},
      {"far beyond the end of int", {full}, Pt(INT_MAX, INT_MAX), 232, 208, Pt(1688, 832)},
      {"far below the start of int", {full}, Pt(INT_MIN, INT_MIN), 232, 208, Pt(0, 0)},
      {"no monitor known: nothing to judge by", {}, Pt(-5000, 10), 232, 208, Pt(-5000, 10)},
  };
  for (const Case& c : cases) {
    const POINT p = PlaceOnScreen(c.wanted, c.width, c.height, c.monitors);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
  }
}

TEST(PlaceOnScreen, NearestMonitorSharesTheMostAreaOrLiesClosest) {
  const std::vector<MonitorArea> monitors = {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)},
                                             {Rect(1920, 0, 3840, 1080), Rect(1920, 0, 3840, 1080)},
                                             {Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 1024)}};
  EXPECT_EQ(NearestMonitor(Rect(1800, 0, 2100, 100), monitors), 1) << "180 of 300 columns on it";
  EXPECT_EQ(NearestMonitor(Rect(-2000, 2000, -1900, 2100), monitors), 2) << "below the left one";
  EXPECT_EQ(NearestMonitor(Rect(5000, 10, 5100, 20), monitors), 1);
  EXPECT_EQ(NearestMonitor(Rect(0, 0, 10, 10), {}), -1);
}

}  // namespace

namespace {

TEST(TopRightPosition, RightEdgeOnTheWorkAreaOrItsLeftEdgeWithCtrl) {
  const RECT work = Rect(100, 30, 1920, 1040);
  EXPECT_EQ(TopRightPosition(work, 180, false).x, 1740);
  EXPECT_EQ(TopRightPosition(work, 180, true).x, 100) << "a taskbar on the left keeps it clear";
  EXPECT_EQ(TopRightPosition(work, 180, true).y, 30);
  EXPECT_EQ(TopRightPosition(Rect(-1920, 0, 0, 1040), 180, true).x, -1920);
}

}  // namespace
