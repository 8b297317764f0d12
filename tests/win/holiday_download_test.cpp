// Downloading holiday tables with WinINet from a local HTTP server, and what the local-copy
// policy makes of every kind of answer: good tables, missing headers, error statuses,
// redirects, garbage, short bodies, lying lengths, absurd rules and no server at all.
//
// The server is support/holiday_server.py, started once for all cases on 127.0.0.1 with an
// ephemeral port. Under Wine it is started as a Linux process through ntdll's
// __wine_unix_spawnvp (elsewhere as "python" from the PATH); it writes its port into a file
// the test waits for. It is stopped with a /shutdown request at the end, and ends by itself
// after a minute without requests should the test die first.
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/holiday_tables.h"
#include "docs/holidays_doc.h"
#include "support/driver.h"
#include "tests/common/test_files.h"

namespace {

const char* const kGanjitsu = "\x8c\xb3\x93\xfa";
const char* const kSeijin = "\x90\xac\x90\x6c\x82\xcc\x93\xfa";

constexpr int kNotATable = -1001;
constexpr int kFileError = -1002;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// A Linux path as Wine's drive Z: shows it, or the path itself on Windows.
std::string UnixPath(const std::string& windowsPath) {
  using UnixFileName = char*(__cdecl*)(const wchar_t*);
  auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return windowsPath;
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = convert(wide.c_str());
  if (!unix) return windowsPath;
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// The test server: started on a folder whose files it serves; see holiday_server.py.
class HolidayServer {
 public:
  bool Start(const std::string& servedFolder) {
    folder = servedFolder;
    std::string script = std::string(ZANTO_SOURCE_DIR) + "/tests/win/support/holiday_server.py";
    if (!Spawn(script)) return false;
    std::string portFile = folder + "port";
    if (!driver::WaitUntil([&] { return Exists(portFile); }, 20000, 50)) return false;
    std::istringstream ports(ReadFile(portFile));
    ports >> port >> closedPort;
    return port > 0;
  }

  void Stop() {
    if (port) Fetch("/shutdown");
    port = 0;
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port) + path;
  }

  // Requests made since the last call, as "path<TAB>user agent" lines.
  std::vector<std::string> TakeRequests() {
    std::string logPath = folder + "requests.log";
    std::istringstream log(ReadFile(logPath));
    DeleteFileA(logPath.c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
  }

  std::string folder;
  int port = 0;
  int closedPort = 0;

 private:
  bool Spawn(const std::string& script) {
    using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
    auto spawn = reinterpret_cast<UnixSpawn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn) {
      process = driver::Process::StartAnsi("python \"" + script + "\" \"" + folder + "\"");
      return process.Started();
    }
    std::string unixFolder = UnixPath(folder);
    char python[] = "python3";
    std::vector<char*> argv = {python, const_cast<char*>(script.c_str()),
                               const_cast<char*>(unixFolder.c_str()), nullptr};
    return spawn(argv.data(), 0) == 0;
  }

  void Fetch(const std::string& path) {
    HINTERNET internet = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!internet) return;
    HINTERNET file = InternetOpenUrlA(internet, Url(path).c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (file) InternetCloseHandle(file);
    InternetCloseHandle(internet);
  }

  driver::Process process;
};

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
    server = new HolidayServer;
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
    ASSERT_TRUE(serverStarted) << "the test HTTP server did not start";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    data = root + test->name() + "\\";
    std::filesystem::create_directories(data);
    OverrideDataFolderForTesting(data);
    server->TakeRequests();
  }

  // Puts a file on the server; its address is server->Url("/<mode>/" + name).
  void Serve(const std::string& name, const std::string& bytes) {
    WriteFile(server->folder + name, bytes);
  }

  std::string Settings(const std::string& source, int localCopy, int localVer) {
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<ZantoSettings>\n  <HolidayInfo>\n"
           "    <HolidayTable00 LocalCopy=\"" + std::to_string(localCopy) + "\" LocalVer=\"" +
           std::to_string(localVer) + "\">" + source + "</HolidayTable00>\n  </HolidayInfo>\n"
           "  <Options><MemoXml>ZantoMemo</MemoXml><WinPos><Top>12</Top><Left>-3</Left></WinPos></Options>\n"
           "  <ExternApps><ExternApp menu=\"\x83\x81\x83\x82\" verb=\"open\">C:\\a b.txt</ExternApp></ExternApps>\n"
           "</ZantoSettings>\n";
  }

  // Writes the settings file and reads the holiday entries from it, as the start-up does.
  void UseSettings(const std::string& xml) {
    WriteFile(SettingsPath, xml);
    XMLDocument doc;
    ASSERT_EQ(LoadXmlFile(doc, SettingsPath), 0);
    files = CFileInfoArray();
    files.Load(FirstChild(doc.RootElement(), "HolidayInfo"));
  }

  // Opens table 0's source and applies the local-copy policy, as the start-up does.
  HolidayTableUse LoadTable0() {
    HolidaysDoc doc;
    int result = doc.Open(files[0].Source);
    return UseHolidayTable(files, 0, doc, result, rules);
  }

  static std::string root;
  static HolidayServer* server;
  static bool serverStarted;
  std::string data;
  CFileInfoArray files;
  HolidayArray rules;
};

std::string HolidayDownload::root;
HolidayServer* HolidayDownload::server = nullptr;
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

TEST_F(HolidayDownload, AnswerWithoutLastModifiedIsUsedAndRefreshesTheLocalCopy) {
  Serve("nolastmod.xml", Table("9", Rule(1, 1, "FromServer", 5, 4)));
  HolidaysDoc doc;
  EXPECT_EQ(doc.Open(server->Url("/nolastmod/nolastmod.xml")), 0);
  EXPECT_EQ(doc.origin, HOLIDAYS_DOWNLOADED);

  WriteFile(LocalCopyPath(0), Table("3", Rule(1, 1, "FromCopy", 5, 3)));
  UseSettings(Settings(server->Url("/nolastmod/nolastmod.xml"), 1, 3));
  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);
  EXPECT_EQ(Names(rules), std::vector<std::string>{"FromServer"});
  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), 9);
}

TEST_F(HolidayDownload, StatusOtherThan200FailsWithoutBodyAndRedirectsAreNotFollowed) {
  Serve("moved.xml", Table("5", Rule(1, 1, "Moved", 1, 1)));
  for (int status : {404, 301, 302, 304, 500}) {
    SCOPED_TRACE(status);
    std::string path = "/status/" + std::to_string(status) + "/moved.xml";
    HolidaysDoc doc;
    EXPECT_EQ(doc.Open(server->Url(path)), -status);
    EXPECT_EQ(doc.document, nullptr);
    EXPECT_EQ(doc.origin, HOLIDAYS_NONE);
    EXPECT_EQ(server->TakeRequests(), std::vector<std::string>{path + "\tWININET Zanto"})
        << "one request, and the Location is not visited";
  }
}

TEST_F(HolidayDownload, BadBodiesFailAndNeverTouchTheLocalCopyOrTheSettings) {
  std::string table = Table("7", Rule(1, 1, "FromServer", 5, 4) + Rule(1, 1, "Second", 5, 5));
  Serve("table.xml", table);
  std::string garbage = "\x89PNG\r\n\x1a\n";
  for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  Serve("garbage.bin", garbage);
  Serve("text.txt", "Holidays 2024: 1/1, 1/8, 2/11\n");
  Serve("empty.xml", "");
  struct Case {
    const char* path;
    size_t requests;  // 0: whichever way the length is misread, it must fail
  };
  const Case cases[] = {
      {"/ok/garbage.bin", 2},
      {"/ok/text.txt", 2},
      {"/ok/empty.xml", 2},
      {"/nolength/table.xml", 2},    // no Content-Length: nothing is read
      {"/truncated/table.xml", 2},   // the connection closes half-way
      {"/claims/3000000/table.xml", 2},  // a length under the limit, half a body
      {"/claims/4000000000/table.xml", 1},  // gigabytes announced: the body is never asked for
      {"/claims/99999999999999/table.xml", 0},
      {"/flip/table.xml", 2},        // a well-formed error document on the second request
  };
  std::string copy = Table("3", Rule(1, 1, "FromCopy", 5, 3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    WriteFile(LocalCopyPath(0), copy);
    std::string settings = Settings(server->Url(c.path), 1, 3);
    UseSettings(settings);
    rules.Clear();
    server->TakeRequests();

    HolidaysDoc doc;
    EXPECT_LT(doc.Open(files[0].Source), 0);
    EXPECT_EQ(doc.document, nullptr);
    size_t requests = server->TakeRequests().size();
    if (c.requests) {
      EXPECT_EQ(requests, c.requests);
    }

    EXPECT_EQ(LoadTable0(), TABLE_FROM_LOCAL_COPY);
    EXPECT_EQ(Names(rules), std::vector<std::string>{"FromCopy"});
    EXPECT_EQ(ReadFile(LocalCopyPath(0)), copy);
    EXPECT_EQ(ReadFile(SettingsPath), settings);
  }
  HolidaysDoc doc;
  EXPECT_EQ(doc.Open(server->Url("/ok/garbage.bin")), kNotATable);
  EXPECT_EQ(doc.Open(server->Url("/nolength/table.xml")), kNotATable);
}

TEST_F(HolidayDownload, TableWithAbsurdRulesIsTakenAndMarksNoDay) {
  Serve("absurd.xml", Table("2", Rule(1, 1, "Day99", 1, 99) + Rule(1, 1, "Month13", 13, 1) +
                                     Rule(42, 1, "Type42", 3, 3) + Rule(4, 1, "Week", 4, 2147483640) +
                                     Rule(5, 1, "Between", 5, -1)));
  UseSettings(Settings(server->Url("/ok/absurd.xml"), 1, 1));

  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);

  EXPECT_EQ(rules.size(), 5u);
  CMonthModel model(rules);
  for (int month = 1; month <= 12; ++month) {
    ASSERT_TRUE(model.Build(2024, month));
    for (int day = 1; day <= model.DaysInMonth(); ++day) EXPECT_EQ(model.DayFlags(day) & 0xFF00, 0u);
  }
  HolidaysDoc copy;
  EXPECT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), 2);
}

TEST_F(HolidayDownload, SourcesThatAreNoWebAddressesAreReadAsFiles) {
  WriteFile(data + "own table.xml", Table("1", Rule(1, 1, "Own", 6, 6)));
  HolidaysDoc doc;
  EXPECT_EQ(doc.Open(data + "own table.xml"), 0) << "a path with a drive letter and backslashes";
  EXPECT_EQ(doc.origin, HOLIDAYS_LOCAL_FILE);

  std::string longHost = "http://" + std::string(70, 'h') + ":" + std::to_string(server->port) + "/ok/a.xml";
  std::string longPath = server->Url("/ok/" + std::string(130, 'p') + ".xml");
  for (const std::string& source : std::vector<std::string>{"ftp://127.0.0.1/Holidays00.xml", "file://" + data + "own table.xml",
                             "file:///C:/Holidays00.xml", longHost, longPath, data + "missing.xml",
                             std::string("")}) {
    SCOPED_TRACE(source);
    EXPECT_EQ(doc.Open(source), kFileError);
    EXPECT_EQ(doc.document, nullptr);
    EXPECT_EQ(doc.origin, HOLIDAYS_NONE);
  }
  EXPECT_TRUE(server->TakeRequests().empty());
}

TEST_F(HolidayDownload, NewVersionIsSavedAndRecordedAndTheSameVersionIsOnlyUsed) {
  Serve("v5.xml", Table("5", Rule(1, 1, kGanjitsu, 1, 1)));
  std::string url = server->Url("/ok/v5.xml");
  std::string oldCopy = Table("5", Rule(1, 1, "OldCopy", 1, 2));

  // LocalVer 5: used, not saved.
  WriteFile(LocalCopyPath(0), oldCopy);
  std::string settings = Settings(url, 1, 5);
  UseSettings(settings);
  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);
  EXPECT_EQ(Names(rules), std::vector<std::string>{kGanjitsu});
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), oldCopy);
  EXPECT_EQ(ReadFile(SettingsPath), settings);

  // LocalVer 4 and LocalCopy 1: saved, and only "LocalVer" changes in the settings file.
  UseSettings(Settings(url, 1, 4));
  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);
  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), 5);
  XMLDocument written;
  ASSERT_EQ(LoadXmlFile(written, SettingsPath), 0);
  XMLElement* entry = FirstChild(FirstChild(written.RootElement(), "HolidayInfo"), "HolidayTable00");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->IntAttribute("LocalVer"), 5);
  entry->SetAttribute("LocalVer", 4);
  XMLDocument expected;
  ASSERT_EQ(expected.Parse(Settings(url, 1, 4).c_str()), 0);
  tinyxml2::XMLPrinter a(nullptr, true), b(nullptr, true);
  written.Print(&a);
  expected.Print(&b);
  EXPECT_STREQ(a.CStr(), b.CStr());
}

TEST_F(HolidayDownload, TableWithoutVersionIsSavedOnceWithMinusOne) {
  Serve("noversion.xml", Table(nullptr, Rule(1, 1, "NoVersion", 2, 11)));
  std::string url = server->Url("/ok/noversion.xml");
  UseSettings(Settings(url, 1, 0));
  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);
  ASSERT_TRUE(Exists(LocalCopyPath(0)));

  std::string marked = Table(nullptr, Rule(1, 1, "Marked", 2, 11));
  WriteFile(LocalCopyPath(0), marked);
  std::string settings = ReadFile(SettingsPath);
  UseSettings(settings);
  EXPECT_EQ(files[0].LocalVer, -1);
  EXPECT_EQ(LoadTable0(), TABLE_FROM_SOURCE);
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), marked);
  EXPECT_EQ(ReadFile(SettingsPath), settings);
}

TEST_F(HolidayDownload, WithoutServerTheLocalCopySuppliesTheRulesOnlyWhenKept) {
  std::string copy = Table("3", Rule(1, 1, "FromCopy", 5, 3));
  WriteFile(LocalCopyPath(0), copy);
  for (const char* scheme : {"http", "https"}) {
    SCOPED_TRACE(scheme);
    std::string url = std::string(scheme) + "://127.0.0.1:" + std::to_string(server->closedPort) + "/Holidays00.xml";
    HolidaysDoc doc;
    int result = doc.Open(url);
    EXPECT_LT(result, 0);
    EXPECT_GT(result, kNotATable) << "a connection error, not a file error";

    UseSettings(Settings(url, 1, 3));
    rules.Clear();
    EXPECT_EQ(LoadTable0(), TABLE_FROM_LOCAL_COPY);
    EXPECT_EQ(Names(rules), std::vector<std::string>{"FromCopy"});

    UseSettings(Settings(url, 0, 3));
    rules.Clear();
    EXPECT_EQ(LoadTable0(), TABLE_UNUSED);
    EXPECT_TRUE(rules.empty());
  }
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), copy);
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

// The first start with the shipped holiday table beside the program.
TEST_F(HolidayDownload, FirstStartUsesTheShippedTableOfflineAndANewerOneOnline) {
  std::wstring folder = driver::ProgramFolder();
  std::string shippedPath = std::string(folder.begin(), folder.end()) + "Holidays00.xml";
  HolidaysDoc shipped;
  ASSERT_EQ(shipped.LoadFile(shippedPath), 0) << shippedPath;
  int version = shipped.Version();
  auto open = [](HolidaysDoc& doc, const std::string& source) { return doc.Open(source); };

  std::string offline = "http://127.0.0.1:" + std::to_string(server->closedPort) + "/Holidays00.xml";
  std::string settings = Settings(offline, 1, version);
  UseSettings(settings);
  ASSERT_TRUE(CopyShippedHolidayTable(ShippedHolidays{shippedPath, offline}, files));
  LoadHolidayTableList(files, rules, open);
  CMonthModel january(rules);
  ASSERT_TRUE(january.Build(2024, 1));
  EXPECT_STREQ(january.HolidayName(1), kGanjitsu);
  EXPECT_STREQ(january.HolidayName(8), kSeijin);
  EXPECT_EQ(ReadFile(SettingsPath), settings);

  // Online, a newer table replaces the copy; the next start does not copy the shipped one again.
  std::string newer = std::to_string(version + 1);
  Serve("newer.xml", Table(newer.c_str(), Rule(1, 1, "Newer", 1, 2)));
  UseSettings(Settings(server->Url("/ok/newer.xml"), 1, version));
  EXPECT_FALSE(CopyShippedHolidayTable(ShippedHolidays{shippedPath, files[0].Source}, files));
  rules.Clear();
  LoadHolidayTableList(files, rules, open);
  EXPECT_EQ(Names(rules), std::vector<std::string>{"Newer"});
  HolidaysDoc copy;
  ASSERT_EQ(copy.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(copy.Version(), version + 1);
}

}  // namespace
