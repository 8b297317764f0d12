#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/koyomi.h"
#include "calendar/koyomi_text.h"

namespace {

struct Figure {
  int year, month, day;
  int lunarYear, lunarMonth;
  bool leap;
  int lunarDay;
  int rokuyo;
  int sekki;
};

int32_t CivilDay(int64_t utc) { return static_cast<int32_t>(FloorDiv(CivilSeconds(utc), 86400)); }

// Civil (JST, or Tokyo mean time before 1888) time of an instant as "YYYY-MM-DD hh:mm",
// rounded to the minute as the published tables round.
std::string Minute(int64_t utc) {
  const int64_t seconds = CivilSeconds(utc) + 30;
  const int64_t days = FloorDiv(seconds, 86400);
  const int64_t inDay = seconds - days * 86400;
  int y, m, d;
  DateOfDayNumber(static_cast<int32_t>(days), y, m, d);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", y, m, d,
                static_cast<int>(inDay / 3600), static_cast<int>(inDay % 3600 / 60));
  return text;
}

int64_t NearestNewMoon(int64_t utc) {
  int64_t best = 0;
  for (int64_t moon : NewMoonInstants()) {
    if (best == 0 || std::llabs(moon - utc) < std::llabs(best - utc)) best = moon;
  }
  return best;
}

int64_t SunArrival(int year, int degree) {
  for (const SunInstant& event : SunInstants()) {
    int y, m, d;
    DateOfDayNumber(CivilDay(event.utc), y, m, d);
    if (y == year && event.degree == degree) return event.utc;
  }
  return 0;
}

int64_t Utc(int y, int m, int d, int hour, int minute) {
  return int64_t{DayNumber(y, m, d)} * 86400 + hour * 3600 + minute * 60;
}

}  // namespace

// The figures of the published tables, each produced by the rules and none special-cased.
TEST(Koyomi, PublishedDaysComeOutRight) {
  const Figure figures[] = {
      {2026, 12, 7, 2026, 10, false, 29, kTomobiki, 17},     // 大雪
      {2017, 2, 26, 2017, 2, false, 1, kTomobiki, -1},       // new moon at 23:59
      {2027, 2, 7, 2027, 1, false, 1, kSensho, -1},          // 旧正月 (2/6 in China)
      {2033, 12, 22, 2033, 11, true, 1, kTaian, -1},         // 閏11月 of 2033
      {1947, 3, 23, 1947, 2, true, 1, kTomobiki, -1},        // a 中気 on a new moon's day
      {1947, 4, 21, 1947, 3, false, 1, kSenbu, 2},           // ... and its 3rd month (穀雨)
      {1884, 4, 26, 1884, 4, false, 1, kButsumetsu, -1},     // Tokyo mean time
      {2025, 5, 23, 2025, 4, false, 26, kTaian, -1},
      {2008, 2, 4, 2007, 12, false, 28, kSenbu, 21},         // 立春 before the new year
      {1873, 1, 1, 1872, 12, false, 3, kTomobiki, -1},     // the first day
      {2100, 12, 31, 2100, 12, false, 1, kShakku, -1},       // the last day
  };
  for (const Figure& f : figures) {
    SCOPED_TRACE(std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day));
    const KoyomiDay day = KoyomiOf(f.year, f.month, f.day);
    ASSERT_TRUE(day.valid);
    EXPECT_EQ(day.year, f.lunarYear);
    EXPECT_EQ(day.month, f.lunarMonth);
    EXPECT_EQ(day.leap, f.leap);
    EXPECT_EQ(day.day, f.lunarDay);
    EXPECT_EQ(day.rokuyo, f.rokuyo);
    EXPECT_EQ(day.sekki, f.sekki);
  }
  // 1947: the day before the leap month still belongs to the 2nd month.
  EXPECT_FALSE(KoyomiOf(1947, 3, 22).leap);
  EXPECT_EQ(KoyomiOf(1947, 3, 22).month, 2);
}

TEST(Koyomi, PublishedInstantsToTheMinute) {
  EXPECT_EQ(Minute(SunArrival(2026, 255)), "2026-12-07 11:53");  // 大雪
  EXPECT_EQ(Minute(SunArrival(2008, 315)), "2008-02-04 20:00");  // 立春
  EXPECT_EQ(Minute(SunArrival(2008, 0)), "2008-03-20 14:48");    // 春分
  EXPECT_EQ(Minute(NearestNewMoon(Utc(2017, 2, 26, 15, 0))), "2017-02-26 23:59");
  // 1884: 23:58 in UTC+9, but 00:17 of the next day in Tokyo mean time, the time then.
  const int64_t moon1884 = NearestNewMoon(Utc(1884, 4, 25, 15, 0));
  EXPECT_EQ(Minute(moon1884), "1884-04-26 00:17");
  EXPECT_EQ(FloorDiv(moon1884 + 9 * 3600 + 30, 60) - FloorDiv(moon1884 + 9 * 3600, 86400) * 1440,
            23 * 60 + 58);
}

TEST(Koyomi, OutsideTheRangeNothingIsShown) {
  EXPECT_FALSE(KoyomiOf(1872, 12, 31).valid);
  EXPECT_FALSE(KoyomiOf(2101, 1, 1).valid);
  EXPECT_FALSE(KoyomiOf(2024, 2, 30).valid);
  EXPECT_FALSE(KoyomiOf(2024, 13, 1).valid);
  EXPECT_FALSE(KoyomiOf(2024, 0, 1).valid);
  EXPECT_FALSE(KoyomiOf(-2147483647, 1, 1).valid);
  KoyomiDay days[32];
  KoyomiMonth(2024, 2, days);
  EXPECT_FALSE(days[0].valid);
  EXPECT_TRUE(days[29].valid);
  EXPECT_FALSE(days[30].valid);
  EXPECT_FALSE(days[31].valid);
}

// Invariants over every day of the range: the months, the leap months, the solar terms and
// the 六曜.
TEST(Koyomi, InvariantsHoldOverTheWholeRange) {
  const int32_t first = DayNumber(kKoyomiFirstYear, 1, 1);
  const int32_t last = DayNumber(kKoyomiLastYear, 12, 31);
  KoyomiDay previous;
  int monthLength = 0;
  int monthsSinceSolstice = -1;
  int leapsSinceSolstice = 0;
  int solsticeSpans = 0;
  int termsThisYear = 0;
  int lastTerm = -1;
  KoyomiDay month[32];
  int shownYear = 0, shownMonth = 0;
  for (int32_t n = first; n <= last; ++n) {
    int y, m, d;
    DateOfDayNumber(n, y, m, d);
    if (y != shownYear || m != shownMonth) {
      KoyomiMonth(y, m, month);
      if (m == 1) {
        if (shownYear != 0) EXPECT_EQ(termsThisYear, 24) << shownYear;
        termsThisYear = 0;
      }
      shownYear = y;
      shownMonth = m;
    }
    const KoyomiDay& day = month[d];
    ASSERT_TRUE(day.valid) << y << "-" << m << "-" << d;
    ASSERT_EQ(day.rokuyo, (day.month + day.day) % 6);
    if (day.sekki >= 0) {
      if (lastTerm >= 0) EXPECT_EQ(day.sekki, (lastTerm + 1) % 24) << y << "-" << m << "-" << d;
      lastTerm = day.sekki;
      ++termsThisYear;
    }
    if (n == first) {
      previous = day;
      monthLength = day.day;
      continue;
    }
    if (day.day == 1) {
      EXPECT_TRUE(monthLength == 29 || monthLength == 30)
          << y << "-" << m << "-" << d << ": " << monthLength;
      // The next month: the same number as a leap month, else the next number.
      if (day.leap) {
        EXPECT_EQ(day.month, previous.month);
        ++leapsSinceSolstice;
      } else {
        EXPECT_EQ(day.month, previous.month % 12 + 1) << y << "-" << m << "-" << d;
      }
      EXPECT_EQ(day.year, previous.year + (day.month == 1 && !day.leap ? 1 : 0));
      if (day.month == 11 && !day.leap) {
        if (monthsSinceSolstice >= 0) {
          EXPECT_TRUE(monthsSinceSolstice == 12 || monthsSinceSolstice == 13) << y;
          EXPECT_EQ(leapsSinceSolstice, monthsSinceSolstice == 13 ? 1 : 0) << y;
          ++solsticeSpans;
        }
        monthsSinceSolstice = 0;
        leapsSinceSolstice = 0;
      }
      if (monthsSinceSolstice >= 0) ++monthsSinceSolstice;
      monthLength = 1;
    } else {
      // 六曜 steps by one within a month.
      EXPECT_EQ(day.day, previous.day + 1);
      EXPECT_EQ(day.rokuyo, (previous.rokuyo + 1) % 6);
      ++monthLength;
    }
    previous = day;
  }
  EXPECT_EQ(termsThisYear, 24);
  EXPECT_EQ(solsticeSpans, 227);
}

// The seasonal days keep their distance from the solar terms they are counted from.
TEST(Koyomi, SeasonalDaysAreCountedFromTheirTerms) {
  struct Case {
    int year, month, day;
    uint32_t zassetsu;
  };
  const Case cases[] = {
      {2026, 2, 3, kSetsubun},     {2026, 3, 17, kHiganIri},     {2026, 5, 2, kHachijuHachiya},
      {2026, 6, 11, kNyubai},      {2026, 7, 2, kHangesho},      {2026, 1, 17, kDoyoIri},
      {2026, 4, 17, kDoyoIri},     {2026, 7, 20, kDoyoIri},      {2026, 10, 20, kDoyoIri},
      {2026, 9, 1, kNihyakuToka},  {2026, 9, 11, kNihyakuHatsuka}, {2026, 9, 20, kHiganIri},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.month) + "-" + std::to_string(c.day));
    EXPECT_EQ(KoyomiOf(c.year, c.month, c.day).zassetsu, c.zassetsu);
  }
  // Every year: 節分 is the day before 立春, 八十八夜 87 days after it.
  for (int year = kKoyomiFirstYear + 1; year <= kKoyomiLastYear; ++year) {
    const int32_t risshun = CivilDay(SunArrival(year, 315));
    int y, m, d;
    DateOfDayNumber(risshun - 1, y, m, d);
    EXPECT_TRUE(KoyomiOf(y, m, d).zassetsu & kSetsubun) << year;
    DateOfDayNumber(risshun + 87, y, m, d);
    EXPECT_TRUE(KoyomiOf(y, m, d).zassetsu & kHachijuHachiya) << year;
  }
}

TEST(Koyomi, DayNumbersRoundTrip) {
  EXPECT_EQ(DayNumber(1970, 1, 1), 0);
  EXPECT_EQ(DayNumber(2000, 3, 1), 11017);
  EXPECT_EQ(DayNumber(1873, 1, 1), -35428);
  for (int32_t n = -40000; n <= 50000; n += 7) {
    int y, m, d;
    DateOfDayNumber(n, y, m, d);
    ASSERT_EQ(DayNumber(y, m, d), n);
  }
  // JST replaced Tokyo mean time at 1888-01-01 00:00 JST.
  const int64_t jstStart = Utc(1887, 12, 31, 15, 0);
  EXPECT_EQ(CivilSeconds(jstStart), jstStart + 9 * 3600);
  EXPECT_EQ(CivilSeconds(jstStart - 1), jstStart - 1 + 9 * 3600 + 18 * 60 + 59);
}

TEST(KoyomiText, TipLineCellTextAndNames) {
  KoyomiNames names;
  names.datePicture = "L%s%d/%d";
  names.leapWord = "+";
  names.separator = ",";
  ASSERT_TRUE(names.SetLists("Taian;Shakku;Sensho;Tomobiki;Senbu;Butsumetsu",
                             "S0;S1;S2;S3;S4;S5;S6;S7;S8;S9;S10;S11;S12;S13;S14;S15;S16;"
                             "Taisetsu;S18;S19;S20;Risshun;S22;S23",
                             "Setsubun;Higan;Z2;Z3;Z4;Doyo;Z6;Z7"));

  const KoyomiDay taisetsu = KoyomiOf(2026, 12, 7);
  EXPECT_EQ(KoyomiTipLine(taisetsu, names, true), "L10/29 Tomobiki Taisetsu");
  EXPECT_EQ(KoyomiTipLine(taisetsu, names, false), "L10/29 Tomobiki");
  EXPECT_EQ(KoyomiCellText(taisetsu, names, true), "Taisetsu");
  EXPECT_EQ(KoyomiCellText(taisetsu, names, false), "Tomobiki");

  const KoyomiDay leap = KoyomiOf(2033, 12, 22);
  EXPECT_EQ(KoyomiTipLine(leap, names, true), "L+11/1 Taian");
  EXPECT_EQ(KoyomiCellText(leap, names, true), "Taian");

  KoyomiDay both = KoyomiOf(2026, 2, 3);  // 節分
  EXPECT_EQ(KoyomiDayNames(both, names), "Setsubun");
  both.sekki = 21;
  both.zassetsu |= kDoyoIri;
  EXPECT_EQ(KoyomiDayNames(both, names), "Risshun,Setsubun,Doyo");

  EXPECT_EQ(KoyomiTipLine(KoyomiOf(2101, 1, 1), names, true), "");
  EXPECT_EQ(KoyomiCellText(KoyomiOf(2101, 1, 1), names, true), "");

  // A list of the wrong length names nothing rather than the wrong thing.
  KoyomiNames broken = names;
  EXPECT_FALSE(broken.SetLists("a;b;c", "x", "y"));
  EXPECT_EQ(KoyomiCellText(taisetsu, broken, true), "");
  EXPECT_EQ(KoyomiTipLine(taisetsu, broken, true), "L10/29");
}
