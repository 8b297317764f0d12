// Downloading holiday tables with WinINet from a local HTTP server: good tables, missing
// headers, error statuses, redirects, garbage, short bodies, lying lengths, sources that are
// no web addresses and no server at all. What the start-up makes of each result (the local
// copy and the recorded version) is the host tests' part.
//
// The server is support/holiday_server.py (driver::TableServer), started once for all cases
// on 127.0.0.1 with an ephemeral port, and stopped at the end; it ends by itself after a
// minute without requests should the test die first.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/holiday_tables.h"
#include "docs/holidays_doc.h"
#include "support/table_server.h"
#include "tests/common/test_files.h"

namespace {

const char* const kGanjitsu = "\x8c\xb3\x93\xfa";
const char* const kSeijin = "\x90\xac\x90\x6c\x82\xcc\x93\xfa";

constexpr int kNotATable = -1001;
constexpr int kFileError = -1002;

std::vector<std::string> Names(const HolidayArray& rules) {
  std::vector<std::string> names;
  for (const Holiday* rule : rules) names.push_back(rule->name);
  return names;
}

class HolidayDownload : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "zanto-download-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::create_directories(root + "server");
    server = new driver::TableServer;
    serverStarted = server->Start(root + "server\\");
  }

  static void TearDownTestSuite() {
    server->Stop();
    delete server;
    server = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  void SetUp() override {
    ASSERT_TRUE(serverStarted) << "the test HTTP server did not start: " << server->error();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    data = root + test->name() + "\\";
    std::filesystem::create_directories(data);
    OverrideDataFolderForTesting(data);
    server->TakeRequests();
  }

  // Puts a file on the server; its address is server->Url("/<mode>/" + name).
  void Serve(const std::string& name, const std::string& bytes) { server->Serve(name, bytes); }

  // Writes the settings file and reads the holiday entries from it, as the start-up does.
  void UseSettings(const std::string& xml) {
    WriteFile(SettingsPath, xml);
    XMLDocument doc;
    ASSERT_EQ(LoadXmlFile(doc, SettingsPath), 0);
    files = CFileInfoArray();
    files.Load(FirstChild(doc.RootElement(), "HolidayInfo"));
  }

  static std::string root;
  static driver::TableServer* server;
  static bool serverStarted;
  std::string data;
  CFileInfoArray files;
  HolidayArray rules;
};

std::string HolidayDownload::root;
driver::TableServer* HolidayDownload::server = nullptr;
bool HolidayDownload::serverStarted = false;

TEST_F(HolidayDownload, GoodAnswerIsDownloadedWithTwoRequestsAndTheZantoAgent) {
  std::string table = Table("5", Rule(1, 1, kGanjitsu, 1, 1) + Rule(4, 1, kSeijin, 1, 8));
  Serve("good.xml", table);

  HolidaysDoc doc;
  EXPECT_EQ(doc.Open(server->Url("/ok/good.xml")), 0);

  EXPECT_EQ(doc.origin, HOLIDAYS_DOWNLOADED);
  EXPECT_EQ(doc.Version(), 5);
  doc.AppendRules(rules);
  EXPECT_EQ(Names(rules), (std::vector<std::string>{kGanjitsu, kSeijin}))
      << "Shift_JIS names arrive as they were sent";
  std::vector<std::string> expected(2, "/ok/good.xml\tWININET Zanto");
  EXPECT_EQ(server->TakeRequests(), expected);

  // Reading a file over it replaces the downloaded document.
  WriteFile(data + "local.xml", Table("1", Rule(1, 1, "Local", 2, 2)));
  EXPECT_EQ(doc.Open(data + "local.xml"), 0);
  EXPECT_EQ(doc.origin, HOLIDAYS_LOCAL_FILE);
  EXPECT_EQ(doc.Version(), 1);
}

TEST_F(HolidayDownload, EveryOtherAnswerOrSourceFailsWithItsOwnResult) {
  std::string table = Table("7", Rule(1, 1, "FromServer", 5, 4) + Rule(1, 1, "Second", 5, 5));
  Serve("table.xml", table);
  std::string garbage = "\x89PNG\r\n\x1a\n";
  for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  Serve("garbage.bin", garbage);
  Serve("text.txt", "Holidays 2024: 1/1, 1/8, 2/11\n");
  Serve("empty.xml", "");
  WriteFile(data + "own table.xml", Table("1", Rule(1, 1, "Own", 6, 6)));
  const std::string closed = "://127.0.0.1:" + std::to_string(server->closedPort()) + "/Holidays00.xml";
  constexpr int kAnyFailure = 1;       // some result below 0
  constexpr int kConnectionError = 2;  // below 0, above kNotATable
  constexpr size_t kAnyCount = SIZE_MAX;
  struct Case {
    std::string source;
    int result;
    uint8_t origin;
    size_t requests;
  };
  const Case cases[] = {
      // A status other than 200 fails without a body, and a redirect is not followed.
      {server->Url("/status/404/table.xml"), -404, HOLIDAYS_NONE, 1},
      {server->Url("/status/301/table.xml"), -301, HOLIDAYS_NONE, 1},
      {server->Url("/status/302/table.xml"), -302, HOLIDAYS_NONE, 1},
      {server->Url("/status/304/table.xml"), -304, HOLIDAYS_NONE, 1},
      {server->Url("/status/500/table.xml"), -500, HOLIDAYS_NONE, 1},
      // Without Last-Modified the table is taken all the same.
      {server->Url("/nolastmod/table.xml"), 0, HOLIDAYS_DOWNLOADED, 2},
      {server->Url("/ok/garbage.bin"), kNotATable, HOLIDAYS_NONE, 2},
      {server->Url("/ok/text.txt"), kAnyFailure, HOLIDAYS_NONE, 2},
      {server->Url("/ok/empty.xml"), kAnyFailure, HOLIDAYS_NONE, 2},
      {server->Url("/nolength/table.xml"), kNotATable, HOLIDAYS_NONE, 2},  // nothing is read
      {server->Url("/truncated/table.xml"), kAnyFailure, HOLIDAYS_NONE, 2},  // closed half-way
      {server->Url("/claims/3000000/table.xml"), kAnyFailure, HOLIDAYS_NONE, 2},  // half a body
      // Gigabytes announced: the body is never asked for; whichever way the length is
      // misread, it must fail.
      {server->Url("/claims/4000000000/table.xml"), kAnyFailure, HOLIDAYS_NONE, 1},
      {server->Url("/claims/99999999999999/table.xml"), kAnyFailure, HOLIDAYS_NONE, kAnyCount},
      {server->Url("/flip/table.xml"), kAnyFailure, HOLIDAYS_NONE, 2},  // an error page second
      {"http" + closed, kConnectionError, HOLIDAYS_NONE, 0},
      {"https" + closed, kConnectionError, HOLIDAYS_NONE, 0},
      // Sources that are no web addresses are read as files.
      {"ftp://127.0.0.1/Holidays00.xml", kFileError, HOLIDAYS_NONE, 0},
      {"file://" + data + "own table.xml", kFileError, HOLIDAYS_NONE, 0},
      {"file:///C:/Holidays00.xml", kFileError, HOLIDAYS_NONE, 0},
      {"http://" + std::string(70, 'h') + ":" + std::to_string(server->port()) + "/ok/a.xml", kFileError,
       HOLIDAYS_NONE, 0},
      {server->Url("/ok/" + std::string(130, 'p') + ".xml"), kFileError, HOLIDAYS_NONE, 0},
      {data + "missing.xml", kFileError, HOLIDAYS_NONE, 0},
      {"", kFileError, HOLIDAYS_NONE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    server->TakeRequests();
    HolidaysDoc doc;
    const int result = doc.Open(c.source);
    if (c.result == kAnyFailure) {
      EXPECT_LT(result, 0);
    } else if (c.result == kConnectionError) {
      EXPECT_LT(result, 0);
      EXPECT_GT(result, kNotATable) << "a connection error, not a file error";
    } else {
      EXPECT_EQ(result, c.result);
    }
    EXPECT_EQ(doc.origin, c.origin);
    EXPECT_EQ(doc.document != nullptr, c.origin == HOLIDAYS_DOWNLOADED);
    const size_t requests = server->TakeRequests().size();
    if (c.requests != kAnyCount) {
      EXPECT_EQ(requests, c.requests);
    }
  }
  // A path with a drive letter, blanks and backslashes is a file.
  HolidaysDoc own;
  EXPECT_EQ(own.Open(data + "own table.xml"), 0);
  EXPECT_EQ(own.origin, HOLIDAYS_LOCAL_FILE);
}

// Headers that take 8 s in steps shorter than the step time-out, then a body request that is
// never answered: the body request may wait only for what is left of the table's 9 s, not for
// a step time-out of its own.
TEST_F(HolidayDownload, TheBodyRequestWaitsNoLongerThanTheTablesDeadline) {
  Serve("table.xml", Table("7", Rule(1, 1, "Slow", 5, 4)));
  HolidaysDoc doc;
  const ULONGLONG began = GetTickCount64();
  EXPECT_LT(doc.Open(server->Url("/slowheaders/table.xml")), 0);
  const ULONGLONG took = GetTickCount64() - began;
  EXPECT_GE(took, 7500u) << "the headers came slowly";
  EXPECT_LE(took, 10500u) << "9 s for the table, and not a step time-out more";
  EXPECT_EQ(server->TakeRequests().size(), 2u);
}

TEST_F(HolidayDownload, TablesComeInOrderAndTheLaterNameWins) {
  Serve("first.xml", Table("1", Rule(1, 1, "First", 5, 3) + Rule(1, 1, "OnlyFirst", 5, 6)));
  Serve("second.xml", Table("1", Rule(1, 10, "Second", 5, 3)));
  WriteFile(data + "Holidays02.xml", Table("1", Rule(1, 11, "Own", 5, 3)));
  UseSettings("<S><HolidayInfo><HolidayTable00>" + server->Url("/ok/first.xml") +
              "</HolidayTable00><HolidayTable01>" + server->Url("/ok/second.xml") +
              "</HolidayTable01></HolidayInfo></S>");

  LoadHolidayTableList(files, rules,
                       [](HolidaysDoc& doc, const std::string& source) { return doc.Open(source); });

  EXPECT_EQ(Names(rules), (std::vector<std::string>{"First", "OnlyFirst", "Second", "Own"}));
  CMonthModel may(rules);
  ASSERT_TRUE(may.Build(2024, 5));
  EXPECT_STREQ(may.HolidayName(3), "Own");
  EXPECT_EQ(may.DayFlags(3) & 0xFF00, 0x900u | 0x1000u | 0x2000u);
  EXPECT_STREQ(may.HolidayName(6), "OnlyFirst");
}

}  // namespace
