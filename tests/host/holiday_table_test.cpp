// Checks the shipped Japanese holiday table, read from the repository, through the month
// model: every holiday from 1949 to 2030 and the names of the days.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "calendar/month_model.h"
#include "docs/holiday.h"
#include "docs/holidays_doc.h"
#include "tests/common/test_files.h"

namespace {

const std::string kTablePath = std::string(ZANTO_SOURCE_DIR) + "/resources/Holidays00.xml";

// Holiday names as Shift_JIS bytes.
const char* const kGanjitsu = "\x8c\xb3\x93\xfa";
const char* const kSeijin = "\x90\xac\x90\x6c\x82\xcc\x93\xfa";
const char* const kKenkoku = "\x8c\x9a\x8d\x91\x8b\x4c\x94\x4f\x82\xcc\x93\xfa";
const char* const kTennoTanjobi = "\x93\x56\x8d\x63\x92\x61\x90\xb6\x93\xfa";
const char* const kShunbun = "\x8f\x74\x95\xaa\x82\xcc\x93\xfa";
const char* const kShowa = "\x8f\xba\x98\x61\x82\xcc\x93\xfa";
const char* const kMidori = "\x82\xdd\x82\xc7\x82\xe8\x82\xcc\x93\xfa";
const char* const kKenpo = "\x8c\x9b\x96\x40\x8b\x4c\x94\x4f\x93\xfa";
const char* const kKodomo = "\x82\xb1\x82\xc7\x82\xe0\x82\xcc\x93\xfa";
const char* const kUmi = "\x8a\x43\x82\xcc\x93\xfa";
const char* const kYama = "\x8e\x52\x82\xcc\x93\xfa";
const char* const kKeiro = "\x8c\x68\x98\x56\x82\xcc\x93\xfa";
const char* const kShubun = "\x8f\x48\x95\xaa\x82\xcc\x93\xfa";
const char* const kTaiiku = "\x91\xcc\x88\xe7\x82\xcc\x93\xfa";
const char* const kSports = "\x83\x58\x83\x7c\x81\x5b\x83\x63\x82\xcc\x93\xfa";
const char* const kBunka = "\x95\xb6\x89\xbb\x82\xcc\x93\xfa";
const char* const kKinro = "\x8b\xce\x98\x4a\x8a\xb4\x8e\xd3\x82\xcc\x93\xfa";
const char* const kKokuminNoKyujitsu = "\x8d\x91\x96\xaf\x82\xcc\x8b\x78\x93\xfa";
const char* const kSokuiNoHi = "\x93\x56\x8d\x63\x82\xcc\x91\xa6\x88\xca\x82\xcc\x93\xfa";
const char* const kSokuireiSeiden = "\x91\xa6\x88\xca\x97\xe7\x90\xb3\x93\x61\x82\xcc\x8b\x56";
const char* const kTaiso = "\x8f\xba\x98\x61\x93\x56\x8d\x63\x82\xcc\x91\xe5\x91\x72\x82\xcc\x97\xe7";
const char* const kAkihitoKekkon =
    "\x8d\x63\x91\xbe\x8e\x71\x96\xbe\x90\x6d\x90\x65\x89\xa4\x82\xcc\x8c\x8b\x8d\xa5\x82\xcc\x8b\x56";
const char* const kNaruhitoKekkon =
    "\x8d\x63\x91\xbe\x8e\x71\x93\xbf\x90\x6d\x90\x65\x89\xa4\x82\xcc\x8c\x8b\x8d\xa5\x82\xcc\x8b\x56";

// Every day off of each year: "M/D" is a national holiday (0x900), "M/D*" a substitute or
// in-between day (0xA00). Taken from published holiday calendars.
const std::pair<int, const char*> kDaysOff[] = {
      {1949, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1950, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1951, "1/1 1/15 3/21 4/29 5/3 5/5 9/24 11/3 11/23"},
      {1952, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1953, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1954, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1955, "1/1 1/15 3/21 4/29 5/3 5/5 9/24 11/3 11/23"},
      {1956, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1957, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1958, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1959, "1/1 1/15 3/21 4/10 4/29 5/3 5/5 9/24 11/3 11/23"},
      {1960, "1/1 1/15 3/20 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1961, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1962, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1963, "1/1 1/15 3/21 4/29 5/3 5/5 9/24 11/3 11/23"},
      {1964, "1/1 1/15 3/20 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1965, "1/1 1/15 3/21 4/29 5/3 5/5 9/23 11/3 11/23"},
      {1966, "1/1 1/15 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1967, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/24 10/10 11/3 11/23"},
      {1968, "1/1 1/15 2/11 3/20 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1969, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1970, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1971, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/24 10/10 11/3 11/23"},
      {1972, "1/1 1/15 2/11 3/20 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1973, "1/1 1/15 2/11 3/21 4/29 4/30* 5/3 5/5 9/15 9/23 9/24* 10/10 11/3 11/23"},
      {1974, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 5/6* 9/15 9/16* 9/23 10/10 11/3 11/4* 11/23"},
      {1975, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/24 10/10 11/3 11/23 11/24*"},
      {1976, "1/1 1/15 2/11 3/20 4/29 5/3 5/5 9/15 9/23 10/10 10/11* 11/3 11/23"},
      {1977, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1978, "1/1 1/2* 1/15 1/16* 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1979, "1/1 1/15 2/11 2/12* 3/21 4/29 4/30* 5/3 5/5 9/15 9/24 10/10 11/3 11/23"},
      {1980, "1/1 1/15 2/11 3/20 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23 11/24*"},
      {1981, "1/1 1/15 2/11 3/21 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1982, "1/1 1/15 2/11 3/21 3/22* 4/29 5/3 5/5 9/15 9/23 10/10 10/11* 11/3 11/23"},
      {1983, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1984, "1/1 1/2* 1/15 1/16* 2/11 3/20 4/29 4/30* 5/3 5/5 9/15 9/23 9/24* 10/10 11/3 11/23"},
      {1985, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 5/6* 9/15 9/16* 9/23 10/10 11/3 11/4* 11/23"},
      {1986, "1/1 1/15 2/11 3/21 4/29 5/3 5/5 9/15 9/23 10/10 11/3 11/23 11/24*"},
      {1987, "1/1 1/15 2/11 3/21 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1988, "1/1 1/15 2/11 3/20 3/21* 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23"},
      {1989, "1/1 1/2* 1/15 1/16* 2/11 2/24 3/21 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23 12/23"},
      {1990, "1/1 1/15 2/11 2/12* 3/21 4/29 4/30* 5/3 5/4* 5/5 9/15 9/23 9/24* 10/10 11/3 11/12 11/23 12/23 12/24*"},
      {1991, "1/1 1/15 2/11 3/21 4/29 5/3 5/4* 5/5 5/6* 9/15 9/16* 9/23 10/10 11/3 11/4* 11/23 12/23"},
      {1992, "1/1 1/15 2/11 3/20 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23 12/23"},
      {1993, "1/1 1/15 2/11 3/20 4/29 5/3 5/4* 5/5 6/9 9/15 9/23 10/10 10/11* 11/3 11/23 12/23"},
      {1994, "1/1 1/15 2/11 3/21 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23 12/23"},
      {1995, "1/1 1/2* 1/15 1/16* 2/11 3/21 4/29 5/3 5/4* 5/5 9/15 9/23 10/10 11/3 11/23 12/23"},
      {1996, "1/1 1/15 2/11 2/12* 3/20 4/29 5/3 5/4* 5/5 5/6* 7/20 9/15 9/16* 9/23 10/10 11/3 11/4* 11/23 12/23"},
      {1997, "1/1 1/15 2/11 3/20 4/29 5/3 5/5 7/20 7/21* 9/15 9/23 10/10 11/3 11/23 11/24* 12/23"},
      {1998, "1/1 1/15 2/11 3/21 4/29 5/3 5/4* 5/5 7/20 9/15 9/23 10/10 11/3 11/23 12/23"},
      {1999, "1/1 1/15 2/11 3/21 3/22* 4/29 5/3 5/4* 5/5 7/20 9/15 9/23 10/10 10/11* 11/3 11/23 12/23"},
      {2000, "1/1 1/10 2/11 3/20 4/29 5/3 5/4* 5/5 7/20 9/15 9/23 10/9 11/3 11/23 12/23"},
      {2001, "1/1 1/8 2/11 2/12* 3/20 4/29 4/30* 5/3 5/4* 5/5 7/20 9/15 9/23 9/24* 10/8 11/3 11/23 12/23 12/24*"},
      {2002, "1/1 1/14 2/11 3/21 4/29 5/3 5/4* 5/5 5/6* 7/20 9/15 9/16* 9/23 10/14 11/3 11/4* 11/23 12/23"},
      {2003, "1/1 1/13 2/11 3/21 4/29 5/3 5/5 7/21 9/15 9/23 10/13 11/3 11/23 11/24* 12/23"},
      {2004, "1/1 1/12 2/11 3/20 4/29 5/3 5/4* 5/5 7/19 9/20 9/23 10/11 11/3 11/23 12/23"},
      {2005, "1/1 1/10 2/11 3/20 3/21* 4/29 5/3 5/4* 5/5 7/18 9/19 9/23 10/10 11/3 11/23 12/23"},
      {2006, "1/1 1/2* 1/9 2/11 3/21 4/29 5/3 5/4* 5/5 7/17 9/18 9/23 10/9 11/3 11/23 12/23"},
      {2007, "1/1 1/8 2/11 2/12* 3/21 4/29 4/30* 5/3 5/4 5/5 7/16 9/17 9/23 9/24* 10/8 11/3 11/23 12/23 12/24*"},
      {2008, "1/1 1/14 2/11 3/20 4/29 5/3 5/4 5/5 5/6* 7/21 9/15 9/23 10/13 11/3 11/23 11/24* 12/23"},
      {2009, "1/1 1/12 2/11 3/20 4/29 5/3 5/4 5/5 5/6* 7/20 9/21 9/22* 9/23 10/12 11/3 11/23 12/23"},
      {2010, "1/1 1/11 2/11 3/21 3/22* 4/29 5/3 5/4 5/5 7/19 9/20 9/23 10/11 11/3 11/23 12/23"},
      {2011, "1/1 1/10 2/11 3/21 4/29 5/3 5/4 5/5 7/18 9/19 9/23 10/10 11/3 11/23 12/23"},
      {2012, "1/1 1/2* 1/9 2/11 3/20 4/29 4/30* 5/3 5/4 5/5 7/16 9/17 9/22 10/8 11/3 11/23 12/23 12/24*"},
      {2013, "1/1 1/14 2/11 3/20 4/29 5/3 5/4 5/5 5/6* 7/15 9/16 9/23 10/14 11/3 11/4* 11/23 12/23"},
      {2014, "1/1 1/13 2/11 3/21 4/29 5/3 5/4 5/5 5/6* 7/21 9/15 9/23 10/13 11/3 11/23 11/24* 12/23"},
      {2015, "1/1 1/12 2/11 3/21 4/29 5/3 5/4 5/5 5/6* 7/20 9/21 9/22* 9/23 10/12 11/3 11/23 12/23"},
      {2016, "1/1 1/11 2/11 3/20 3/21* 4/29 5/3 5/4 5/5 7/18 8/11 9/19 9/22 10/10 11/3 11/23 12/23"},
      {2017, "1/1 1/2* 1/9 2/11 3/20 4/29 5/3 5/4 5/5 7/17 8/11 9/18 9/23 10/9 11/3 11/23 12/23"},
      {2018, "1/1 1/8 2/11 2/12* 3/21 4/29 4/30* 5/3 5/4 5/5 7/16 8/11 9/17 9/23 9/24* 10/8 11/3 11/23 12/23 12/24*"},
      {2019, "1/1 1/14 2/11 3/21 4/29 4/30 5/1 5/2* 5/3 5/4 5/5 5/6* 7/15 8/11 8/12* 9/16 9/23 10/14 10/22 11/3 11/4* 11/23"},
      {2020, "1/1 1/13 2/11 2/23 2/24* 3/20 4/29 5/3 5/4 5/5 5/6* 7/23 7/24 8/10 9/21 9/22 11/3 11/23"},
      {2021, "1/1 1/11 2/11 2/23 3/20 4/29 5/3 5/4 5/5 7/22 7/23 8/8 8/9* 9/20 9/23 11/3 11/23"},
      {2022, "1/1 1/10 2/11 2/23 3/21 4/29 5/3 5/4 5/5 7/18 8/11 9/19 9/23 10/10 11/3 11/23"},
      {2023, "1/1 1/2* 1/9 2/11 2/23 3/21 4/29 5/3 5/4 5/5 7/17 8/11 9/18 9/23 10/9 11/3 11/23"},
      {2024, "1/1 1/8 2/11 2/12* 2/23 3/20 4/29 5/3 5/4 5/5 5/6* 7/15 8/11 8/12* 9/16 9/22 9/23* 10/14 11/3 11/4* 11/23"},
      {2025, "1/1 1/13 2/11 2/23 2/24* 3/20 4/29 5/3 5/4 5/5 5/6* 7/21 8/11 9/15 9/23 10/13 11/3 11/23 11/24*"},
      {2026, "1/1 1/12 2/11 2/23 3/20 4/29 5/3 5/4 5/5 5/6* 7/20 8/11 9/21 9/22* 9/23 10/12 11/3 11/23"},
      {2027, "1/1 1/11 2/11 2/23 3/21 3/22* 4/29 5/3 5/4 5/5 7/19 8/11 9/20 9/23 10/11 11/3 11/23"},
      {2028, "1/1 1/10 2/11 2/23 3/20 4/29 5/3 5/4 5/5 7/17 8/11 9/18 9/22 10/9 11/3 11/23"},
      {2029, "1/1 1/8 2/11 2/12* 2/23 3/20 4/29 4/30* 5/3 5/4 5/5 7/16 8/11 9/17 9/23 9/24* 10/8 11/3 11/23"},
      {2030, "1/1 1/14 2/11 2/23 3/20 4/29 5/3 5/4 5/5 5/6* 7/15 8/11 8/12* 9/16 9/23 10/14 11/3 11/4* 11/23"},
};

class HolidayTable : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(doc.LoadFile(kTablePath), 0) << kTablePath;
    doc.AppendRules(rules);
    ASSERT_FALSE(rules.empty());
  }

  // "M/D" or "M/D*" for every day of the year that has a holiday bit, in date order.
  std::string DaysOffOf(int year) {
    std::string text;
    for (int month = 1; month <= 12; ++month) {
      EXPECT_TRUE(model.Build(year, month));
      for (int day = 1; day <= model.DaysInMonth(); ++day) {
        uint32_t flags = model.DayFlags(day);
        if (flags == 0) continue;
        if (!text.empty()) text += ' ';
        text += std::to_string(month) + "/" + std::to_string(day);
        if (flags == 0xA00) {
          text += '*';
        } else if (flags != 0x900) {
          text += "?" + std::to_string(flags);
        }
      }
    }
    return text;
  }

  std::string NameOf(int year, int month, int day) {
    EXPECT_TRUE(model.Build(year, month));
    return model.HolidayName(day);
  }

  HolidaysDoc doc;
  HolidayArray rules;
  CMonthModel model{rules};
};

TEST_F(HolidayTable, FileIsShiftJisWithAVersion) {
  const std::string bytes = ReadFile(kTablePath);
  EXPECT_NE(bytes.find("encoding=\"Shift_JIS\""), std::string::npos);
  EXPECT_NE(bytes.find(std::string("name=\"") + kGanjitsu + "\""), std::string::npos);
  EXPECT_GE(doc.Version(), 1);
}

TEST_F(HolidayTable, EveryDayOffFrom1949To2030) {
  int checked = 0;
  for (const auto& [year, expected] : kDaysOff) {
    EXPECT_EQ(DaysOffOf(year), expected) << year;
    ++checked;
  }
  EXPECT_EQ(checked, 2030 - 1949 + 1);
}

TEST_F(HolidayTable, BeforeTheLawOnlyTheAutumnHolidaysOf1948) {
  EXPECT_EQ(DaysOffOf(1948), "9/23 11/3 11/23");
  EXPECT_EQ(DaysOffOf(1900), "");
}

TEST_F(HolidayTable, EquinoxDaysMatchTheOfficialDates) {
  const struct {
    int year, spring, autumn;
  } kEquinoxes[] = {{1960, 20, 23}, {1979, 21, 24}, {2012, 20, 22}, {2016, 20, 22}, {2020, 20, 22},
                    {2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23}, {2026, 20, 23}, {2027, 21, 23}};
  for (const auto& e : kEquinoxes) {
    EXPECT_STREQ(NameOf(e.year, 3, e.spring).c_str(), kShunbun) << e.year;
    EXPECT_STREQ(NameOf(e.year, 9, e.autumn).c_str(), kShubun) << e.year;
  }
}

TEST_F(HolidayTable, NamesFollowTheLawOfEachYear) {
  const struct {
    int year, month, day;
    const char* name;
  } kNames[] = {
      {1949, 1, 1, kGanjitsu},        {1949, 1, 15, kSeijin},          {2024, 1, 8, kSeijin},
      {1967, 2, 11, kKenkoku},        {2020, 2, 23, kTennoTanjobi},    {1989, 2, 24, kTaiso},
      {1959, 4, 10, kAkihitoKekkon},  {1988, 4, 29, kTennoTanjobi},    {1989, 4, 29, kMidori},
      {2006, 4, 29, kMidori},         {2007, 4, 29, kShowa},           {2019, 4, 30, kKokuminNoKyujitsu},
      {1949, 5, 3, kKenpo},           {1988, 5, 4, kKokuminNoKyujitsu}, {2007, 5, 4, kMidori},
      {1949, 5, 5, kKodomo},          {1993, 6, 9, kNaruhitoKekkon},   {1996, 7, 20, kUmi},
      {2003, 7, 21, kUmi},            {2020, 7, 23, kUmi},             {2020, 7, 24, kSports},
      {2016, 8, 11, kYama},           {2020, 8, 10, kYama},            {1966, 9, 15, kKeiro},
      {2003, 9, 15, kKeiro},          {2015, 9, 22, kKokuminNoKyujitsu}, {1948, 9, 23, kShubun},
      {1966, 10, 10, kTaiiku},        {2019, 10, 14, kTaiiku},         {2022, 10, 10, kSports},
      {2019, 10, 22, kSokuireiSeiden}, {1990, 11, 12, kSokuireiSeiden}, {1948, 11, 3, kBunka},
      {1948, 11, 23, kKinro},         {1989, 12, 23, kTennoTanjobi},   {2018, 12, 23, kTennoTanjobi},
      {2000, 1, 10, kSeijin},         {2019, 5, 1, kSokuiNoHi},        {2019, 5, 2, kKokuminNoKyujitsu},
      {2021, 7, 22, kUmi},            {2021, 7, 23, kSports},          {2021, 8, 8, kYama},
      {2026, 9, 21, kKeiro},          {2026, 9, 22, kKokuminNoKyujitsu}, {2026, 9, 23, kShubun},
      // A substitute holiday carries no name.
      {2025, 5, 6, ""},               {2021, 8, 9, ""},
  };
  for (const auto& n : kNames) {
    EXPECT_STREQ(NameOf(n.year, n.month, n.day).c_str(), n.name) << n.year << "/" << n.month << "/" << n.day;
  }
}

TEST_F(HolidayTable, MayFourthBefore2007IsNoInBetweenDayOnASundayOrAfterASundayHoliday) {
  // 1997: the 4th is a Sunday, an ordinary one under the law of the time.
  ASSERT_TRUE(model.Build(1997, 5));
  EXPECT_EQ(model.DayFlags(4), 0u);
  // 1992: the 3rd is a Sunday, so the 4th is its substitute and carries no name.
  ASSERT_TRUE(model.Build(1992, 5));
  EXPECT_EQ(model.DayFlags(4), 0xA00u);
  EXPECT_STREQ(model.HolidayName(4), "");
  // 1991: the 4th is a Saturday between two holidays.
  ASSERT_TRUE(model.Build(1991, 5));
  EXPECT_STREQ(model.HolidayName(4), kKokuminNoKyujitsu);
}

}  // namespace
