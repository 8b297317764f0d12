// What the memo editor does with the numbers of one schedule page and with its list of tabs,
// apart from any window.
#pragma once

// The four time fields and the "通知" box of a schedule page as the user left them.
struct ScheduleFields {
  int startHour = 9;
  int startMinute = 0;
  int leadHours = 0;
  int leadMinutes = 30;
  bool notify = true;
};

// The numbers a schedule keeps: start and notification minute after midnight, and the lead
// time, stored as its bitwise complement while notification is off so that it survives.
struct ScheduleTimes {
  int time = 540;
  int notice = 30;
  int notifyAt = 0;
};

ScheduleTimes ScheduleFromFields(const ScheduleFields& fields);
ScheduleFields FieldsFromSchedule(int time, int notice);

// A time field as typed: one or two digits, at most highest (23 for hours, 59 for minutes).
// Anything else (empty, a sign, 25 o'clock) keeps the editor's OK disabled.
bool TimeFieldValid(const char* text, int highest);

// False when the notification would fall on the previous day (before midnight).
bool NotifiesOnOwnDay(const ScheduleTimes& times);

// The editor asks before it keeps a schedule of 1 January (and only then) whose notification
// would fall on 31 December: that day's memos live in the previous year's file.
bool AsksYearBoundary(int month, int day, bool notifiesOnOwnDay);

// The tab to select after the schedule at deleted was removed and remaining are left; -1 when
// none is left.
int TabAfterDelete(int deleted, int remaining);

// Numbers the schedule tabs of one opening of the editor: each new tab gets the next number,
// so a label is never given twice, even after tabs were deleted.
class ScheduleCounter {
 public:
  int Next() { return ++count_; }
  int Count() const { return count_; }

 private:
  int count_ = 0;
};
