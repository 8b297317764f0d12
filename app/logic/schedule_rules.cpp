#include "app/logic/schedule_rules.h"

#include <algorithm>

ScheduleTimes ScheduleFromFields(const ScheduleFields& fields) {
  ScheduleTimes times;
  times.time = fields.startHour * 60 + fields.startMinute;
  // The sign of the stored lead tells whether notification is on, so a negative lead typed
  // into the fields would turn it off (or its complement on): it counts as no lead at all.
  const int lead = std::max(fields.leadHours * 60 + fields.leadMinutes, 0);
  times.notifyAt = times.time - lead;
  times.notice = fields.notify ? lead : ~lead;
  return times;
}

ScheduleFields FieldsFromSchedule(int time, int notice) {
  ScheduleFields fields;
  fields.notify = notice >= 0;
  const int lead = fields.notify ? notice : ~notice;
  fields.startHour = time / 60;
  fields.startMinute = time % 60;
  fields.leadHours = lead / 60;
  fields.leadMinutes = lead % 60;
  return fields;
}

bool TimeFieldValid(const char* text, int highest) {
  int value = 0, digits = 0;
  for (; text[digits] != '\0'; ++digits) {
    const char c = text[digits];
    if (c < '0' || c > '9' || digits == 2) return false;
    value = value * 10 + (c - '0');
  }
  return digits > 0 && value <= highest;
}

bool AsksYearBoundary(int month, int day, bool notifiesOnOwnDay) {
  return month == 1 && day == 1 && !notifiesOnOwnDay;
}

bool NotifiesOnOwnDay(const ScheduleTimes& times) {
  // With notification off the stored lead is negative, so this holds whatever the times.
  return times.time - times.notice >= 0;
}

int TabAfterDelete(int deleted, int remaining) {
  if (remaining <= 0) return -1;
  return std::min(std::max(deleted - 1, 0), remaining - 1);
}
