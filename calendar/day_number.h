// Days of the Gregorian calendar counted on one line: the old calendar, the notification list
// and the day listings all step and compare days through it.
#pragma once

#include <cstdint>

// a / b rounded towards minus infinity (b > 0): days and eras before 1970 count down.
inline int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a Gregorian date (negative before it), and back.
int32_t DayNumber(int32_t year, int32_t month, int32_t day);
void DateOfDayNumber(int32_t number, int32_t& year, int32_t& month, int32_t& day);
