#include "calendar/day_number.h"

// The civil-days count over 400-year eras, the year counted from March so that the leap day
// ends it: no table of leap years is needed.
int32_t DayNumber(int32_t year, int32_t month, int32_t day) {
  // Days from civil: the year counted from March, so the leap day ends it.
  const int64_t y = static_cast<int64_t>(year) - (month <= 2);
  const int64_t era = FloorDiv(y, 400);
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<int32_t>(era * 146097 + dayOfEra - 719468);
}

void DateOfDayNumber(int32_t number, int32_t& year, int32_t& month, int32_t& day) {
  const int64_t z = static_cast<int64_t>(number) + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int32_t>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2));
}

