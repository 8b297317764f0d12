// Cost of the memo year file: reading a full year (366 memos, each with a title, a decoration
// and three schedules) with and without schedules, and replacing one day's memo, beside a
// plain write of the same number of bytes.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "docs/data_folder.h"
#include "docs/memo_store.h"

namespace {

const std::string kPrefix = "ZantoMemo";
constexpr int kYear = 2024;
constexpr size_t kDaysInYear = 366;

int DaysIn(int month) {
  static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1];
}

void FillNote(DateNote& note, int month, int date) {
  note.year = kYear;
  note.month = month;
  note.date = date;
  // 会議の準備 and a little ASCII, the kind of text users write.
  note.Title = "\x89\xef\x8b\x63\x82\xcc\x8f\x80\x94\xf5 " + std::to_string(month) + "/" + std::to_string(date);
  note.decoration.flags = kDecoColour | kDecoFrame;
  note.decoration.colour = 0x0000FF;
  note.decoration.frameLine = 1;
  note.decoration.frameColour = 0x00C8FF;
  for (int i = 0; i < 3; ++i) {
    auto* schedule = new DateSchedule;
    schedule->time = 540 + 120 * i;
    schedule->Notice = 15;
    schedule->Message = "Line one\r\nline two\twith a tab and C:\\path";
    note.schedules.push_back(schedule);
  }
}

// A data folder with a full leap year of memos, made once and removed when the program ends.
struct YearFile {
  YearFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zanto-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern + "/";
    OverrideDataFolderForTesting(folder);
    for (int month = 1; month <= 12; ++month) {
      for (int date = 1; date <= DaysIn(month); ++date) {
        DateNote note;
        FillNote(note, month, date);
        if (DateNoteArray::SaveNote(kPrefix, note) != 0) std::abort();
      }
    }
    path = MemoFilePath(kPrefix, kYear);
    size = std::filesystem::file_size(path);
  }
  ~YearFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder;
  std::string path;
  size_t size = 0;
};

const YearFile& Year() {
  static YearFile year;
  return year;
}

void BM_LoadYearTitles(benchmark::State& state) {
  const YearFile& year = Year();
  for (auto _ : state) {
    DateNoteArray memos;
    // A loader that fails at once would otherwise be timed as a fast one.
    if (memos.LoadYearTitles(kPrefix, kYear) != 0 || memos.size() != kDaysInYear) {
      state.SkipWithError("the year's titles did not load");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.size));
}
BENCHMARK(BM_LoadYearTitles)->Unit(benchmark::kMicrosecond);

void BM_LoadYear(benchmark::State& state) {
  const YearFile& year = Year();
  for (auto _ : state) {
    DateNoteArray memos;
    if (memos.LoadYear(kPrefix, kYear) != 0 || memos.size() != kDaysInYear ||
        memos.back()->schedules.size() != 3) {
      state.SkipWithError("the year did not load with its schedules");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.size));
}
BENCHMARK(BM_LoadYear)->Unit(benchmark::kMicrosecond);

// Replaces the memo of the 200th day of the year (18 July) in the full year file: read,
// find, rewrite the element, print and save atomically (with the flush to disk).
void BM_SaveNote(benchmark::State& state) {
  const YearFile& year = Year();
  DateNote note;
  FillNote(note, 7, 18);
  for (auto _ : state) {
    if (DateNoteArray::SaveNote(kPrefix, note) != 0) {
      state.SkipWithError("the memo was not saved");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.size));
  state.counters["file_bytes"] = static_cast<double>(year.size);
}
BENCHMARK(BM_SaveNote)->Unit(benchmark::kMicrosecond);

// The same number of bytes written with one plain write; range(0) = 1 adds the flush to disk
// that every save of a user file makes.
void BM_PlainWrite(benchmark::State& state) {
  const YearFile& year = Year();
  const std::string bytes(year.size, 'x');
  const std::string path = year.folder + "plain.bin";
  const bool flush = state.range(0) != 0;
  for (auto _ : state) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) std::abort();
    if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
    if (flush) fsync(fd);
    close(fd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.size));
}
BENCHMARK(BM_PlainWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
