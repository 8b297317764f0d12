// The 和暦 of the heading: the era table at every change of era, the heading forms with era
// codes, and eras added by a holiday table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/month_heading.h"
#include "docs/holiday_tables.h"
#include "temp_data_folder.h"

namespace {

// Shift_JIS: 明治 大正 昭和 平成 令和 未来 年 月 元 ・ （ ）
const std::string M = "\x96\xbe\x8e\xa1", T = "\x91\xe5\x90\xb3", S = "\x8f\xba\x98\x61", H = "\x95\xbd\x90\xac",
                  R = "\x97\xdf\x98\x61", Mirai = "\x96\xa2\x97\x88", N = "\x94\x4e", G = "\x8c\x8e",
                  Gan = "\x8c\xb3", Dot = "\x81\x45", Open = "\x81\x69", Close = "\x81\x6a";
// Forms of the display settings: 令和8年12月, 令和8年（2026年）12月, 2026年（令和8年）12月.
const std::string kEra = "gge" + N + "M" + G, kEraFirst = "gge" + N + Open + "yyyy" + N + Close + "M" + G,
                  kWesternFirst = "yyyy" + N + Open + "gge" + N + Close + "M" + G;

// Stands in for the system: M becomes the month, the rest of a piece stays as given; year codes
// become the year as yyyy and show as <codes> otherwise.
std::string Heading(const std::string& picture, int year, int month, const EraTable& eras = EraTable(),
                    bool gannen = true) {
  return FormatEraPicture(picture, year, month, eras, gannen, [&](const std::string& piece, bool western, std::string& text) {
    text = !western ? "" : piece == "yyyy" ? std::to_string(year) : "<" + piece + ">";
    for (char c : western ? std::string() : piece) text += c == 'M' ? std::to_string(month) : std::string(1, c);
    return true;
  });
}

TEST(EraTable, YearTextOnTheDayBeforeAndTheDayOfEveryChange) {
  const struct { int y, m, d; std::string text; } cases[] = {
      {1872, 12, 31, "-"},         {1873, 1, 1, M + "6" + N},    {1912, 7, 29, M + "45" + N},
      {1912, 7, 30, T + Gan + N},  {1926, 12, 24, T + "15" + N}, {1926, 12, 25, S + Gan + N},
      {1989, 1, 7, S + "64" + N},  {1989, 1, 8, H + Gan + N},    {2019, 4, 30, H + "31" + N},
      {2019, 5, 1, R + Gan + N},   {2100, 12, 31, R + "82" + N},
  };
  for (const auto& c : cases) EXPECT_EQ(EraYearText(EraTable(), c.y, c.m, c.d), c.text) << c.y << "-" << c.m << "-" << c.d;
  EXPECT_EQ(EraYearText(EraTable(), 2019, 5, 1, false), R + "1" + N) << "without 元年";
}

TEST(MonthHeading, FormsWithEraCodes) {
  const struct { std::string picture; int y, m; std::string heading; } cases[] = {
      {kEra, 2026, 12, R + "8" + N + "12" + G},
      {kEraFirst, 2026, 12, R + "8" + N + Open + "2026" + N + Close + "12" + G},
      // A month in which an era begins after the 1st names both; 令和 begins on a 1st.
      {kEra, 1912, 7, M + "45" + N + Dot + T + Gan + N + "7" + G},
      {kEra, 1926, 12, T + "15" + N + Dot + S + Gan + N + "12" + G},
      {kEraFirst, 1989, 1, S + "64" + N + Dot + H + Gan + N + Open + "1989" + N + Close + "1" + G},
      {kWesternFirst, 1989, 1, "1989" + N + Open + S + "64" + N + Dot + H + Gan + N + Close + "1" + G},
      {kEra, 2019, 5, R + Gan + N + "5" + G},
      {"ggee" + N, 2026, 12, R + "08" + N},
      {kEra, 1872, 12, "1872" + N + "12" + G},  // no era before 1873: the Western year stands
      // Year codes go to the system's Gregorian calendar; quoted letters and the second byte of
      // 携 (0x8C 0x67) and 影 (0x89 0x65) are no codes.
      {"y yy yyyy g", 2009, 1, "<y> <yy> 2009 " + H},
      {"'gey'\x8c\x67\x89\x65 e", 2026, 1, "'gey'\x8c\x67\x89\x65 8"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(HasEraCodes(c.picture));
    EXPECT_EQ(Heading(c.picture, c.y, c.m), c.heading) << c.picture << " " << c.y << "-" << c.m;
  }
  EXPECT_EQ(Heading(kEra, 2019, 5, EraTable(), false), R + "1" + N + "5" + G) << "without 元年";
  for (const std::string plain : {"yyyy" + N + "M" + G, std::string("'g' yyyy/MM \x8c\x67\x89\x65"), std::string()}) {
    EXPECT_FALSE(HasEraCodes(plain)) << plain << " goes to the system whole, as before";
  }
}

TEST(MonthHeading, SystemFailureAndAPictureFarTooLongAreSafe) {
  EXPECT_EQ(FormatEraPicture(kEra, 2026, 12, EraTable(), true, [](auto&, bool, auto&) { return false; }), "");
  std::string many;
  for (int i = 0; i < 300; ++i) many += "ge" + N;
  const std::string heading = Heading(many, 1989, 1);  // 昭和64年 (8 bytes) over and over
  EXPECT_EQ(heading.size(), kMaxHeadingBytes - 1) << "cut before the 年 that would not fit whole";
}

TEST(MonthHeading, LayoutMeasuresTheShownMonthAndForEraCodesEveryMonthThatNamesTwoEras) {
  std::vector<std::pair<int, int>> measured;
  for (const YearMonth& ym : HeadingMonthsToMeasure(kEra, EraTable(), 2026, 12)) measured.push_back({ym.year, ym.month});
  EXPECT_EQ(measured, (std::vector<std::pair<int, int>>{{2026, 12}, {1912, 7}, {1926, 12}, {1989, 1}}));
  EXPECT_EQ(HeadingMonthsToMeasure("yyyy/MM", EraTable(), 2026, 12).size(), 1u) << "no era codes: as before";
}

std::string Entry(const std::string& name, const std::string& y, const std::string& m, const std::string& d) {
  return "<Era name=\"" + name + "\" year=\"" + y + "\" month=\"" + m + "\" date=\"" + d + "\"/>";
}

// The built-in eras as entries of an era list.
std::string BuiltInEntries() {
  const EraTable builtIn;
  std::string entries;
  for (const Era& e : builtIn.Eras()) entries += Entry(e.name, std::to_string(e.year), std::to_string(e.month), std::to_string(e.day));
  return entries;
}

struct EraListTest : TempDataFolder {
  // Opens a table of one holiday and the era entries as the personal table 2.
  EraTable Load(const std::string& entries) {
    WriteFile("Holidays02.xml", "<HolidayTable><Holidays><Holiday type=\"1\" kind=\"1\"><Month>1</Month>"
                                "<Day>1</Day></Holiday></Holidays><Eras>" + entries + "</Eras></HolidayTable>");
    CFileInfoArray files;
    files[2].Source = Path("Holidays02.xml");
    HolidayArray rules;
    EraTable eras;
    LoadHolidayTableList(files, rules, [](HolidaysDoc& doc, const std::string& path) { return doc.LoadFile(path); }, {}, &eras);
    EXPECT_EQ(rules.size(), 1u) << "the holidays stay whatever the eras hold";
    return eras;
  }
};

TEST_F(EraListTest, ASixthEraIsAddedAndBadEntriesOrOnesThatWouldChangeABuiltInEraAreNot) {
  const EraTable eras = Load(
      Entry("ABCDEFGHI", "2031", "1", "1") + "<Era year=\"2031\" month=\"1\" date=\"1\"/>" +
      Entry("", "2031", "1", "1") + Entry("\x96\xa2\x97", "2031", "1", "1") +  // half a character
      Entry("A", "2031", "2", "30") + Entry("A", "2031", "13", "1") + Entry("A", "10000", "1", "1") +
      Entry("A", "2031", "1", "") + Entry("A", "2019", "5", "1") + Entry(H, "2031", "1", "1") +
      Entry(M, "1868", "10", "23") + BuiltInEntries() +  // the shipped table's five eras
      Entry(Mirai, "2031", "1", "1") + Entry(Mirai, "2032", "1", "1") + Entry("B", "2030", "6", "1") +
      Entry(Mirai + Mirai, "2040", "2", "29") + Entry("C", "2041", "2", "29"));
  // Only 未来 from 2031-01-01 and 未来未来 (8 bytes) from 2040-02-29 are added.
  ASSERT_EQ(eras.Eras().size(), 7u);
  EXPECT_EQ(eras.Eras()[6].name + std::to_string(eras.Eras()[6].day), Mirai + Mirai + "29");
  EXPECT_EQ(Heading(kEra, 2031, 1, eras), Mirai + Gan + N + "1" + G);
  EXPECT_EQ(Heading(kEra, 2030, 12, eras), R + "12" + N + "12" + G);
  EXPECT_EQ(Heading(kEra, 2032, 4, eras), Mirai + "2" + N + "4" + G);
  std::string hundreds;
  for (int i = 0; i < 300; ++i) hundreds += Entry("E" + std::to_string(i), std::to_string(2100 + i), "1", "1");
  EXPECT_EQ(Load(hundreds).Eras().size(), EraTable::kBuiltInCount + kMaxAddedEras);
}

TEST(EraList, TheShippedTableListsTheFiveBuiltInEras) {
  const std::string shipped = ::ReadFile(std::string(ZANTO_SOURCE_DIR) + "/resources/Holidays00.xml");
  std::string found;
  for (size_t at = shipped.find("<Era "); at != std::string::npos; at = shipped.find("<Era ", at + 1)) {
    found += shipped.substr(at, shipped.find("/>", at) + 2 - at);
  }
  EXPECT_EQ(found, BuiltInEntries());
}

}  // namespace
