// koyomi_table FROM TO: the old calendar of every day from FROM to TO (YYYY-MM-DD), one line a
// day, UTF-8, tab-separated: the date, the 旧暦 year, month, leap flag (0/1) and day, the 六曜,
// the day's 節気 and 雑節 joined by "・" ("-" when none), and the day's 和暦 year (令和8年,
// 平成元年; "-" before 1873). How anyone checks the calendar's engine against a published table.
#include <iconv.h>

#include <cstdio>
#include <string>

#include "calendar/koyomi.h"
#include "calendar/koyomi_text.h"
#include "docs/era_table.h"

namespace {

// UTF-8 names; the program's own, in Shift_JIS, are in its string table.
KoyomiNames Utf8Names() {
  KoyomiNames names;
  names.rokuyo = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
  names.sekki = {"春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑",
                 "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬",
                 "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
  names.zassetsu = {"節分",     "彼岸入り", "八十八夜", "入梅",
                    "半夏生",   "土用入り", "二百十日", "二百二十日"};
  names.separator = "・";
  return names;
}

// The program's era names are Shift_JIS; this listing is UTF-8.
std::string Utf8FromShiftJis(const std::string& text) {
  iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in = text, out(text.size() * 3 + 1, '\0');
  char* from = &in[0];
  char* to = &out[0];
  size_t left = in.size(), room = out.size();
  const size_t done = iconv(convert, &from, &left, &to, &room);
  iconv_close(convert);
  if (done == static_cast<size_t>(-1)) return "?";
  out.resize(out.size() - room);
  return out;
}

bool ParseDate(const char* text, int& year, int& month, int& day) {
  char rest = 0;
  if (std::sscanf(text, "%d-%d-%d%c", &year, &month, &day, &rest) != 3) return false;
  int y, m, d;
  DateOfDayNumber(DayNumber(year, month, day), y, m, d);
  return y == year && m == month && d == day;
}

// One output line, without its end.
std::string Line(int year, int month, int dayOfMonth, const KoyomiDay& day,
                 const KoyomiNames& names) {
  char head[64];
  std::snprintf(head, sizeof head, "%04d-%02d-%02d", year, month, dayOfMonth);
  if (!day.valid) return std::string(head) + "\t-\t-\t-\t-\t-\t-";
  // The 和暦 column is added by the caller, for every day.
  char lunar[64];
  std::snprintf(lunar, sizeof lunar, "\t%d\t%d\t%d\t%d\t", day.year, day.month, day.leap ? 1 : 0,
                day.day);
  const std::string dayNames = KoyomiDayNames(day, names);
  return std::string(head) + lunar + names.rokuyo[day.rokuyo] + "\t" +
         (dayNames.empty() ? "-" : dayNames);
}

}  // namespace

int main(int argc, char** argv) {
  int fy, fm, fd, ty, tm, td;
  if (argc != 3 || !ParseDate(argv[1], fy, fm, fd) || !ParseDate(argv[2], ty, tm, td)) {
    std::fprintf(stderr, "usage: koyomi_table FROM TO (dates as YYYY-MM-DD)\n");
    return 2;
  }
  const KoyomiNames names = Utf8Names();
  const EraTable eras;
  const int last = DayNumber(ty, tm, td);
  KoyomiDay month[32];
  int shownYear = 0, shownMonth = 0;
  for (int n = DayNumber(fy, fm, fd); n <= last; ++n) {
    int y, m, d;
    DateOfDayNumber(n, y, m, d);
    if (y != shownYear || m != shownMonth) {
      KoyomiMonth(y, m, month);
      shownYear = y;
      shownMonth = m;
    }
    std::printf("%s\t%s\n", Line(y, m, d, month[d], names).c_str(),
                Utf8FromShiftJis(EraYearText(eras, y, m, d)).c_str());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
