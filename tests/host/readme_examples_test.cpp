// The examples of README.md work as written: its holiday tables load and mark the days they
// describe, and the settings it tells users to edit exist in the shipped settings file.
#include <gtest/gtest.h>

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

class ReadMeExamples : public TempDataFolder {};

TEST_F(ReadMeExamples, HolidayTablesMarkTheDaysTheyDescribe) {
  struct Day {
    int year, month, day;
    uint32_t bits;  // the bits the day must carry, or 0 when it must carry none of 0xF00
  };
  // The rule of each type: 3 November, the equinoxes of 2024, the second (not the first)
  // Monday of January 2026; then the company's days off.
  const std::vector<std::vector<Day>> expected = {
      {{2026, 11, 3, 0x900}, {2024, 3, 20, 0x900}, {2024, 9, 22, 0x900}, {2026, 1, 12, 0x900},
       {2026, 1, 5, 0}},
      {{2026, 6, 1, 0xC00}, {2026, 12, 30, 0xC00}, {2026, 12, 29, 0}},
  };
  const std::string readMe = ReadSource("README.md");
  size_t table = 0;
  for (size_t at = readMe.find("```xml\n"); at != std::string::npos;
       at = readMe.find("```xml\n", at + 1)) {
    const std::string block = readMe.substr(at + 7, readMe.find("```", at + 7) - at - 7);
    if (block.find("<HolidayTable>") == std::string::npos) continue;
    ASSERT_LT(table, expected.size());
    WriteFile("example.xml", block);
    HolidaysDoc doc;
    ASSERT_EQ(doc.LoadFile(Path("example.xml")), 0) << "table " << table;
    HolidayArray rules;
    doc.AppendRules(rules);
    for (const Day& d : expected[table]) {
      CMonthModel model(rules);
      ASSERT_TRUE(model.Build(d.year, d.month));
      EXPECT_EQ(model.DayFlags(d.day) & 0xF00u, d.bits) << d.year << "-" << d.month << "-" << d.day;
    }
    ++table;
  }
  EXPECT_EQ(table, expected.size());
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
