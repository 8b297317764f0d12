#include "calendar/koyomi.h"

#include <algorithm>

#include "calendar/koyomi_table.h"

namespace {

constexpr int64_t kDaySeconds = 86400;
constexpr int64_t kJstOffset = 9 * 3600;
// Tokyo local mean time: 139 degrees 44' 40.9" east, 9:18:59 ahead of UTC.
constexpr int64_t kTokyoMeanTimeOffset = 9 * 3600 + 18 * 60 + 59;
// 1888-01-01 00:00 JST in UTC: from then on Japan keeps JST.
constexpr int64_t kJstStart = -2587712400;

constexpr int kMidTermStep = 30;    // 中気: every 30 degrees
constexpr int kWinterSolstice = 270;
constexpr int kVernalEquinox = 0;
constexpr int kAutumnalEquinox = 180;
constexpr int kRisshun = 315;

int32_t CivilDay(int64_t utc) { return static_cast<int32_t>(FloorDiv(CivilSeconds(utc), kDaySeconds)); }

struct LunarMonth {
  int32_t start = 0;  // day number of its first day
  int32_t year = 0;
  int32_t number = 0;  // 0 while the month cannot be numbered (the ends of the table)
  bool leap = false;
};

struct Calendar {
  std::vector<LunarMonth> months;  // the last one only closes its predecessor
  std::vector<int32_t> sunDays;    // the civil day of each of SunInstants()
  int32_t firstDay = 0;
  int32_t lastDay = 0;
};

// The month a 中気 at degree gives: 冬至 (270) the 11th, 春分 (0) the 2nd, ...
int32_t MonthOfMidTerm(int32_t degree) { return (degree / kMidTermStep + 2 - 1) % 12 + 1; }

// Numbers the months from one 冬至 month (index from) up to the next (index to).
void NumberSpan(std::vector<LunarMonth>& months, const std::vector<bool>& hasMidTerm, size_t from,
                size_t to) {
  const size_t count = to - from;
  if (count != 12 && count != 13) return;
  size_t leap = to;
  if (count == 13) {
    for (size_t i = from + 1; i < to; ++i) {
      if (!hasMidTerm[i]) {
        leap = i;
        break;
      }
    }
    if (leap == to) return;  // 13 months with a 中気 each cannot happen; never number them
  }
  int32_t number = MonthOfMidTerm(kWinterSolstice);
  for (size_t i = from; i < to; ++i) {
    if (i == leap) {
      months[i].leap = true;
    } else if (i != from) {
      number = number % 12 + 1;
    }
    months[i].number = number;
  }
}

// Each month takes the year in which the next 1st month at or before it began; months before
// the first 1st month belong to the year before it.
void SetYears(std::vector<LunarMonth>& months) {
  int32_t year = 0;
  int32_t firstNew = 0;
  bool seen = false;
  for (LunarMonth& m : months) {
    if (m.number == 1 && !m.leap) {
      int32_t y, mo, d;
      DateOfDayNumber(m.start, y, mo, d);
      year = y;
      if (!seen) firstNew = y;
      seen = true;
    }
    m.year = year;
  }
  for (LunarMonth& m : months) {
    if (m.year != 0) break;
    m.year = firstNew - 1;
  }
}

// The seasonal days are counted from the solar terms: the furthest lies 219 days after 立春,
// the earliest 3 days before 春分 and 秋分.
constexpr int32_t kLongestCountAfter = 219;
constexpr int32_t kLongestCountBefore = 3;

// Marks the days of days[1 ... length] (day number first for the 1st) that a Sun event on
// eventDay at degree names: its solar term, and the seasonal days counted from it.
void MarkEvent(int32_t eventDay, int32_t degree, int32_t first, int32_t length,
               KoyomiDay (&days)[32]) {
  auto mark = [&](int32_t day, int32_t sekki, uint32_t zassetsu) {
    const int32_t d = day - first + 1;
    if (d < 1 || d > length || !days[d].valid) return;
    if (sekki >= 0) days[d].sekki = sekki;
    days[d].zassetsu |= zassetsu;
  };
  if (degree % 15 == 0) mark(eventDay, degree / 15, 0);
  switch (degree) {
    case kRisshun:
      mark(eventDay - 1, -1, kSetsubun);
      mark(eventDay + 87, -1, kHachijuHachiya);
      mark(eventDay + 209, -1, kNihyakuToka);
      mark(eventDay + 219, -1, kNihyakuHatsuka);
      break;
    case kVernalEquinox:
    case kAutumnalEquinox:
      mark(eventDay - 3, -1, kHiganIri);
      break;
    case 80:
      mark(eventDay, -1, kNyubai);
      break;
    case 100:
      mark(eventDay, -1, kHangesho);
      break;
    case 27:
    case 117:
    case 207:
    case 297:
      mark(eventDay, -1, kDoyoIri);
      break;
    default:
      break;
  }
}

// Reads the table straight into civil days: the lunar months, and the day of every Sun event.
Calendar Build() {
  Calendar calendar;
  std::vector<LunarMonth>& months = calendar.months;
  months.resize(koyomi_table::kNewMoonCount);
  int64_t utc = koyomi_table::kFirstNewMoon;
  for (size_t i = 0; i < months.size(); ++i) {
    utc += koyomi_table::kNewMoonSteps[i];
    months[i].start = CivilDay(utc);
  }

  // The month holding each 中気, and the 冬至 months.
  std::vector<bool> hasMidTerm(months.size(), false);
  std::vector<size_t> winterMonths;
  calendar.sunDays.resize(koyomi_table::kSunEventCount);
  utc = koyomi_table::kFirstSunEvent;
  for (size_t i = 0; i < calendar.sunDays.size(); ++i) {
    utc += koyomi_table::kSunEventSteps[i];
    const int32_t day = CivilDay(utc);
    calendar.sunDays[i] = day;
    const int32_t degree = koyomi_table::kSunEventDegrees[i];
    if (degree % kMidTermStep != 0) continue;
    const auto after = std::upper_bound(months.begin(), months.end(), day,
                                        [](int32_t d, const LunarMonth& m) { return d < m.start; });
    // Before the first month, or in the last one, whose end the table does not know.
    if (after == months.begin() || after == months.end()) continue;
    const size_t index = static_cast<size_t>(after - months.begin()) - 1;
    hasMidTerm[index] = true;
    if (degree == kWinterSolstice) winterMonths.push_back(index);
  }
  for (size_t i = 0; i + 1 < winterMonths.size(); ++i) {
    NumberSpan(months, hasMidTerm, winterMonths[i], winterMonths[i + 1]);
  }
  SetYears(months);

  calendar.firstDay = DayNumber(kKoyomiFirstYear, 1, 1);
  calendar.lastDay = DayNumber(kKoyomiLastYear, 12, 31);
  return calendar;
}

const Calendar& TheCalendar() {
  static const Calendar calendar = Build();
  return calendar;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
  static const int32_t kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leapYear = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leapYear ? 29 : kLengths[month - 1];
}

bool InRange(int32_t year, int32_t month) {
  return year >= kKoyomiFirstYear && year <= kKoyomiLastYear && month >= 1 && month <= 12;
}

}  // namespace

int64_t CivilSeconds(int64_t utc) {
  return utc + (utc < kJstStart ? kTokyoMeanTimeOffset : kJstOffset);
}

const std::vector<int64_t>& NewMoonInstants() {
  static const std::vector<int64_t> moons = [] {
    std::vector<int64_t> list;
    list.reserve(koyomi_table::kNewMoonCount);
    int64_t utc = koyomi_table::kFirstNewMoon;
    for (size_t i = 0; i < koyomi_table::kNewMoonCount; ++i) {
      utc += koyomi_table::kNewMoonSteps[i];
      list.push_back(utc);
    }
    return list;
  }();
  return moons;
}

const std::vector<SunInstant>& SunInstants() {
  static const std::vector<SunInstant> events = [] {
    std::vector<SunInstant> list;
    list.reserve(koyomi_table::kSunEventCount);
    int64_t utc = koyomi_table::kFirstSunEvent;
    for (size_t i = 0; i < koyomi_table::kSunEventCount; ++i) {
      utc += koyomi_table::kSunEventSteps[i];
      list.push_back({utc, koyomi_table::kSunEventDegrees[i]});
    }
    return list;
  }();
  return events;
}

void KoyomiMonth(int32_t year, int32_t month, KoyomiDay (&days)[32]) {
  for (KoyomiDay& d : days) d = KoyomiDay();
  if (!InRange(year, month)) return;
  const Calendar& calendar = TheCalendar();
  const int32_t first = DayNumber(year, month, 1);
  const int32_t length = DaysInMonth(year, month);

  // The lunar month holding the 1st, and the first mark on or after it.
  size_t m = static_cast<size_t>(
      std::upper_bound(calendar.months.begin(), calendar.months.end(), first,
                       [](int32_t d, const LunarMonth& lm) { return d < lm.start; }) -
      calendar.months.begin());
  if (m == 0) return;
  --m;
  for (int32_t d = 1; d <= length; ++d) {
    const int32_t number = first + d - 1;
    while (m + 1 < calendar.months.size() && calendar.months[m + 1].start <= number) ++m;
    if (m + 1 >= calendar.months.size()) break;
    const LunarMonth& lunar = calendar.months[m];
    if (lunar.number == 0 || number < calendar.firstDay || number > calendar.lastDay) continue;
    KoyomiDay& out = days[d];
    out.valid = true;
    out.year = lunar.year;
    out.month = lunar.number;
    out.leap = lunar.leap;
    out.day = number - lunar.start + 1;
    out.rokuyo = (out.month + out.day) % kRokuyoCount;
  }

  // The Sun events whose terms or counted days can fall in the month.
  const auto& sunDays = calendar.sunDays;
  auto event = std::lower_bound(sunDays.begin(), sunDays.end(), first - kLongestCountAfter);
  for (; event != sunDays.end() && *event <= first + length - 1 + kLongestCountBefore; ++event) {
    const size_t index = static_cast<size_t>(event - sunDays.begin());
    MarkEvent(*event, koyomi_table::kSunEventDegrees[index], first, length, days);
  }
}

KoyomiDay KoyomiOf(int32_t year, int32_t month, int32_t day) {
  if (!InRange(year, month) || day < 1 || day > DaysInMonth(year, month)) return KoyomiDay();
  KoyomiDay days[32];
  KoyomiMonth(year, month, days);
  return days[day];
}
