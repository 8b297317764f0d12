#include "app/logic/day_change.h"

bool operator==(const LocalDate& a, const LocalDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

DayChangeStep CheckDayChange(LocalDate& lastSeen, const LocalDate& tick, int shownYear,
                             int shownMonth) {
  DayChangeStep step;
  if (tick == lastSeen) return step;
  lastSeen = tick;
  step.reloadNotifications = true;
  // Another month on display stays; the home date keeps the old day until the next return.
  step.goToToday = shownYear == tick.year && shownMonth == tick.month;
  return step;
}

DayChangeStep TickDayChange(LocalDate& lastSeen, bool& goToTodayPending, const LocalDate& tick,
                            int shownYear, int shownMonth, bool windowEnabled) {
  DayChangeStep step = CheckDayChange(lastSeen, tick, shownYear, shownMonth);
  goToTodayPending = goToTodayPending || step.goToToday;
  step.goToToday = goToTodayPending && windowEnabled;
  if (step.goToToday) goToTodayPending = false;
  return step;
}

bool AutoReturnDue(int& autoReturnTicks) {
  if (autoReturnTicks <= 0) return false;
  return --autoReturnTicks == 0;
}
