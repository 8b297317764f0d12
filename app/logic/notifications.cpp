#include "app/logic/notifications.h"

#include <cstdio>
#include <memory>

namespace {

template <typename Drop>
void RemoveIf(DateScheduleArray& list, Drop drop) {
  for (size_t i = list.size(); i-- > 0;) {
    if (!drop(*list[i])) continue;
    delete list[i];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

}  // namespace

void ReloadDueList(DateNote& today, const std::string& memoPrefix, int year, int month, int day,
                   ReloadReason reason, int nowMinute) {
  today.schedules.Clear();
  today.year = year;
  today.month = month;
  today.date = day;
  DateNoteArray::LoadDueSchedules(memoPrefix, today);
  switch (reason) {
    case ReloadReason::FirstDayChange:
      return;
    case ReloadReason::DayChange:
      RemoveIf(today.schedules, [](const DateSchedule& s) { return s.notifyAt < 0; });
      return;
    case ReloadReason::AfterEdit:
      RemoveIf(today.schedules, [&](const DateSchedule& s) { return s.notifyAt <= nowMinute; });
      return;
  }
}

std::string NotificationText(const DateSchedule& entry, const std::string& tomorrowWord) {
  int minute = entry.time;
  const char* prefix = "";
  if (minute >= kMinutesPerDay) {
    prefix = tomorrowWord.c_str();
    minute -= kMinutesPerDay;
  }
  const char* format = "[%s%d:%02d] %s";
  const int length = std::snprintf(nullptr, 0, format, prefix, minute / 60, minute % 60,
                                    entry.Message.c_str());
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(&text[0], text.size() + 1, format, prefix, minute / 60, minute % 60,
                entry.Message.c_str());
  return text;
}

int CheckDueList(DateScheduleArray& list, int nowMinute, const std::string& tomorrowWord,
                 const MessageLauncher& launch) {
  int launched = 0;
  for (size_t i = list.size(); i-- > 0;) {
    const DateSchedule& entry = *list[i];
    if (entry.time >= nowMinute && entry.notifyAt > nowMinute) continue;
    // Taken out of the list before the launch, so nothing can give it out twice.
    std::unique_ptr<DateSchedule> due(list[i]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    if (due->time < nowMinute) continue;
    launch(NotificationText(*due, tomorrowWord));
    ++launched;
  }
  return launched;
}
