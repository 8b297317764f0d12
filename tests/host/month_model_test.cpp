#include <gtest/gtest.h>

#include <string>

#include "calendar/month_model.h"
#include "docs/holiday.h"

namespace {

// A rule list read from the inside of a "Holidays" element.
class Rules {
 public:
  explicit Rules(const std::string& holidays) {
    std::string xml = "<Holidays>" + holidays + "</Holidays>";
    EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    list.Load(doc.RootElement());
  }
  XMLDocument doc;
  HolidayArray list;
};

std::string Rule(int type, int kind, const char* name, int month, int day, int dayOfWeek = 0,
                 const char* years = "") {
  return "<Holiday type=\"" + std::to_string(type) + "\" kind=\"" + std::to_string(kind) + "\" name=\"" + name +
         "\">" + years + "<Month>" + std::to_string(month) + "</Month><Day>" + std::to_string(day) +
         "</Day><DayOfWeek>" + std::to_string(dayOfWeek) + "</DayOfWeek></Holiday>";
}

std::string Fixed(const char* name, int month, int day) { return Rule(1, 1, name, month, day); }

// Every day of the built month that carries holiday bits, as "day:flags" in hexadecimal.
std::string Marked(CMonthModel& model) {
  std::string text;
  char item[32];
  for (int day = 1; day <= model.DaysInMonth(); ++day) {
    uint32_t flags = model.DayFlags(day);
    if (!flags) continue;
    std::snprintf(item, sizeof item, "%s%d:%x", text.empty() ? "" : " ", day, flags);
    text += item;
  }
  return text;
}

TEST(MonthModel, AccessorsReportNotBuiltBeforeTheFirstBuild) {
  HolidayArray rules;
  CMonthModel model(rules);
  EXPECT_EQ(model.IsValid(), 0);
  EXPECT_EQ(model.Year(), 0);
  EXPECT_EQ(model.LastError(), MONTH_NOT_BUILT);
  EXPECT_EQ(model.DaysInMonth(), 0);
  EXPECT_EQ(model.DayFlags(1), 0u);
  EXPECT_EQ(model.LastError(), MONTH_NOT_BUILT);
  EXPECT_EQ(model.WeekdayBits(1), kWeekdayBit);
  EXPECT_EQ(model.LastError(), MONTH_NOT_BUILT);
  EXPECT_STREQ(model.HolidayName(1), "");
  EXPECT_FALSE(model.Move(0, 1));
  EXPECT_EQ(model.LastError(), MONTH_NOT_BUILT);
}

TEST(MonthModel, RangeEndsAndFailedBuildsKeepTheMonth) {
  Rules rules(Fixed("x", 11, 5));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(1582, 11));
  EXPECT_EQ(model.FirstWeekday(), 1);
  EXPECT_EQ(model.DaysInMonth(), 30);

  const struct {
    int year, month, error;
  } kFailures[] = {{1582, 10, MONTH_OUT_OF_RANGE}, {10000, 1, MONTH_OUT_OF_RANGE}, {2024, 13, MONTH_BAD_MONTH},
                   {2024, 0, MONTH_BAD_MONTH},     {2024, -1, MONTH_BAD_MONTH},    {-2147483647, 12, MONTH_OUT_OF_RANGE},
                   {2147483647, 12, MONTH_OUT_OF_RANGE}};
  for (const auto& f : kFailures) {
    EXPECT_FALSE(model.Build(f.year, f.month)) << f.year << "-" << f.month;
    EXPECT_EQ(model.LastError(), f.error) << f.year << "-" << f.month;
    EXPECT_EQ(model.Year(), 1582);
    EXPECT_EQ(model.Month(), 11);
    EXPECT_EQ(model.DayFlags(5), 0x900u);
  }
  ASSERT_TRUE(model.Build(9999, 12));
  EXPECT_EQ(model.LastError(), MONTH_OK);
  EXPECT_EQ(model.DaysInMonth(), 31);
  EXPECT_EQ(model.FirstWeekday(), 3);  // 1 December 9999 is a Wednesday
}

TEST(MonthModel, MonthLengthsAndLeapYears) {
  HolidayArray rules;
  CMonthModel model(rules);
  const struct {
    int year, month, days;
  } kCases[] = {{2000, 2, 29}, {1900, 2, 28}, {2024, 2, 29}, {2023, 2, 28}, {2100, 2, 28},
                {2400, 2, 29}, {2024, 4, 30}, {2024, 12, 31}, {2024, 1, 31}, {2024, 9, 30}};
  for (const auto& c : kCases) {
    ASSERT_TRUE(model.Build(c.year, c.month));
    EXPECT_EQ(model.DaysInMonth(), c.days) << c.year << "-" << c.month;
  }
}

TEST(MonthModel, FirstWeekdaysChainThroughTheWholeRange) {
  HolidayArray rules;
  CMonthModel model(rules);
  ASSERT_TRUE(model.Build(2024, 1));
  EXPECT_EQ(model.FirstWeekday(), 1);
  ASSERT_TRUE(model.Build(1582, 11));
  // Each month starts on the weekday after the last day of the month before it.
  int months = 1;
  while (true) {
    int expected = (model.FirstWeekday() + model.DaysInMonth()) % 7;
    if (!model.Move(0, 1)) break;
    ASSERT_EQ(model.FirstWeekday(), expected) << model.Year() << "-" << model.Month();
    ++months;
  }
  EXPECT_EQ(model.LastError(), MONTH_OUT_OF_RANGE);
  EXPECT_EQ(model.Year(), 9999);
  EXPECT_EQ(model.Month(), 12);
  EXPECT_EQ(months, 12 * (9999 - 1582) + 2);
}

TEST(MonthModel, WeekdayBitsOfDays) {
  HolidayArray rules;
  CMonthModel model(rules);
  ASSERT_TRUE(model.Build(2024, 6));  // 1 June 2024 is a Saturday
  EXPECT_EQ(model.WeekdayBits(1), kSaturdayBit);
  EXPECT_EQ(model.WeekdayBits(2), kSundayBit);
  EXPECT_EQ(model.WeekdayBits(3), kWeekdayBit);
  EXPECT_EQ(model.WeekdayBits(7), kWeekdayBit);
  EXPECT_EQ(model.WeekdayBits(30), kSundayBit);
  EXPECT_EQ(model.LastError(), MONTH_OK);
}

TEST(MonthModel, MoveAcrossYearsAndRangeEnds) {
  HolidayArray rules;
  CMonthModel model(rules);
  const struct {
    int year, month, dy, dm;
    bool ok;
    int toYear, toMonth;
  } kMoves[] = {
      {2024, 1, 0, -1, true, 2023, 12},  {2025, 3, -1, 0, true, 2024, 3},  {2023, 12, 0, 1, true, 2024, 1},
      {2024, 5, 1, -17, true, 2023, 12}, {2024, 5, 0, 24, true, 2026, 5},  {9999, 12, 0, 1, false, 9999, 12},
      {1582, 11, 0, -1, false, 1582, 11}, {1583, 1, 0, -2, true, 1582, 11}, {9998, 12, 1, 0, true, 9999, 12},
      {2024, 1, 2147483647, 2147483647, false, 2024, 1},
      {2024, 1, -2147483647 - 1, -2147483647 - 1, false, 2024, 1},
  };
  for (const auto& m : kMoves) {
    ASSERT_TRUE(model.Build(m.year, m.month));
    EXPECT_EQ(model.Move(m.dy, m.dm), m.ok) << m.year << "-" << m.month << " by " << m.dy << "," << m.dm;
    EXPECT_EQ(model.LastError(), m.ok ? MONTH_OK : MONTH_OUT_OF_RANGE);
    EXPECT_EQ(model.Year(), m.toYear);
    EXPECT_EQ(model.Month(), m.toMonth);
  }
}

TEST(MonthModel, DaysOutsideTheMonthReadAsErrors) {
  Rules rules(Fixed("a", 4, 1) + Fixed("b", 4, 30));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 4));
  for (int day : {0, 31, 32, -1, 1000}) {
    EXPECT_EQ(model.DayFlags(day), 0u) << day;
    EXPECT_EQ(model.LastError(), MONTH_BAD_DAY);
    EXPECT_EQ(model.WeekdayBits(day), kWeekdayBit);
    EXPECT_EQ(model.LastError(), MONTH_BAD_DAY);
    EXPECT_STREQ(model.HolidayName(day), "");
    EXPECT_EQ(model.LastError(), MONTH_BAD_DAY);
  }
  EXPECT_EQ(model.DayFlags(30), 0x900u);
  EXPECT_EQ(model.LastError(), MONTH_OK);
}

TEST(MonthModel, RuleYearsMonthAndKind) {
  Rules rules(Rule(1, 1, "gantan", 1, 1) + Rule(1, 0, "kind0", 1, 2) + Rule(1, 2, "kind2", 1, 3) +
              Rule(1, 3, "other", 1, 4) + Rule(1, 10, "p10", 1, 5) + Rule(1, 13, "o13", 1, 6) +
              Rule(1, 1, "ranged", 1, 7, 0, "<StartYear>2020</StartYear><EndYear>2024</EndYear>") +
              "<Holiday type=\"1\" kind=\"1\" name=\"nomonth\"><Day>8</Day></Holiday>");
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 1));
  // The 7th is a Sunday, so the 8th is its substitute.
  EXPECT_EQ(Marked(model), "1:900 4:c00 5:1000 6:8000 7:900 8:a00");
  EXPECT_STREQ(model.HolidayName(1), "gantan");
  EXPECT_STREQ(model.HolidayName(2), "kind0");
  EXPECT_STREQ(model.HolidayName(3), "kind2");
  EXPECT_STREQ(model.HolidayName(8), "");
  ASSERT_TRUE(model.Build(2019, 1));
  EXPECT_EQ(model.DayFlags(7), 0u);
  ASSERT_TRUE(model.Build(2025, 1));
  EXPECT_EQ(model.DayFlags(7), 0u);
  ASSERT_TRUE(model.Build(2101, 1));
  EXPECT_EQ(model.DayFlags(1), 0u);
  ASSERT_TRUE(model.Build(2024, 2));
  EXPECT_EQ(Marked(model), "");
}

TEST(MonthModel, TheLastRuleNamesTheDayAndBitsAccumulate) {
  Rules rules(Rule(1, 1, "first", 1, 1) + Rule(1, 10, "second", 1, 1) + Rule(1, 1, "third", 1, 1));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 1));
  EXPECT_EQ(model.DayFlags(1), 0x1900u);
  EXPECT_STREQ(model.HolidayName(1), "third");
}

TEST(MonthModel, EquinoxDays) {
  Rules rules(Rule(2, 1, "spring", 3, 0) + Rule(3, 1, "autumn", 9, 0));
  CMonthModel model(rules.list);
  const struct {
    int year, spring, autumn;
  } kCases[] = {{2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23}, {2100, 20, 23}};
  for (const auto& c : kCases) {
    ASSERT_TRUE(model.Build(c.year, 3));
    EXPECT_STREQ(model.HolidayName(c.spring), "spring") << c.year;
    EXPECT_EQ(model.DayFlags(c.spring), 0x900u) << c.year;
    ASSERT_TRUE(model.Build(c.year, 9));
    EXPECT_STREQ(model.HolidayName(c.autumn), "autumn") << c.year;
    EXPECT_EQ(model.DayFlags(c.autumn), 0x900u) << c.year;
  }
}

TEST(MonthModel, EquinoxDaysOfLateYearsNeed64BitArithmetic) {
  // 242194 * 9999 does not fit 32 bits; with the exact formula the days are still in March
  // and September: (2421697806 + 21303150 - 2424000000) / 10^6 = 19 and likewise 21.
  Rules rules("<Holiday type=\"2\" kind=\"1\"><EndYear>9999</EndYear><Month>3</Month></Holiday>"
              "<Holiday type=\"3\" kind=\"1\"><EndYear>9999</EndYear><Month>9</Month></Holiday>");
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(9999, 3));
  EXPECT_EQ(Marked(model), "19:900");
  ASSERT_TRUE(model.Build(9999, 9));
  EXPECT_EQ(Marked(model), "21:900");
  // (2147534198 + 21303150 - 2150000000) / 10^6 = 18
  ASSERT_TRUE(model.Build(8867, 3));
  EXPECT_EQ(Marked(model), "18:900");
}

TEST(MonthModel, NthWeekday) {
  Rules rules(Rule(4, 1, "second monday", 1, 8, 1) + Rule(4, 1, "first sunday", 1, 1, 0) +
              Rule(4, 1, "fourth saturday", 1, 22, 6));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 1));  // the 1st is a Monday
  EXPECT_EQ(Marked(model), "7:900 8:900 9:a00 27:900");
  ASSERT_TRUE(model.Build(2025, 1));  // the 1st is a Wednesday
  EXPECT_EQ(Marked(model), "5:900 6:a00 13:900 25:900");
}

TEST(MonthModel, InBetweenDaysSeeOnlyTheRulesBeforeThem) {
  std::string neighbours = Fixed("a", 5, 3) + Fixed("b", 5, 5);
  std::string between = Rule(5, 0, "between", 5, 4);
  // 2005: the 4th is a Wednesday.
  Rules after(neighbours + between);
  CMonthModel model(after.list);
  ASSERT_TRUE(model.Build(2005, 5));
  EXPECT_EQ(Marked(model), "3:900 4:a00 5:900");
  EXPECT_STREQ(model.HolidayName(4), "between");

  Rules before(between + neighbours);
  CMonthModel early(before.list);
  ASSERT_TRUE(early.Build(2005, 5));
  EXPECT_EQ(Marked(early), "3:900 5:900");
  EXPECT_STREQ(early.HolidayName(4), "");

  // Only days off count as neighbours: a personal-table day does not.
  Rules personal(Fixed("a", 5, 3) + Rule(1, 10, "p", 5, 5) + between);
  CMonthModel other(personal.list);
  ASSERT_TRUE(other.Build(2005, 5));
  EXPECT_EQ(other.DayFlags(4), 0u);

  // The first and last day of a month never have two neighbours inside it.
  Rules edges(Fixed("a", 5, 2) + Rule(5, 1, "first", 5, 1) + Fixed("z", 5, 30) + Rule(5, 1, "last", 5, 31));
  CMonthModel ends(edges.list);
  ASSERT_TRUE(ends.Build(2005, 5));
  EXPECT_EQ(Marked(ends), "2:900 30:900");
}

TEST(MonthModel, RulesForDaysOutsideTheMonthChangeNothing) {
  // Each broken rule is followed by an in-between rule that would fire if the broken rule had
  // written its day into the neighbour slots 0, daysInMonth + 1 or 32.
  Rules rules(Fixed("day0", 4, 0) + Fixed("neg", 4, -5) + Fixed("day31", 4, 31) + Fixed("day32", 4, 32) +
              Fixed("huge", 4, 2147483647) + Rule(4, 1, "fifth", 4, 29, 3) +
              Rule(4, 1, "dow", 4, 1, 2147483647) + Rule(4, 1, "dow-", 4, 1, -2147483647 - 1) +
              Rule(5, 1, "b0", 4, 0) + Rule(5, 1, "b32", 4, 32) + Rule(5, 1, "b-big", 4, -2147483647 - 1) +
              Fixed("n2", 4, 2) + Rule(5, 1, "b1", 4, 1) + Fixed("n29", 4, 29) + Rule(5, 1, "b30", 4, 30));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 4));  // 30 days; the 1st is a Monday, so no fifth Wednesday
  // The weekday numbers outside 0 ... 6 name no day at all.
  EXPECT_EQ(Marked(model), "2:900 29:900");
  for (int day : {1, 30}) EXPECT_STREQ(model.HolidayName(day), "") << day;
}

TEST(MonthModel, SubstituteHolidaysBefore1973Before2007AndAfter) {
  // 1 January is a Sunday in 2006 and in 2012; the 2nd is a holiday too.
  Rules rules(Fixed("a", 1, 1) + Fixed("b", 1, 2) + Fixed("c", 4, 29) + Fixed("d", 3, 4));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2006, 1));
  EXPECT_EQ(Marked(model), "1:900 2:b00");
  ASSERT_TRUE(model.Build(2012, 1));
  EXPECT_EQ(Marked(model), "1:900 2:900 3:a00");
  EXPECT_STREQ(model.HolidayName(3), "");
  // 29 April 1973 was a Sunday and the first day to get a substitute; 4 March 1973 was a
  // Sunday before the law.
  ASSERT_TRUE(model.Build(1973, 4));
  EXPECT_EQ(Marked(model), "29:900 30:a00");
  ASSERT_TRUE(model.Build(1973, 3));
  EXPECT_EQ(Marked(model), "4:900");
}

TEST(MonthModel, SubstitutesNeverCrossTheMonthEnd) {
  // 31 March 2024 is a Sunday on the last day; 29 September 2024 is a Sunday followed by a
  // holiday on the last day.
  Rules rules(Fixed("a", 3, 31) + Fixed("b", 9, 29) + Fixed("c", 9, 30) + Fixed("d", 6, 30));
  CMonthModel model(rules.list);
  ASSERT_TRUE(model.Build(2024, 3));
  EXPECT_EQ(Marked(model), "31:900");
  ASSERT_TRUE(model.Build(2024, 4));
  EXPECT_EQ(Marked(model), "");
  ASSERT_TRUE(model.Build(2024, 9));
  EXPECT_EQ(Marked(model), "29:900 30:900");
  ASSERT_TRUE(model.Build(2024, 10));
  EXPECT_EQ(Marked(model), "");
  // Before 2007 as well: 30 June 2002 was a Sunday on the last day.
  ASSERT_TRUE(model.Build(2002, 6));
  EXPECT_EQ(Marked(model), "30:900");
  ASSERT_TRUE(model.Build(2002, 7));
  EXPECT_EQ(Marked(model), "");
}

TEST(MonthModel, TheProcessRuleListIsUsedByDefault) {
  HolidayArray::DeleteInstance();
  Holiday* rule = new Holiday;
  rule->type = HOLIDAY_FIXED;
  rule->bits = 0x900;
  rule->Month = 1;
  rule->Day = 1;
  HolidayArray::Instance().push_back(rule);
  CMonthModel model;
  ASSERT_TRUE(model.Build(2024, 1));
  EXPECT_EQ(model.DayFlags(1), 0x900u);
  HolidayArray::DeleteInstance();
}

}  // namespace
