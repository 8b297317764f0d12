// What the calendar's own era codes add to formatting the heading: the look for era codes that
// every picture now gets, and the whole formatting of an era picture, month after month from
// 1873 to 2100, with the system's formatting stood in for by a copy of its piece.
#include <benchmark/benchmark.h>

#include <string>

#include "calendar/month_heading.h"
#include "docs/era_table.h"

namespace {

// Shift_JIS: yyyy年M月 and gge年（yyyy年）M月.
const std::string kWestern = "yyyy\x94\x4eM\x8c\x8e";
const std::string kEraWithWestern = "gge\x94\x4e\x81\x69yyyy\x94\x4e\x81\x6aM\x8c\x8e";

bool CopyPiece(const std::string& piece, bool, std::string& text) {
  text = piece;
  return true;
}

// Every month from 1873 to 2100 in turn, one per iteration.
struct MonthWalk {
  int year = 1873, month = 1;
  void Next() {
    if (++month > 12) month = 1, ++year;
    if (year > 2100) year = 1873;
  }
};

void BM_PlainPictureLooksForEraCodes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(HasEraCodes(kWestern));
}
BENCHMARK(BM_PlainPictureLooksForEraCodes);

void BM_EraPictureEveryMonth(benchmark::State& state) {
  const EraTable eras;
  MonthWalk walk;
  size_t bytes = 0;
  for (auto _ : state) {
    bytes += FormatEraPicture(kEraWithWestern, walk.year, walk.month, eras, true, CopyPiece).size();
    walk.Next();
  }
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_EraPictureEveryMonth);

void BM_EraChangeMonth(benchmark::State& state) {
  const EraTable eras;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatEraPicture(kEraWithWestern, 1989, 1, eras, true, CopyPiece));
  }
}
BENCHMARK(BM_EraChangeMonth);

}  // namespace
