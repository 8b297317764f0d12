// Any bytes as a holiday table: reading its rules and building months with them never
// crashes, leaves the months' arithmetic alone and never marks a day outside the month.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calendar/month_model.h"
#include "docs/holidays_doc.h"
#include "fuzz_loader_support.h"

// The marks as the model keeps them, days 0 and 32 included.
struct MonthModelMarks {
  static uint32_t Flags(const CMonthModel& model, int index) { return model.dayFlags[index]; }
  static const char* Name(const CMonthModel& model, int index) { return model.holidayName[index]; }
};

namespace {

struct KnownMonth {
  int year, month, firstWeekday, days;
};

// Weekday of the 1st (0 = Sunday) and length, from the calendar, whatever the rules say.
constexpr KnownMonth kMonths[] = {
    {1582, 11, 1, 30}, {1973, 4, 0, 30}, {2007, 5, 2, 31}, {2024, 2, 4, 29},
    {2100, 2, 1, 28},  {2100, 12, 3, 31}, {8867, 3, 2, 31}, {9999, 12, 3, 31},
};

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckMonth(CMonthModel& model, const KnownMonth& known) {
  Check(model.Build(known.year, known.month));
  Check(model.FirstWeekday() == known.firstWeekday);
  Check(model.DaysInMonth() == known.days);
  for (int day = -1; day <= 33; ++day) {
    const uint32_t flags = model.DayFlags(day);
    const bool inMonth = day >= 1 && day <= known.days;
    Check(model.LastError() == (inMonth ? MONTH_OK : MONTH_BAD_DAY));
    if (inMonth) continue;
    Check(flags == 0);
    Check(std::strcmp(model.HolidayName(day), "") == 0);
  }
  // No rule marks the day before the 1st or a day after the month's last.
  for (int index = 0; index <= 32; ++index) {
    if (index >= 1 && index <= known.days) continue;
    Check(MonthModelMarks::Flags(model, index) == 0);
    if (index < 32) Check(std::strcmp(MonthModelMarks::Name(model, index), "") == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = FuzzFolder() + "Holidays00.xml";
  WriteFuzzFile(path, data, size);
  HolidaysDoc doc;
  if (doc.LoadFile(path) != 0) return 0;
  doc.Version();
  HolidayArray rules;
  doc.AppendRules(rules);
  CMonthModel model(rules);
  for (const KnownMonth& known : kMonths) CheckMonth(model, known);
  return 0;
}
