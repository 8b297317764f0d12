// The day-change rule of the 2-second tick and the automatic return to today.
#pragma once

// A local calendar date; all zero before the first tick.
struct LocalDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

bool operator==(const LocalDate& a, const LocalDate& b);
inline bool operator!=(const LocalDate& a, const LocalDate& b) { return !(a == b); }

struct DayChangeStep {
  // Reload the notification list for the new date.
  bool reloadNotifications = false;
  // The current month is on display: move the marking of today to the new day.
  bool goToToday = false;
};

// Compares the tick's date with the date the previous tick saw (lastSeen), and remembers it.
// The first tick always counts as a change. The whole date is compared, so a computer that
// slept for exactly a month still notices the new day.
DayChangeStep CheckDayChange(LocalDate& lastSeen, const LocalDate& tick, int shownYear,
                             int shownMonth);

// The tick's day change as the calendar acts on it: the notifications follow the new date at
// once, whatever is open (a dialog left open over midnight must not hold back the new day's
// reminders); the move of the display to the new day waits while a dialog disables the
// window, in goToTodayPending, and comes with the first tick after it closed.
DayChangeStep TickDayChange(LocalDate& lastSeen, bool& goToTodayPending, const LocalDate& tick,
                            int shownYear, int shownMonth, bool windowEnabled);

// Counts down the automatic return; true on the tick that reaches 0.
bool AutoReturnDue(int& autoReturnTicks);
