// The notification list: the schedules of today and of tomorrow whose notification falls
// today, held in the today note. It is read again at each change of day and after each memo
// edit, and every tick gives out what has come due, one message program per schedule.
#pragma once

#include <functional>
#include <string>

#include "docs/memo_store.h"

// Why the list is read again; it decides which entries are dropped straight away.
enum class ReloadReason {
  // The first tick after start: whatever is still to come today is kept.
  FirstDayChange,
  // Midnight (or a return from sleep on a later day).
  DayChange,
  // The memo editor was closed with OK.
  AfterEdit,
};

// Starts the message program with one notification text.
using MessageLauncher = std::function<void(const std::string& text)>;

// Empties the today note's list, gives the note the date year/month/day and collects the due
// schedules from the year file. After a day change other than the first, entries whose
// notification time lay before midnight are dropped: yesterday gave them out as tomorrow's.
// After an edit, entries whose notification minute is not after nowMinute are dropped: they
// have been given out already, or their time passed.
void ReloadDueList(DateNote& today, const std::string& memoPrefix, int year, int month, int day,
                   ReloadReason reason, int nowMinute);

// "[%s%d:%02d] %s": tomorrowWord for a schedule of tomorrow, then its start and its message.
std::string NotificationText(const DateSchedule& entry, const std::string& tomorrowWord);

// Walks the list from its last entry: an entry whose start has passed is dropped unseen, one
// whose notification minute has come is removed and launched. Returns the number launched.
int CheckDueList(DateScheduleArray& list, int nowMinute, const std::string& tomorrowWord,
                 const MessageLauncher& launch);
