// The 和暦 of the heading: the era table at every change of era, the heading forms with era
// codes, and eras added by a holiday table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/month_heading.h"
#include "docs/era_table.h"
#include "docs/holiday_tables.h"
#include "docs/holidays_doc.h"
#include "temp_data_folder.h"

namespace {

// Shift_JIS texts.
const std::string kMeiji = "\x96\xbe\x8e\xa1", kTaisho = "\x91\xe5\x90\xb3",
                  kShowa = "\x8f\xba\x98\x61", kHeisei = "\x95\xbd\x90\xac",
                  kReiwa = "\x97\xdf\x98\x61", kMirai = "\x96\xa2\x97\x88";  // 未来
const std::string kNen = "\x94\x4e", kGatsu = "\x8c\x8e", kGan = "\x8c\xb3", kDot = "\x81\x45";
const std::string kOpen = "\x81\x69", kClose = "\x81\x6a";  // （ ）

// The four heading forms of the display settings, and a picture without era codes.
const std::string kWestern = "yyyy" + kNen + "M" + kGatsu;
const std::string kEra = "gge" + kNen + "M" + kGatsu;
const std::string kEraFirst = "gge" + kNen + kOpen + "yyyy" + kNen + kClose + "M" + kGatsu;
const std::string kWesternFirst = "yyyy" + kNen + kOpen + "gge" + kNen + kClose + "M" + kGatsu;

// Stands in for the system's formatting: every M becomes the month and the rest of a piece
// stays as given, so what reaches the system shows in the result; year codes become the year
// when they are yyyy and stay visible as <codes> otherwise.
SystemFormat System(int year, int month) {
  return [year, month](const std::string& piece, bool westernYear, std::string& text) {
    if (westernYear) {
      text = piece == "yyyy" ? std::to_string(year) : "<" + piece + ">";
      return true;
    }
    text.clear();
    for (char c : piece) text += c == 'M' ? std::to_string(month) : std::string(1, c);
    return true;
  };
}

std::string Heading(const std::string& picture, int year, int month, const EraTable& eras = EraTable(),
                    bool gannen = true) {
  return FormatEraPicture(picture, year, month, eras, gannen, System(year, month));
}

TEST(EraTable, YearTextOnTheDayBeforeAndTheDayOfEveryChange) {
  const struct {
    int y, m, d;
    std::string text;
  } cases[] = {
      {1872, 12, 31, "-"},
      {1873, 1, 1, kMeiji + "6" + kNen},
      {1912, 7, 29, kMeiji + "45" + kNen},  {1912, 7, 30, kTaisho + kGan + kNen},
      {1926, 12, 24, kTaisho + "15" + kNen}, {1926, 12, 25, kShowa + kGan + kNen},
      {1989, 1, 7, kShowa + "64" + kNen},    {1989, 1, 8, kHeisei + kGan + kNen},
      {2019, 4, 30, kHeisei + "31" + kNen},  {2019, 5, 1, kReiwa + kGan + kNen},
      {2026, 12, 7, kReiwa + "8" + kNen},    {2100, 12, 31, kReiwa + "82" + kNen},
  };
  const EraTable eras;
  for (const auto& c : cases) {
    EXPECT_EQ(EraYearText(eras, c.y, c.m, c.d), c.text) << c.y << "-" << c.m << "-" << c.d;
  }
  EXPECT_EQ(EraYearText(eras, 2019, 5, 1, false), kReiwa + "1" + kNen) << "without 元年";
}

TEST(EraTable, EveryDayFrom1873To2100CountsOnWithinAnEraAndStartsEachAtItsFirstYear) {
  const EraTable eras;
  const int length[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const Era* previous = eras.EraOn(1873, 1, 1);
  ASSERT_NE(previous, nullptr);
  int changes = 0;
  for (int y = 1873; y <= 2100; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
      for (int d = 1; d <= length[m - 1] + (m == 2 && leap); ++d) {
        const Era* era = eras.EraOn(y, m, d);
        ASSERT_NE(era, nullptr);
        if (era == previous) continue;
        ++changes;
        EXPECT_EQ(era, previous + 1) << "eras follow each other in order";
        EXPECT_EQ(era->YearOf(y), 1);
        previous = era;
      }
    }
  }
  EXPECT_EQ(changes, 4);
}

TEST(MonthHeading, FormsWithEraCodes) {
  const struct {
    const std::string& picture;
    int y, m;
    bool gannen;
    std::string heading;
  } cases[] = {
      {kEra, 2026, 12, true, kReiwa + "8" + kNen + "12" + kGatsu},
      {kEraFirst, 2026, 12, true, kReiwa + "8" + kNen + kOpen + "2026" + kNen + kClose + "12" + kGatsu},
      {kWesternFirst, 2026, 12, true, "2026" + kNen + kOpen + kReiwa + "8" + kNen + kClose + "12" + kGatsu},
      // Months in which an era begins after the 1st name both.
      {kEra, 1989, 1, true, kShowa + "64" + kNen + kDot + kHeisei + kGan + kNen + "1" + kGatsu},
      {kEra, 1926, 12, true, kTaisho + "15" + kNen + kDot + kShowa + kGan + kNen + "12" + kGatsu},
      {kEra, 1912, 7, true, kMeiji + "45" + kNen + kDot + kTaisho + kGan + kNen + "7" + kGatsu},
      {kEraFirst, 1989, 1, true,
       kShowa + "64" + kNen + kDot + kHeisei + kGan + kNen + kOpen + "1989" + kNen + kClose + "1" + kGatsu},
      {kWesternFirst, 1989, 1, true,
       "1989" + kNen + kOpen + kShowa + "64" + kNen + kDot + kHeisei + kGan + kNen + kClose + "1" + kGatsu},
      {kEra, 1989, 2, true, kHeisei + kGan + kNen + "2" + kGatsu},
      // 令和 begins on the 1st: May 2019 is 令和 alone.
      {kEra, 2019, 4, true, kHeisei + "31" + kNen + "4" + kGatsu},
      {kEra, 2019, 5, true, kReiwa + kGan + kNen + "5" + kGatsu},
      {kEra, 2019, 5, false, kReiwa + "1" + kNen + "5" + kGatsu},
      {"ggee" + kNen, 2026, 12, true, kReiwa + "08" + kNen},
      {"ggee" + kNen, 2019, 12, true, kReiwa + kGan + kNen},
      {kEra, 1873, 1, true, kMeiji + "6" + kNen + "1" + kGatsu},
      // Before 1873 there is no era: the Western year stands.
      {kEra, 1872, 12, true, "1872" + kNen + "12" + kGatsu},
      {kWesternFirst, 1590, 3, true, "1590" + kNen + kOpen + "1590" + kNen + kClose + "3" + kGatsu},
      // Year codes go to the system's Gregorian calendar as year codes.
      {"y yy yyyy/yyyyy g", 2009, 1, true, "<y> <yy> 2009/<yyyyy> " + kHeisei},
      // Quoted letters and the second byte of 携 (0x8C 0x67) and 影 (0x89 0x65) are no codes.
      {"'gey'g", 2026, 1, true, "'gey'" + kReiwa},
      {"\x8c\x67\x89\x65 e", 2026, 1, true, "\x8c\x67\x89\x65 8"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(HasEraCodes(c.picture)) << c.picture;
    EXPECT_EQ(Heading(c.picture, c.y, c.m, EraTable(), c.gannen), c.heading) << c.picture << " " << c.y << "-" << c.m;
  }
  for (const std::string& plain : {kWestern, std::string("'g' yyyy/MM"), std::string("\x8c\x67\x89\x65"), std::string()}) {
    EXPECT_FALSE(HasEraCodes(plain)) << plain << " goes to the system whole, as before";
  }
}

TEST(MonthHeading, SystemFailureManyCodesAndLongPicturesAreSafe) {
  const SystemFormat fails = [](const std::string&, bool, std::string&) { return false; };
  EXPECT_EQ(FormatEraPicture(kEra, 2026, 12, EraTable(), true, fails), "") << "an unknown locale";

  // Written twice over in a month that names two eras, and far past what the dialog takes.
  std::string many;
  for (int i = 0; i < 300; ++i) many += "ge" + kNen + "y";
  for (int month : {1, 2}) {
    const std::string heading = Heading(many, 1989, month);
    EXPECT_LE(heading.size(), kMaxHeadingBytes);
    EXPECT_GE(heading.size(), kMaxHeadingBytes - 1) << "cut, not dropped";
    size_t end = 0;
    while (end < heading.size()) end += static_cast<unsigned char>(heading[end]) >= 0x81 ? 2 : 1;
    EXPECT_EQ(end, heading.size()) << "cut after a whole character";
  }
}

TEST(MonthHeading, LayoutMeasuresEveryMonthThatNamesTwoEras) {
  const EraTable eras;
  auto months = [&](const std::string& picture) {
    std::vector<std::pair<int, int>> result;
    for (const YearMonth& ym : HeadingMonthsToMeasure(picture, eras, 2026, 12)) result.push_back({ym.year, ym.month});
    return result;
  };
  using Months = std::vector<std::pair<int, int>>;
  EXPECT_EQ(months(kWestern), (Months{{2026, 12}})) << "a picture without era codes: as before";
  EXPECT_EQ(months(kEra), (Months{{2026, 12}, {1912, 7}, {1926, 12}, {1989, 1}}));
}

// A holiday table with an era list and one holiday, as a file.
std::string TableWithEras(const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<HolidayTable><Version>3</Version>"
         "<Holidays><Holiday type=\"1\" kind=\"1\" name=\"x\"><Month>1</Month><Day>1</Day></Holiday>"
         "</Holidays><Eras>" + entries + "</Eras></HolidayTable>\n";
}

std::string Entry(const std::string& name, const std::string& y, const std::string& m, const std::string& d) {
  return "<Era name=\"" + name + "\" year=\"" + y + "\" month=\"" + m + "\" date=\"" + d + "\"/>";
}

class EraListTest : public TempDataFolder {};

TEST_F(EraListTest, ASixthEraFromATableNamesItsFirstMonthAndYear) {
  WriteFile("Holidays02.xml", TableWithEras(Entry(kMirai, "2031", "1", "1")));
  CFileInfoArray files;
  files[2].Source = Path("Holidays02.xml");
  HolidayArray rules;
  EraTable eras;
  LoadHolidayTableList(files, rules, [](HolidaysDoc& doc, const std::string& source) { return doc.LoadFile(source); },
                       {}, &eras);
  EXPECT_EQ(rules.size(), 1u);
  ASSERT_EQ(eras.Eras().size(), 6u);
  EXPECT_EQ(Heading(kEra, 2031, 1, eras), kMirai + kGan + kNen + "1" + kGatsu);
  EXPECT_EQ(Heading(kEra, 2030, 12, eras), kReiwa + "12" + kNen + "12" + kGatsu);
  EXPECT_EQ(Heading(kEra, 2032, 4, eras), kMirai + "2" + kNen + "4" + kGatsu);
  EXPECT_EQ(EraYearText(eras, 2030, 12, 31), kReiwa + "12" + kNen);
}

TEST_F(EraListTest, BadEntriesAreSkippedAndTheTableKeepsItsHolidays) {
  const std::string bad[] = {
      Entry("ABCDEFGHI", "2031", "1", "1"),      // name over 8 bytes
      "<Era year=\"2031\" month=\"1\" date=\"1\"/>",  // no name
      Entry("", "2031", "1", "1"),               // empty name
      Entry("\x96\xa2\x97", "2031", "1", "1"),   // half a character at the end
      Entry("A", "2031", "2", "30"),             // no such day
      Entry("A", "2031", "13", "1"),             // no such month
      Entry("A", "10000", "1", "1"),             // past the calendar's last year
      Entry("A", "2031", "1", ""),               // no day
      Entry("A", "2019", "5", "1"),              // not after 令和's start
      Entry(kReiwa, "2019", "5", "1"),           // the shipped table's copy of a built-in era
      Entry(kHeisei, "2031", "1", "1"),          // moving a built-in era
      Entry(kMeiji, "1868", "10", "23"),         // moving one back
  };
  std::string entries;
  for (const std::string& entry : bad) entries += entry;
  const std::string eightBytes = kMirai + kMirai;
  entries += Entry("A", "2031", "1", "1") + Entry("A", "2032", "1", "1") +  // a name taken
             Entry("B", "2030", "6", "1") +                                 // before the last era
             Entry(eightBytes, "2040", "2", "29") + Entry("C", "2041", "2", "29");
  WriteFile("table.xml", TableWithEras(entries));
  HolidaysDoc doc;
  ASSERT_EQ(doc.LoadFile(Path("table.xml")), 0);
  EraTable eras;
  doc.AppendEras(eras);
  HolidayArray rules;
  doc.AppendRules(rules);
  EXPECT_EQ(rules.size(), 1u);
  const std::vector<Era>& list = eras.Eras();
  ASSERT_EQ(list.size(), 7u) << "A on 2031-01-01 and 未来未来 on 2040-02-29; the rest is refused";
  EXPECT_EQ(list[5].name, "A");
  EXPECT_EQ(list[6].name, eightBytes);
  EXPECT_EQ(list[6].day, 29);
  const EraTable builtIn;
  for (size_t i = 0; i < EraTable::kBuiltInCount; ++i) {
    EXPECT_EQ(list[i].name, builtIn.Eras()[i].name);
    EXPECT_EQ(list[i].year * 10000 + list[i].month * 100 + list[i].day,
              builtIn.Eras()[i].year * 10000 + builtIn.Eras()[i].month * 100 + builtIn.Eras()[i].day);
  }

  std::string hundreds;
  for (int i = 0; i < 300; ++i) hundreds += Entry("E" + std::to_string(i), std::to_string(2100 + i), "1", "1");
  WriteFile("table.xml", TableWithEras(hundreds));
  ASSERT_EQ(doc.LoadFile(Path("table.xml")), 0);
  EraTable many;
  doc.AppendEras(many);
  EXPECT_EQ(many.Eras().size(), EraTable::kBuiltInCount + kMaxAddedEras);
}

TEST(EraList, TheShippedTableCarriesTheFiveEras) {
  HolidaysDoc doc;
  ASSERT_EQ(doc.LoadFile(std::string(ZANTO_SOURCE_DIR) + "/resources/Holidays00.xml"), 0);
  XMLElement* list = FirstChild(doc.document->RootElement(), kErasElement);
  ASSERT_NE(list, nullptr);
  const EraTable builtIn;
  size_t i = 0;
  for (XMLElement* e = list->FirstChildElement("Era"); e; e = e->NextSiblingElement("Era"), ++i) {
    ASSERT_LT(i, builtIn.Eras().size());
    const Era& era = builtIn.Eras()[i];
    EXPECT_STREQ(e->Attribute("name"), era.name.c_str());
    EXPECT_EQ(e->IntAttribute("year"), era.year);
    EXPECT_EQ(e->IntAttribute("month"), era.month);
    EXPECT_EQ(e->IntAttribute("date"), era.day);
  }
  EXPECT_EQ(i, EraTable::kBuiltInCount);
  EraTable eras;
  doc.AppendEras(eras);
  EXPECT_EQ(eras.Eras().size(), EraTable::kBuiltInCount) << "the same eras again add nothing";
}

}  // namespace
