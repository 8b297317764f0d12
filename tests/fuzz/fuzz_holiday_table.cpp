// Any bytes as a holiday table: reading its rules and building months with them never
// crashes, leaves the months' arithmetic alone and never marks a day outside the month; its
// era list adds only well-formed later eras and never touches the built-in ones, and any
// heading picture gives a heading within its length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

#include "calendar/month_heading.h"
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

std::tuple<int, int, int> StartOf(const Era& era) { return {era.year, era.month, era.day}; }

// The built-in eras stay as they are; added ones have short names and start later each.
void CheckEras(const EraTable& eras) {
  const EraTable fixed;
  const std::vector<Era>& list = eras.Eras();
  Check(list.size() <= EraTable::kBuiltInCount + kMaxAddedEras);
  for (size_t i = 0; i < list.size(); ++i) {
    if (i < EraTable::kBuiltInCount) Check(list[i].name == fixed.Eras()[i].name && StartOf(list[i]) == StartOf(fixed.Eras()[i]));
    if (i > 0) Check(!list[i].name.empty() && list[i].name.size() <= kMaxEraNameBytes && StartOf(list[i]) > StartOf(list[i - 1]));
  }
}

// Any picture (the input's first bytes) in the months around each era's start stays within
// the heading's length.
void CheckHeadings(const EraTable& eras, const std::string& picture) {
  const SystemFormat copy = [](const std::string& piece, bool, std::string& text) { text = piece; return true; };
  for (const Era& era : eras.Eras()) {
    for (int month : {std::max(era.month - 1, 1), era.month}) {
      Check(FormatEraPicture(picture, era.year, month, eras, true, copy).size() <= kMaxHeadingBytes);
    }
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
  EraTable eras;
  doc.AppendEras(eras);
  CheckEras(eras);
  CheckHeadings(eras, std::string(reinterpret_cast<const char*>(data), std::min<size_t>(size, 64)));
  return 0;
}
