// The local time as the calendar's timed work sees it. The 2-second tick reads it once and
// hands that one time to everything it does, so the day change, the notifications and the
// power-saving check always agree on what time it is.
#pragma once

#include <windows.h>

SYSTEMTIME ReadTickTime();

inline int SecondOfDay(const SYSTEMTIME& time) {
  return time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
}

inline int MinuteOfDay(const SYSTEMTIME& time) { return time.wHour * 60 + time.wMinute; }
