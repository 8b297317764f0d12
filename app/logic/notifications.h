// The notification list: the schedules of today and of tomorrow whose notification falls
// today, held in the today note. It is read again at each change of day and after each memo
// edit, and every tick gives out what has come due, one message program per schedule.
//
// Every time here lies on one line of minutes (from 1970-01-01 0:00, local time), so that a
// tick after midnight, after a sleep or after an edit compares like with like.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>

#include "docs/memo_store.h"

// Starts the message program with one notification text.
using MessageLauncher = std::function<void(const std::string& text)>;

// The minute on the time line of minuteOfDay on a date (from 1970 on).
long long TimelineMinute(int year, int month, int day, int minuteOfDay);

// The reminders given out, so that no reload gives one out again: an edit of any memo, or the
// day change that brings tomorrow's early schedule back as today's. A reminder is its start on
// the time line and its message.
class ShownReminders {
 public:
  void Add(long long start, const std::string& message);
  bool Contains(long long start, const std::string& message) const;
  // Forgets reminders that started before minute: nothing that old is given out any more.
  void ForgetBefore(long long minute);
  size_t Size() const { return shown_.size(); }

 private:
  std::set<std::pair<long long, std::string>> shown_;
};

// How far back a start may lie and still be given out after the computer slept through it.
constexpr int kCatchUpMinutes = 60;

// The earliest start still given out at now, when the previous check ran at lastCheck (-1:
// none yet). While the checks run every tick that is now itself; after a gap (the computer
// slept, the clock jumped) the schedules whose start passed unseen in the gap count too, up
// to kCatchUpMinutes back.
long long EarliestStart(long long now, long long lastCheck);

// Empties the today note's list, gives the note the date year/month/day and collects the due
// schedules from the year file, leaving out the reminders already shown.
void ReloadDueList(DateNote& today, const std::string& memoPrefix, int year, int month, int day,
                   const ShownReminders& shown);

// "[%s%d:%02d] %s": tomorrowWord when the start lies on the day after now's, then the start's
// hour and minute and the message.
std::string NotificationText(long long start, long long now, const std::string& message,
                             const std::string& tomorrowWord);

// Walks the today note's list from its last entry: an entry whose start lies before
// earliestStart is dropped unseen; one whose notification minute has come is removed,
// launched and remembered in shown. Returns the number launched.
int CheckDueList(DateNote& today, long long now, long long earliestStart,
                 const std::string& tomorrowWord, const MessageLauncher& launch,
                 ShownReminders& shown);
