// Any bytes as a holiday table: reading its rules and building months with them never
// crashes and never marks a day outside the month.
#include <cstddef>
#include <cstdint>

#include "calendar/month_model.h"
#include "docs/holidays_doc.h"
#include "fuzz_loader_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = FuzzFolder() + "Holidays00.xml";
  WriteFuzzFile(path, data, size);
  HolidaysDoc doc;
  if (doc.LoadFile(path) != 0) return 0;
  doc.Version();
  HolidayArray rules;
  doc.AppendRules(rules);
  CMonthModel model(rules);
  const int months[][2] = {{1582, 11}, {1973, 4}, {2007, 5}, {2024, 2}, {2100, 12}, {8867, 3}, {9999, 12}};
  for (const auto& m : months) {
    if (!model.Build(m[0], m[1])) continue;
    for (int day = 0; day <= 33; ++day) {
      model.DayFlags(day);
      model.HolidayName(day);
    }
  }
  return 0;
}
