// The local copies of the holiday tables: falling back to them, refreshing them with a new
// version and recording that version in the settings file without disturbing anything else,
// the order of the tables, and the copy of the shipped table on the first start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/month_model.h"
#include "docs/holiday_tables.h"
#include "docs/settings.h"
#include "temp_data_folder.h"
#include "tests/common/test_files.h"

namespace {

// Shift_JIS holiday names.
const char* const kGanjitsu = "\x8c\xb3\x93\xfa";
const char* const kSeijin = "\x90\xac\x90\x6c\x82\xcc\x93\xfa";
const char* const kKenpo = "\x8c\x9b\x96\x40\x8b\x4c\x94\x4f\x93\xfa";

const std::string kShippedTable = std::string(ZANTO_SOURCE_DIR) + "/resources/Holidays00.xml";
const std::string kShippedSettings = std::string(ZANTO_SOURCE_DIR) + "/resources/Settings.xml";

// Results a download can end with.
constexpr int kSendFailed = -4;
constexpr int kNoLastModified = -7;

// A settings file with table 0 configured as given and other settings around it that must
// survive every rewrite.
std::string Settings(int localCopy, int localVer) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
         "<ZantoSettings>\n"
         "  <!-- \x90\xdd\x92\xe8 -->\n"
         "  <HolidayInfo>\n"
         "    <HolidayTable00 LocalCopy=\"" + std::to_string(localCopy) + "\" LocalVer=\"" +
         std::to_string(localVer) + "\">http://127.0.0.1/Holidays00.xml</HolidayTable00>\n"
         "    <HolidayTable01 LocalCopy=\"1\" LocalVer=\"3\"></HolidayTable01>\n"
         "  </HolidayInfo>\n"
         "  <Options>\n"
         "    <MemoXml>ZantoMemo</MemoXml>\n"
         "    <WinPos><Top>120</Top><Left>-40</Left></WinPos>\n"
         "    <CustColor>ffffff,00ff00,0000ff</CustColor>\n"
         "  </Options>\n"
         "  <ExternApps><ExternApp menu=\"\x83\x81\x83\x82\" verb=\"open\">C:\\a b\\c.txt</ExternApp></ExternApps>\n"
         "</ZantoSettings>\n";
}


XMLElement* TableEntry(XMLDocument& doc, int table) {
  XMLElement* info = FirstChild(doc.RootElement(), "HolidayInfo");
  std::string name = "HolidayTable0" + std::to_string(table);
  return FirstChild(info, name.c_str());
}

// The settings file as a document with the "LocalVer" of one table taken out: two files that
// differ only in that attribute give the same text.
std::string WithoutLocalVer(const std::string& xml, int table) {
  XMLDocument doc;
  EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
  if (XMLElement* entry = TableEntry(doc, table)) entry->DeleteAttribute("LocalVer");
  return Print(doc);
}

int LocalVerInFile(const std::string& xml, int table) {
  XMLDocument doc;
  EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
  XMLElement* entry = TableEntry(doc, table);
  return entry ? entry->IntAttribute("LocalVer", -12345) : -12345;
}

std::vector<std::string> Names(const HolidayArray& rules) {
  std::vector<std::string> names;
  for (const Holiday* rule : rules) names.push_back(rule->name);
  return names;
}

class HolidayTables : public TempDataFolder {
 protected:
  // Writes the settings file and reads the holiday entries from it, as the start-up does.
  void UseSettings(const std::string& xml) {
    WriteFile("Settings.xml", xml);
    LoadFiles();
  }

  void LoadFiles() {
    XMLDocument doc;
    ASSERT_EQ(LoadXmlFile(doc, SettingsPath), tinyxml2::XML_SUCCESS);
    files = CFileInfoArray();
    files.Load(FirstChild(doc.RootElement(), "HolidayInfo"));
  }

  // Opens a table written into the data folder, standing for a downloaded one.
  int OpenSource(const std::string& table, int result = 0) {
    WriteFile("source.xml", table);
    doc.LoadFile(Path("source.xml"));
    return result;
  }

  HolidayTableUse Use(int result, int table = 0) {
    return UseHolidayTable(files, table, doc, result, rules);
  }

  CFileInfoArray files;
  HolidaysDoc doc;
  HolidayArray rules;
};

TEST_F(HolidayTables, NewVersionReplacesLocalCopyAndOnlyLocalVerChangesInSettings) {
  std::string settings = Settings(1, 4);
  UseSettings(settings);
  WriteFile("Holidays00.xml", Table("4", Rule(1, 1, "Old", 1, 2)));
  std::string downloaded = Table("5", Rule(1, 1, kGanjitsu, 1, 1) + Rule(4, 1, kSeijin, 1, 8));

  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);

  EXPECT_EQ(Names(rules), (std::vector<std::string>{kGanjitsu, kSeijin}));
  EXPECT_EQ(doc.document, nullptr) << "the document is discarded once its rules are taken";
  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), 5);
  std::string copyBytes = ReadFile("Holidays00.xml");
  EXPECT_NE(copyBytes.find("encoding=\"Shift_JIS\""), std::string::npos);
  EXPECT_NE(copyBytes.find(kSeijin), std::string::npos) << "names are kept as Shift_JIS bytes";

  std::string after = ReadFile("Settings.xml");
  EXPECT_EQ(LocalVerInFile(after, 0), 5);
  EXPECT_EQ(WithoutLocalVer(after, 0), WithoutLocalVer(settings, 0));
  EXPECT_EQ(files[0].LocalVer, 4) << "the version in memory stays what was read at start-up";
  EXPECT_EQ(Files(), (std::vector<std::string>{"Holidays00.xml", "Settings.xml", "source.xml"}))
      << "no temporary file is left behind";
}

TEST_F(HolidayTables, NothingIsWrittenForTheRecordedVersionOrWithoutLocalCopy) {
  const std::string oldCopy = Table("5", Rule(1, 1, "Old", 1, 2));
  const std::string downloaded = Table("5", Rule(1, 1, kGanjitsu, 1, 1));
  struct Case {
    int localCopy, localVer;
    bool copyExists;
  };
  for (Case c : {Case{1, 5, true}, Case{0, 4, true}, Case{0, 4, false}}) {
    SCOPED_TRACE(testing::Message() << "LocalCopy " << c.localCopy << " LocalVer " << c.localVer);
    std::filesystem::remove(Path("Holidays00.xml"));
    std::string settings = Settings(c.localCopy, c.localVer);
    UseSettings(settings);
    if (c.copyExists) WriteFile("Holidays00.xml", oldCopy);
    rules.Clear();

    EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);

    EXPECT_EQ(Names(rules), std::vector<std::string>{kGanjitsu});
    EXPECT_EQ(ReadFile("Settings.xml"), settings);
    EXPECT_EQ(std::filesystem::exists(Path("Holidays00.xml")), c.copyExists);
    if (c.copyExists) EXPECT_EQ(ReadFile("Holidays00.xml"), oldCopy);
  }
}

TEST_F(HolidayTables, TableWithoutVersionIsSavedOnceAndRecordedAsMinusOne) {
  const std::string downloaded = Table(nullptr, Rule(1, 1, "NoVersion", 2, 11));
  UseSettings(Settings(1, 0));
  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);
  ASSERT_TRUE(std::filesystem::exists(Path("Holidays00.xml")));
  const std::string settings = ReadFile("Settings.xml");
  EXPECT_EQ(LocalVerInFile(settings, 0), -1);

  // The next start reads -1, the version such a table has: nothing is saved again.
  const std::string marked = Table(nullptr, Rule(1, 1, "Marked", 2, 11));
  WriteFile("Holidays00.xml", marked);
  UseSettings(settings);
  EXPECT_EQ(files[0].LocalVer, -1);
  rules.Clear();
  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);
  EXPECT_EQ(ReadFile("Holidays00.xml"), marked);
  EXPECT_EQ(ReadFile("Settings.xml"), settings);
}

TEST_F(HolidayTables, FailedSourceFallsBackToTheLocalCopyOnlyWhenOneIsKept) {
  const std::string copy = Table("3", Rule(1, 1, "FromCopy", 5, 3));
  const std::string downloaded = Table("9", Rule(1, 1, "FromServer", 5, 4));
  std::string settings = Settings(1, 3);
  UseSettings(settings);
  WriteFile("Holidays00.xml", copy);

  // No connection: nothing was downloaded.
  EXPECT_EQ(Use(kSendFailed), TABLE_FROM_LOCAL_COPY);
  EXPECT_EQ(Names(rules), std::vector<std::string>{"FromCopy"});

  // A body without Last-Modified is parsed but counts as a failed download: the copy is used
  // and the newer version is neither saved nor recorded.
  rules.Clear();
  EXPECT_EQ(Use(OpenSource(downloaded, kNoLastModified)), TABLE_FROM_LOCAL_COPY);
  EXPECT_EQ(Names(rules), std::vector<std::string>{"FromCopy"});
  EXPECT_EQ(ReadFile("Holidays00.xml"), copy);
  EXPECT_EQ(ReadFile("Settings.xml"), settings);

  // Without LocalCopy the table is missing, even though a document was held.
  UseSettings(Settings(0, 3));
  rules.Clear();
  EXPECT_EQ(Use(OpenSource(downloaded, kNoLastModified)), TABLE_UNUSED);
  EXPECT_TRUE(rules.empty());
  EXPECT_EQ(doc.document, nullptr);

  // A local copy that is missing or broken supplies nothing.
  UseSettings(settings);
  for (const char* broken : {"", "<HolidayTable><Holidays>"}) {
    WriteFile("Holidays00.xml", broken);
    rules.Clear();
    EXPECT_EQ(Use(kSendFailed), TABLE_UNUSED);
    EXPECT_TRUE(rules.empty());
    EXPECT_EQ(ReadFile("Holidays00.xml"), broken);
  }
  std::filesystem::remove(Path("Holidays00.xml"));
  EXPECT_EQ(Use(kSendFailed), TABLE_UNUSED);
  EXPECT_FALSE(std::filesystem::exists(Path("Holidays00.xml")));
}

TEST_F(HolidayTables, VersionIsRecordedOnlyAfterTheCopyWasSavedAndIntoReadableSettingsOnly) {
  const std::string downloaded = Table("6", Rule(1, 1, kKenpo, 5, 3));

  // The copy cannot be written: the version stays, so the next start tries again.
  std::string settings = Settings(1, 5);
  UseSettings(settings);
  std::filesystem::create_directory(Path("Holidays00.xml"));
  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);
  EXPECT_EQ(Names(rules), std::vector<std::string>{kKenpo}) << "the table is used all the same";
  EXPECT_EQ(ReadFile("Settings.xml"), settings);
  std::filesystem::remove(Path("Holidays00.xml"));

  // A settings file that no longer parses is never rewritten; the copy is still saved.
  UseSettings(settings);
  const std::string brokenSettings = settings.substr(0, settings.size() / 2);
  WriteFile("Settings.xml", brokenSettings);
  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);
  EXPECT_EQ(ReadFile("Settings.xml"), brokenSettings);
  EXPECT_NE(ReadFile("Holidays00.xml").find("<Version>6</Version>"), std::string::npos);

  // Nor is a missing settings file created.
  std::filesystem::remove(Path("Settings.xml"));
  std::filesystem::remove(Path("Holidays00.xml"));
  EXPECT_EQ(Use(OpenSource(downloaded)), TABLE_FROM_SOURCE);
  EXPECT_FALSE(std::filesystem::exists(Path("Settings.xml")));
}

TEST_F(HolidayTables, DocumentThatIsNoHolidayTableNeverReplacesTheLocalCopy) {
  const std::string copy = Table("2", Rule(1, 1, kGanjitsu, 1, 1));
  std::string settings = Settings(1, 2);
  UseSettings(settings);
  WriteFile("Holidays00.xml", copy);

  // Well-formed answers that are not tables: an error document, a page, a table's version alone.
  for (const char* answer : {"<?xml version=\"1.0\"?><Error><Code>AccessDenied</Code></Error>",
                             "<html><body>Sign in to continue</body></html>",
                             "<HolidayTable><Version>3</Version></HolidayTable>"}) {
    SCOPED_TRACE(answer);
    rules.Clear();
    EXPECT_EQ(Use(OpenSource(answer)), TABLE_FROM_LOCAL_COPY);
    EXPECT_EQ(Names(rules), std::vector<std::string>{kGanjitsu});
    EXPECT_EQ(ReadFile("Holidays00.xml"), copy);
    EXPECT_EQ(ReadFile("Settings.xml"), settings);
  }

  // An empty rule list is still a table: it replaces the copy.
  EXPECT_EQ(Use(OpenSource(Table("3", ""))), TABLE_FROM_SOURCE);
  EXPECT_EQ(LocalVerInFile(ReadFile("Settings.xml"), 0), 3);
}

TEST_F(HolidayTables, MissingLocalCopyIsWrittenAgainAtTheRecordedVersion) {
  std::string settings = Settings(1, 5);
  UseSettings(settings);

  EXPECT_EQ(Use(OpenSource(Table("5", Rule(1, 1, kGanjitsu, 1, 1)))), TABLE_FROM_SOURCE);

  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), 5);
  EXPECT_EQ(ReadFile("Settings.xml"), settings) << "the recorded version was already right";
}

TEST_F(HolidayTables, AbsurdRulesMarkNoDayAndCrashNothing) {
  std::string absurd = Rule(1, 1, "Day99", 1, 99) + Rule(1, 1, "Month13", 13, 1) +
                       Rule(42, 1, "Type42", 1, 1) + Rule(1, 1, "DayMinus", 2, -5) +
                       Rule(4, 1, "Weekday", 3, 40) + Rule(5, 1, "Between", 4, 0) +
                       Rule(2, 1, "Equinox", 0, 0) + Rule(-7, 0x7fffffff, "Kind", 6, 6) +
                       "<Holiday type=\"0x7fffffff\" kind=\"-1\"><StartYear>-2147483648</StartYear>"
                       "<EndYear>2147483647</EndYear><Month>7</Month><Day>2147483647</Day>"
                       "<DayOfWeek>-2147483648</DayOfWeek></Holiday>"
                       "<Holiday type=\"4\" kind=\"1\"><Month>8</Month><Day>2147483640</Day>"
                       "<DayOfWeek>2147483647</DayOfWeek></Holiday>";
  UseSettings(Settings(1, 0));

  EXPECT_EQ(Use(OpenSource(Table("99999999999", absurd))), TABLE_FROM_SOURCE);

  EXPECT_EQ(rules.size(), 10u);
  CMonthModel model(rules);
  for (int year : {1582, 2024, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      if (!model.Build(year, month)) continue;
      for (int day = 1; day <= model.DaysInMonth(); ++day) {
        EXPECT_EQ(model.DayFlags(day) & 0xFF00, 0u) << year << "/" << month << "/" << day;
      }
    }
  }
  HolidaysDoc copy;
  EXPECT_EQ(copy.LoadFile(LocalCopyPath(0)), 0) << "a well-formed table is kept as it is";
}

// The address Settings() gives table 0, here standing for the product's own.
const char kProductAddress[] = "http://127.0.0.1/Holidays00.xml";

class ShippedHolidayTable : public HolidayTables {
 protected:
  void SetUp() override {
    HolidayTables::SetUp();
    ASSERT_EQ(shipped.LoadFile(kShippedTable), 0);
    shippedVersion = shipped.Version();
    ASSERT_GE(shippedVersion, 1);
    product = ShippedHolidays{kShippedTable, kProductAddress};
  }

  HolidaysDoc shipped;
  int shippedVersion = 0;
  ShippedHolidays product;
};

TEST_F(ShippedHolidayTable, IsCopiedByteForByteOnceAndNeverOverAnExistingCopy) {
  std::string settings = Settings(1, shippedVersion);
  UseSettings(settings);

  EXPECT_TRUE(CopyShippedHolidayTable(product, files));
  EXPECT_EQ(ReadFile("Holidays00.xml"), ::ReadFile(kShippedTable));
  EXPECT_EQ(ReadFile("Settings.xml"), settings);

  const std::string own = Table("77", Rule(1, 1, "Own", 1, 1));
  WriteFile("Holidays00.xml", own);
  EXPECT_FALSE(CopyShippedHolidayTable(product, files));
  EXPECT_EQ(ReadFile("Holidays00.xml"), own);

  std::filesystem::remove(Path("Holidays00.xml"));
  EXPECT_FALSE(CopyShippedHolidayTable(ShippedHolidays{Path("missing.xml"), kProductAddress}, files));
  WriteFile("broken.xml", "<HolidayTable><Holidays>");
  EXPECT_FALSE(CopyShippedHolidayTable(ShippedHolidays{Path("broken.xml"), kProductAddress}, files));
  EXPECT_FALSE(std::filesystem::exists(Path("Holidays00.xml")));
}

TEST_F(ShippedHolidayTable, CopyRecordsItsVersionSoTheNextDownloadReplacesIt) {
  // Settings that recorded a later download whose copy has gone.
  UseSettings(Settings(1, shippedVersion + 6));

  ASSERT_TRUE(CopyShippedHolidayTable(product, files));
  EXPECT_EQ(files[0].LocalVer, shippedVersion);
  EXPECT_EQ(LocalVerInFile(ReadFile("Settings.xml"), 0), shippedVersion);

  std::string later = std::to_string(shippedVersion + 6);
  EXPECT_EQ(Use(OpenSource(Table(later.c_str(), Rule(1, 1, "Later", 1, 1)))), TABLE_FROM_SOURCE);
  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), shippedVersion + 6);
}

TEST_F(ShippedHolidayTable, OfflineFirstStartWithTheShippedSettingsShowsTheNationalHolidays) {
  if (!std::filesystem::exists(kShippedSettings)) GTEST_SKIP() << "no shipped Settings.xml yet";
  std::filesystem::copy_file(kShippedSettings, Path("Settings.xml"));
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  CFileInfoArray& shippedFiles = settings.HolidayInfo;
  EXPECT_EQ(shippedFiles[0].LocalCopy, 1);
  EXPECT_EQ(shippedFiles[0].LocalVer, shippedVersion) << "the shipped copy counts as up to date";
  std::string settingsBytes = ReadFile("Settings.xml");

  const ShippedHolidays beside{kShippedTable, ShippedHolidayAddress(kShippedSettings)};
  EXPECT_EQ(beside.address, shippedFiles[0].Source);
  ASSERT_TRUE(CopyShippedHolidayTable(beside, shippedFiles));
  // Without a network every web source fails; local paths are read as files.
  LoadHolidayTableList(
      shippedFiles, rules,
      [](HolidaysDoc& target, const std::string& source) {
        return source.rfind("http", 0) == 0 ? kSendFailed : target.LoadFile(source);
      },
      beside);

  CMonthModel january(rules);
  ASSERT_TRUE(january.Build(2024, 1));
  EXPECT_STREQ(january.HolidayName(1), kGanjitsu);
  EXPECT_STREQ(january.HolidayName(8), kSeijin);
  EXPECT_EQ(january.DayFlags(8) & 0x900, 0x900u);
  EXPECT_EQ(ReadFile("Settings.xml"), settingsBytes);
}

// Settings files whose table 0 is not the product's: a company calendar, no "HolidayInfo" at
// all, or table 0 switched off. None gets the shipped table, and none is rewritten.
TEST_F(ShippedHolidayTable, IsNeverCopiedForATableOfTheUsersOrNoTableAtAll) {
  const std::string own = Settings(1, 0);
  std::string company = own;
  company.replace(company.find(kProductAddress), sizeof kProductAddress - 1,
                  "http://intra.example.co.jp/calendar.xml");
  std::string switchedOff = own;
  switchedOff.replace(switchedOff.find(kProductAddress), sizeof kProductAddress - 1, "");
  const std::string withoutInfo =
      "<?xml version=\"1.0\"?>\n<ZantoSettings><Options><AlwaysBottom>0</AlwaysBottom></Options></ZantoSettings>\n";
  for (const std::string& settings : {company, switchedOff, withoutInfo}) {
    SCOPED_TRACE(settings);
    UseSettings(settings);
    const int recorded = files[0].LocalVer;
    EXPECT_FALSE(CopyShippedHolidayTable(product, files));
    EXPECT_FALSE(std::filesystem::exists(Path("Holidays00.xml")));
    EXPECT_EQ(ReadFile("Settings.xml"), settings);
    EXPECT_EQ(files[0].LocalVer, recorded);
  }
  EXPECT_FALSE(CopyShippedHolidayTable(ShippedHolidays{kShippedTable, ""}, files))
      << "shipped settings without an address make no table the product's";
}

}  // namespace
