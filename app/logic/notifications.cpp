#include "app/logic/notifications.h"

#include "calendar/day_number.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr long long kDay = kMinutesPerDay;


}  // namespace

long long TimelineMinute(int year, int month, int day, int minuteOfDay) {
  return static_cast<long long>(DayNumber(year, month, day)) * kDay + minuteOfDay;
}

void ShownReminders::Add(long long start, const std::string& message) {
  shown_.emplace(start, message);
}

bool ShownReminders::Contains(long long start, const std::string& message) const {
  return shown_.count(std::make_pair(start, message)) != 0;
}

void ShownReminders::ForgetBefore(long long minute) {
  shown_.erase(shown_.begin(), shown_.lower_bound(std::make_pair(minute, std::string())));
}

long long EarliestStart(long long now, long long lastCheck) {
  if (lastCheck < 0) return now;
  return std::max(now - kCatchUpMinutes, std::min(now, lastCheck + 1));
}

void ReloadDueList(DateNote& today, const std::string& memoPrefix, int year, int month, int day,
                   const ShownReminders& shown) {
  today.schedules.Clear();
  today.year = year;
  today.month = month;
  today.date = day;
  DateNoteArray::LoadDueSchedules(memoPrefix, today);
  const long long base = TimelineMinute(year, month, day, 0);
  DateScheduleArray& list = today.schedules;
  for (size_t i = list.size(); i-- > 0;) {
    if (!shown.Contains(base + list[i]->time, list[i]->Message)) continue;
    delete list[i];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

std::string NotificationText(long long start, long long now, const std::string& message,
                             const std::string& tomorrowWord) {
  const char* prefix = FloorDiv(start, kDay) > FloorDiv(now, kDay) ? tomorrowWord.c_str() : "";
  const long long minute = start - FloorDiv(start, kDay) * kDay;
  const int hour = static_cast<int>(minute / 60), minuteOfHour = static_cast<int>(minute % 60);
  const char* format = "[%s%d:%02d] %s";
  const int length = std::snprintf(nullptr, 0, format, prefix, hour, minuteOfHour, message.c_str());
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(&text[0], text.size() + 1, format, prefix, hour, minuteOfHour, message.c_str());
  return text;
}

int CheckDueList(DateNote& today, long long now, long long earliestStart,
                 const std::string& tomorrowWord, const MessageLauncher& launch,
                 ShownReminders& shown) {
  DateScheduleArray& list = today.schedules;
  if (list.empty()) return 0;
  const long long base = TimelineMinute(today.year, today.month, today.date, 0);
  int launched = 0;
  for (size_t i = list.size(); i-- > 0;) {
    const long long start = base + list[i]->time;
    if (start >= earliestStart && base + list[i]->notifyAt > now) continue;
    // Taken out of the list before the launch, so nothing can give it out twice.
    std::unique_ptr<DateSchedule> due(list[i]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    if (start < earliestStart) continue;
    shown.Add(start, due->Message);
    launch(NotificationText(start, now, due->Message, tomorrowWord));
    ++launched;
  }
  return launched;
}
