// How long the old calendar of one month takes (旧暦, 六曜, solar terms and seasonal days of
// every day): every month from 1873 to 2100 in turn, and what the first use costs, once per
// process (the table decoded and every lunar month numbered).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "calendar/koyomi.h"

namespace {

void BM_KoyomiMonth(benchmark::State& state) {
  static bool firstTimed = false;
  if (!firstTimed) {
    firstTimed = true;
    const auto start = std::chrono::steady_clock::now();
    KoyomiDay days[32];
    KoyomiMonth(2026, 12, days);
    const auto took = std::chrono::steady_clock::now() - start;
    std::printf("first use (table decoded, months numbered): %.1f us\n",
                std::chrono::duration<double, std::micro>(took).count());
  }
  int index = 0;
  constexpr int kMonths = (kKoyomiLastYear - kKoyomiFirstYear + 1) * 12;
  uint32_t sink = 0;
  KoyomiDay days[32];
  for (auto _ : state) {
    KoyomiMonth(kKoyomiFirstYear + index / 12, index % 12 + 1, days);
    sink += static_cast<uint32_t>(days[1].rokuyo + days[28].day);
    if (!days[1].valid) {
      state.SkipWithError("a month of the range has no old calendar");
      break;
    }
    index = (index + 1) % kMonths;
  }
  benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_KoyomiMonth);

}  // namespace
