// How long building one month takes with the shipped holiday table: every month from
// November 1582 to December 9999 in turn.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "calendar/month_model.h"
#include "docs/holiday.h"
#include "docs/holidays_doc.h"

namespace {

bool LoadShippedTable(HolidayArray& rules) {
  HolidaysDoc doc;
  if (doc.LoadFile(std::string(ZANTO_SOURCE_DIR) + "/resources/Holidays00.xml") != 0) return false;
  doc.AppendRules(rules);
  return !rules.empty();
}

// One Build per iteration, walking the whole range and starting again at its beginning, so
// the time per iteration is the time per month.
void BM_BuildEveryMonth(benchmark::State& state) {
  HolidayArray rules;
  if (!LoadShippedTable(rules)) {
    state.SkipWithError("shipped holiday table not found");
    return;
  }
  CMonthModel model(rules);
  int64_t index = kFirstMonthIndex;
  uint32_t sink = 0;
  for (auto _ : state) {
    int year = static_cast<int>((index - 1) / 12);
    int month = static_cast<int>((index - 1) % 12 + 1);
    if (!model.Build(year, month)) {
      state.SkipWithError("a month of the range did not build");
      break;
    }
    sink += model.DayFlags(1);
    if (++index > kLastMonthIndex) index = kFirstMonthIndex;
  }
  benchmark::DoNotOptimize(sink);
  state.counters["rules"] = static_cast<double>(rules.size());
}
BENCHMARK(BM_BuildEveryMonth);

// The whole range once per iteration, moving a month at a time as the navigation buttons do.
void BM_MoveThroughTheRange(benchmark::State& state) {
  HolidayArray rules;
  if (!LoadShippedTable(rules)) {
    state.SkipWithError("shipped holiday table not found");
    return;
  }
  CMonthModel model(rules);
  int64_t months = 0;
  constexpr int64_t kRange = kLastMonthIndex - kFirstMonthIndex + 1;
  for (auto _ : state) {
    int64_t moved = model.Build(1582, 11) ? 1 : 0;
    while (model.Move(0, 1)) ++moved;
    if (moved != kRange || model.LastError() != MONTH_OUT_OF_RANGE) {
      state.SkipWithError("the walk did not reach December 9999");
      break;
    }
    months += moved;
    benchmark::DoNotOptimize(model.DayFlags(1));
  }
  // Seconds per month, printed with an SI prefix ("108n" is 108 ns).
  state.counters["per_month"] =
      benchmark::Counter(static_cast<double>(months), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MoveThroughTheRange)->Unit(benchmark::kMillisecond);

}  // namespace
