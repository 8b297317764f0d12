#include "calendar/month_model.h"

namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days from 1 March to the 1st of a month in a year counted from March: index 2 is March,
// 11 December, 12 January and 13 February of the following calendar year.
constexpr int kDaysFromMarch[14] = {0, 0, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275, 306, 337};

constexpr int64_t kVernalConstant = 21303150;
constexpr int64_t kAutumnalConstant = 23702000;

// Day of March or September on which the equinox falls in Japan. The products leave the
// 32-bit range in late years, so everything is 64-bit.
int EquinoxDay(int year, int64_t constant) {
  int64_t y = year;
  return static_cast<int>((242194 * y + constant + 1000000 * (y / 100 - y / 400 - y / 4)) / 1000000);
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// Weekday (0 = Sunday) of the 1st of a Gregorian month.
int WeekdayOfFirst(int year, int month) {
  int64_t y = month >= 3 ? year : year - 1;
  int m = month >= 3 ? month - 1 : month + 11;
  int64_t days = 365 * y + y / 4 - y / 100 + y / 400 + kDaysFromMarch[m];
  return static_cast<int>((days + 3) % 7);
}

}  // namespace

bool CMonthModel::Build(int newYear, int newMonth) {
  if (static_cast<unsigned>(newMonth - 1) > 11) {
    lastError = MONTH_BAD_MONTH;
    return false;
  }
  int64_t index = 12 * static_cast<int64_t>(newYear) + newMonth;
  if (index < kFirstMonthIndex || newYear > 9999) {
    lastError = MONTH_OUT_OF_RANGE;
    return false;
  }
  year = newYear;
  month = newMonth;
  for (uint32_t& flags : dayFlags) flags = 0;
  for (const char*& name : holidayName) name = "";
  firstWeekday = WeekdayOfFirst(year, month);
  daysInMonth = kMonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  ApplyRules();
  MarkSubstituteHolidays();
  valid = 1;
  lastError = MONTH_OK;
  return true;
}

bool CMonthModel::Move(int deltaYears, int deltaMonths) {
  if (!CheckBuilt()) return false;
  int64_t index = 12 * (static_cast<int64_t>(year) + deltaYears) + month + deltaMonths;
  if (index < kFirstMonthIndex || index > kLastMonthIndex) {
    lastError = MONTH_OUT_OF_RANGE;
    return false;
  }
  return Build(static_cast<int>((index - 1) / 12), static_cast<int>((index - 1) % 12 + 1));
}

void CMonthModel::ApplyRules() {
  const HolidayArray& list = rules ? *rules : HolidayArray::Instance();
  for (const Holiday* rule : list) {
    if (rule->Month != month || year < rule->StartYear || year > rule->EndYear) continue;
    ApplyRule(*rule);
  }
}

void CMonthModel::ApplyRule(const Holiday& rule) {
  switch (rule.type) {
    case HOLIDAY_FIXED:
      Mark(rule.Day, rule.bits, rule);
      break;
    case HOLIDAY_VERNAL_EQUINOX:
      Mark(EquinoxDay(year, kVernalConstant), rule.bits, rule);
      break;
    case HOLIDAY_AUTUMNAL_EQUINOX:
      Mark(EquinoxDay(year, kAutumnalConstant), rule.bits, rule);
      break;
    case HOLIDAY_NTH_WEEKDAY:
      // A weekday that does not exist names no day.
      if (rule.DayOfWeek < 0 || rule.DayOfWeek > 6) break;
      Mark((rule.DayOfWeek - firstWeekday + 7) % 7 + int64_t{rule.Day}, rule.bits, rule);
      break;
    case HOLIDAY_IN_BETWEEN:
      if (rule.Day < 1 || rule.Day > daysInMonth) break;
      if (IsHoliday(rule.Day - 1) && IsHoliday(rule.Day + 1)) Mark(rule.Day, kSubstituteHolidayBits, rule);
      break;
    default:
      break;
  }
}

// A rule whose day is not a day of this month (a fifth weekday that does not exist, a 31st
// in a short month, a broken table) is ignored rather than spilling into a neighbour.
void CMonthModel::Mark(int64_t day, uint32_t bits, const Holiday& rule) {
  if (day < 1 || day > daysInMonth) return;
  dayFlags[day] |= bits;
  holidayName[day] = rule.name.c_str();
}

void CMonthModel::MarkSubstituteHolidays() {
  int64_t index = 12 * static_cast<int64_t>(year) + month;
  bool nextFreeDay = year >= 2007;
  if (!nextFreeDay && index < 12 * 1973 + 4) return;
  // A Sunday on the last day of the month is not considered: its substitute would lie in the
  // next month, which this model does not see.
  for (int sunday = (7 - firstWeekday) % 7 + 1; sunday < daysInMonth; sunday += 7) {
    if (!IsHoliday(sunday)) continue;
    int day = sunday + 1;
    if (nextFreeDay) {
      while (day <= daysInMonth && IsHoliday(day)) ++day;
      if (day > daysInMonth) continue;
    }
    dayFlags[day] |= kSubstituteHolidayBits;
  }
}

bool CMonthModel::CheckBuilt() {
  if (valid) return true;
  lastError = MONTH_NOT_BUILT;
  return false;
}

bool CMonthModel::CheckDay(int day) {
  if (!CheckBuilt()) return false;
  if (day < 1 || day > daysInMonth || day > 31) {
    lastError = MONTH_BAD_DAY;
    return false;
  }
  lastError = MONTH_OK;
  return true;
}

int CMonthModel::Field(int value) {
  if (!CheckBuilt()) return 0;
  lastError = MONTH_OK;
  return value;
}

int CMonthModel::Year() { return Field(year); }

int CMonthModel::Month() { return Field(month); }

int CMonthModel::FirstWeekday() { return Field(firstWeekday); }

int CMonthModel::DaysInMonth() { return Field(daysInMonth); }

uint32_t CMonthModel::DayFlags(int day) { return CheckDay(day) ? dayFlags[day] : 0; }

uint32_t CMonthModel::WeekdayBits(int day) {
  if (!CheckDay(day)) return kWeekdayBit;
  int weekday = (firstWeekday + day + 6) % 7;
  if (weekday == 0) return kSundayBit;
  if (weekday == 6) return kSaturdayBit;
  return kWeekdayBit;
}

const char* CMonthModel::HolidayName(int day) { return CheckDay(day) ? holidayName[day] : ""; }
