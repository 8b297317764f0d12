#include "calendar/deco_conditions.h"

namespace {

constexpr uint32_t kTodayBit = 0x1;
constexpr uint32_t kWeekdayBits = 0x70;
constexpr uint32_t kHolidayBits = 0xFF00;
constexpr uint32_t kDayOffBits = 0xF00;

struct Choice {
  uint32_t check;
  uint32_t mask;
};

// Index 0 is "no condition" in both lists.
constexpr Choice kWeekdayChoices[] = {{0, 0}, {0x20, 0x20}, {0x10, 0x10}, {0, 0x30}};
constexpr Choice kHolidayChoices[] = {{0, 0},          {0x900, 0x900},   {0xA00, 0xA00},
                                      {0xC00, 0xC00},  {0, 0xF00},       {0x1000, 0x1000},
                                      {0x2000, 0x2000}, {0x4000, 0x4000}, {0x8000, 0x8000}};
constexpr int kNoHoliday = 4;

template <int N>
void AddChoice(const Choice (&choices)[N], int index, uint32_t& check, uint32_t& mask) {
  if (index <= 0 || index >= N) return;
  check |= choices[index].check;
  mask |= choices[index].mask;
}

int ReadWeekday(uint32_t check, uint32_t mask) {
  if ((mask & kWeekdayBits) == 0) return 0;
  const uint32_t bits = check & kWeekdayBits;
  if (bits == 0x20) return 1;
  if (bits == 0x10) return 2;
  return 3;
}

int ReadHoliday(uint32_t check, uint32_t mask) {
  if ((mask & kHolidayBits) == 0) return 0;
  const uint32_t bits = check & kHolidayBits;
  for (int i = 1; i < static_cast<int>(sizeof kHolidayChoices / sizeof kHolidayChoices[0]); ++i) {
    if (i != kNoHoliday && kHolidayChoices[i].check == bits) return i;
  }
  return (check & kDayOffBits) == 0 ? kNoHoliday : 0;
}

}  // namespace

DecoConditions ReadConditions(uint32_t check, uint32_t mask) {
  DecoConditions conditions;
  if (mask & kTodayBit) conditions.today = (check & kTodayBit) ? 1 : 2;
  conditions.weekday = ReadWeekday(check, mask);
  conditions.holiday = ReadHoliday(check, mask);
  return conditions;
}

void WriteConditions(const DecoConditions& conditions, uint32_t& check, uint32_t& mask) {
  if (conditions.today == 1) {
    check |= kTodayBit;
    mask |= kTodayBit;
  } else if (conditions.today == 2) {
    mask |= kTodayBit;
  }
  AddChoice(kWeekdayChoices, conditions.weekday, check, mask);
  AddChoice(kHolidayChoices, conditions.holiday, check, mask);
}
