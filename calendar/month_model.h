// The calendar arithmetic of one month: weekday of the 1st, number of days, and for every
// day the holiday bits and name that the holiday rules and the substitute-holiday law give.
#pragma once

#include <cstdint>

#include "docs/holiday.h"

// LastError codes.
enum MonthModelError {
  MONTH_OK = 0,
  MONTH_NOT_BUILT = 1,
  MONTH_BAD_MONTH = 2,
  MONTH_OUT_OF_RANGE = 3,
  MONTH_BAD_DAY = 4,
};

// Classification bits of the day of the week.
constexpr uint32_t kSundayBit = 0x10;
constexpr uint32_t kSaturdayBit = 0x20;
constexpr uint32_t kWeekdayBit = 0x40;

// First and last month the calendar supports, as 12 * year + month: November 1582, the first
// full Gregorian month, and December 9999.
constexpr int64_t kFirstMonthIndex = 12 * 1582 + 11;
constexpr int64_t kLastMonthIndex = 12 * 9999 + 12;

class CMonthModel {
 public:
  // A model marked by the process's rule list, HolidayArray::Instance().
  CMonthModel() = default;
  // A model marked by the given rule list, which must outlive it.
  explicit CMonthModel(const HolidayArray& rules) : rules(&rules) {}

  // Computes the month; on failure (LastError 2 or 3) the model keeps the month it had.
  bool Build(int year, int month);
  // Shows the month deltaYears years and deltaMonths months away; fails with LastError 1
  // before the first build and with 3 outside the supported range.
  bool Move(int deltaYears, int deltaMonths);

  int IsValid() const { return valid; }
  int Year();
  int Month();
  int FirstWeekday();
  int DaysInMonth();
  // Holiday bits of a day of the month; 0 with LastError 4 outside 1 ... DaysInMonth().
  uint32_t DayFlags(int day);
  // 0x10 Sunday, 0x20 Saturday, 0x40 Monday to Friday; 0x40 on error.
  uint32_t WeekdayBits(int day);
  // Name of the last rule that marked the day; empty when none did, and on error.
  const char* HolidayName(int day);
  int LastError() const { return lastError; }

 private:
  // The holiday-table fuzzer reads the marks themselves: a rule that marks day 0 or a day
  // after the month is invisible through DayFlags, which refuses those days.
  friend struct MonthModelMarks;

  bool CheckBuilt();
  // value with LastError 0 once built, else 0 with LastError 1.
  int Field(int value);
  bool CheckDay(int day);
  void ApplyRules();
  void ApplyRule(const Holiday& rule);
  void Mark(int64_t day, uint32_t bits, const Holiday& rule);
  void MarkSubstituteHolidays();
  bool IsHoliday(int day) const { return (dayFlags[day] & kDayOffTestBits) != 0; }

  const HolidayArray* rules = nullptr;
  int32_t valid = 0;
  int32_t year = 0;
  int32_t month = 0;
  int32_t firstWeekday = 0;
  int32_t daysInMonth = 0;
  // Days 0 and 32 stay 0 so that the neighbours of the first and last day can be read.
  uint32_t dayFlags[33] = {};
  // Index 1 ... 31; points at the marking rule's own name.
  const char* holidayName[32] = {};
  int32_t lastError = 0;
};
