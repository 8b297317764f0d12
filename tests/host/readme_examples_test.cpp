// The examples of README.md work as written: its holiday tables load and mark the days they
// describe, and the settings it tells users to edit exist in the shipped settings file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/month_model.h"
#include "docs/holidays_doc.h"
#include "temp_data_folder.h"

namespace {

std::string ReadSource(const std::string& name) {
  std::ifstream in(std::string(ZANTO_SOURCE_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The ```xml blocks of the read-me that hold a holiday table, in order.
std::vector<std::string> TableExamples() {
  const std::string readMe = ReadSource("README.md");
  std::vector<std::string> tables;
  for (size_t at = readMe.find("```xml\n"); at != std::string::npos;
       at = readMe.find("```xml\n", at + 1)) {
    const size_t start = at + 7;
    const std::string block = readMe.substr(start, readMe.find("```", start) - start);
    if (block.find("<HolidayTable>") != std::string::npos) tables.push_back(block);
  }
  return tables;
}

class ReadMeExamples : public TempDataFolder {
 protected:
  // Loads an example as the calendar loads a table file and builds a month with its rules.
  void Load(const std::string& table) {
    WriteFile("example.xml", table);
    HolidaysDoc doc;
    ASSERT_EQ(doc.LoadFile(Path("example.xml")), 0);
    EXPECT_EQ(doc.Version(), 1);
    doc.AppendRules(rules);
  }

  uint32_t Flags(int year, int month, int day) {
    CMonthModel model(rules);
    EXPECT_TRUE(model.Build(year, month));
    return model.DayFlags(day);
  }

  HolidayArray rules;
};

TEST_F(ReadMeExamples, TheRuleOfEachTypeMarksItsDay) {
  const std::vector<std::string> tables = TableExamples();
  ASSERT_EQ(tables.size(), 2u);
  ASSERT_NO_FATAL_FAILURE(Load(tables[0]));
  ASSERT_EQ(rules.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rules[i]->type, i + 1);
  struct Day {
    int year, month, day;
  };
  // 3 November; the equinoxes of 2024; the second Monday of January 2026.
  for (const Day& d : {Day{2026, 11, 3}, Day{2024, 3, 20}, Day{2024, 9, 22}, Day{2026, 1, 12}}) {
    EXPECT_EQ(Flags(d.year, d.month, d.day) & 0x900u, 0x900u) << d.year << "-" << d.month;
  }
  EXPECT_EQ(Flags(2026, 1, 5) & 0x900u, 0u) << "the first Monday is no holiday";
}

TEST_F(ReadMeExamples, ACompanyTableMarksItsDaysOffAsOtherHolidays) {
  const std::vector<std::string> tables = TableExamples();
  ASSERT_EQ(tables.size(), 2u);
  ASSERT_NO_FATAL_FAILURE(Load(tables[1]));
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(Flags(2026, 6, 1) & 0xC00u, 0xC00u);
  EXPECT_EQ(Flags(2026, 12, 30) & 0xC00u, 0xC00u);
  EXPECT_EQ(Flags(2026, 12, 29) & 0xC00u, 0u);
}

TEST(ReadMeSettings, TheSettingsUsersMayEditAreInTheShippedFile) {
  const std::string readMe = ReadSource("README.md");
  const std::string shipped = ReadSource("resources/Settings.xml");
  for (const char* element :
       {"MemoXml", "Buttons", "AutoDisplayNow", "ExternApps", "HolidayTable01", "HolidayInfo"}) {
    EXPECT_NE(readMe.find(std::string("`") + element), std::string::npos) << element;
    EXPECT_NE(shipped.find(std::string("<") + element), std::string::npos) << element;
  }
}

}  // namespace
