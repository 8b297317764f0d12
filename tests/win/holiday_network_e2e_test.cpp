// Zanto.exe against holiday-table servers that misbehave, and over HTTPS for real.
//
// The table is fetched before the calendar's first paint, so every case checks what a user
// sees: the window appears in time, the holidays drawn are those of the local copy (its picture
// equals that of a calendar reading the same table from a file), and neither the local copy
// nor the settings file is touched.
//
// The slow cases run side by side: one settings file is written, a calendar started, and as
// soon as the server has its request (the settings are read by then) the next case's settings
// are written and the next calendar started.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <deque>
#include <iterator>
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/holiday_tables.h"
#include "support/driver.h"
#include "support/steered_calendar.h"
#include "support/table_server.h"
#include "tests/common/test_files.h"
#include "support/milliseconds.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr DWORD kVisibleWithinMs = 12000;
constexpr int kWindowStep = 250;


// The pixels of a window as it stands on the screen.
std::vector<DWORD> Capture(HWND window) { return driver::ScreenPixels(driver::WindowRect(window)); }


// A settings text as the XML library prints it, so a rewritten file compares with its source.
std::string Canonical(const std::string& xml) {
  XMLDocument doc;
  if (doc.Parse(xml.c_str(), xml.size()) != tinyxml2::XML_SUCCESS) return "not well-formed";
  tinyxml2::XMLPrinter printer(nullptr, true);
  doc.Print(&printer);
  return printer.CStr();
}

bool SameDocument(const std::string& a, const std::string& b) { return Canonical(a) == Canonical(b); }

std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

// Replaces the element <name ...>...</name> of a settings text with replacement.
void ReplaceElement(std::string& xml, const std::string& name, const std::string& replacement) {
  const size_t start = xml.find("<" + name);
  const std::string close = "</" + name + ">";
  const size_t end = xml.find(close, start);
  ASSERT_NE(end, std::string::npos) << name;
  xml.replace(start, end + close.size() - start, replacement);
}

// A table that marks days 1 to 28 of the current month as national holidays: drawn in the
// holiday colour, they change the picture wherever they fall.
std::string HolidaysThisMonth(const char* version) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string rules;
  for (int day = 1; day <= 28; ++day) rules += Rule(1, 1, "Local" + std::to_string(day), now.wMonth, day);
  return Table(version, rules);
}

// A table with one holiday half a year away: nothing of it shows this month.
std::string HolidayElsewhere(const char* version) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Table(version, Rule(1, 1, "Elsewhere", (now.wMonth + 5) % 12 + 1, 15));
}

// Wine's crypt32 copies the system's certificates into a volatile registry key at a process's
// first use and never drops one from it; the test authority is taken out here so later
// processes of this Wine session trust it no more than the system does.
bool ForgetWineRootCopy(const std::string& thumbprint) {
  const std::string key = "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" + thumbprint;
  const LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool WineKnowsRoot(const std::string& thumbprint) {
  const std::string key = "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" + thumbprint;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

struct Started {
  std::string name;
  driver::Process process;
  double startedAt = 0;
  double visibleAfter = -1;
  HWND window = nullptr;
};

class HolidayNetworkE2E : public testing::Test {
 protected:
  void SetUp() override {
    std::string quor = DataFolder.substr(0, DataFolder.size() - std::string("Zanto\\").size());
    RemoveFolder(quor);
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, DataFolder.c_str(), nullptr), ERROR_SUCCESS);
    shippedSettings = ReadFile(Narrow(driver::ProgramPath(L"Settings.xml")));
    ASSERT_FALSE(shippedSettings.empty());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    served = std::string(temp) + "zanto-network-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveFolder(served);
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, served.c_str(), nullptr), ERROR_SUCCESS);
    // The calendar's test build, which runs side by side with itself as the cases here do.
    ASSERT_TRUE(steered::LayOutProgramFolder(program));
  }

  void TearDown() override {
    for (Started& run : runs) {
      if (run.process.Started() && run.process.Running()) run.process.Terminate();
    }
    server.Stop();
    if (!thumbprint.empty()) {
      EXPECT_TRUE(ForgetWineRootCopy(thumbprint));
    }
    RemoveFolder(served);
    RemoveFolder(program);
  }

  static void RemoveFolder(const std::string& folder) {
    std::string from = folder;
    while (!from.empty() && from.back() == '\\') from.pop_back();
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
  }

  // The shipped settings with table 0 as given, filled in a plain colour (pictures that do
  // not depend on the desktop), not kept at the bottom, and the window in slot of a grid
  // below Wine's own tray window in the top left corner.
  std::string Settings(const std::string& source, int localCopy, int localVer, int slot) {
    std::string xml = shippedSettings;
    ReplaceElement(xml, "HolidayTable00",
                   "<HolidayTable00 LocalCopy=\"" + std::to_string(localCopy) + "\" LocalVer=\"" +
                       std::to_string(localVer) + "\">" + source + "</HolidayTable00>");
    ReplaceElement(xml, "MemoXml",
                   "<MemoXml>ZantoMemo</MemoXml><WinPos><Top>" + std::to_string(60 + (slot / 7) * kWindowStep) +
                       "</Top><Left>" + std::to_string(20 + (slot % 7) * kWindowStep) + "</Left></WinPos>");
    ReplaceElement(xml, "BackMode", "<BackMode>1</BackMode>");
    ReplaceElement(xml, "AlwaysBottom", "<AlwaysBottom>0</AlwaysBottom>");
    return xml;
  }

  Started& Launch(const std::string& name, const std::string& settings) {
    WriteFile(SettingsPath, settings);
    runs.push_back(Started{name, {}, driver::Milliseconds()});
    Started& run = runs.back();
    run.process = driver::Process::StartAnsi("\"" + program + "Zanto.exe\"");
    EXPECT_TRUE(run.process.Started()) << name;
    return run;
  }

  // Notes the moment each started calendar's window became visible; true when all have one.
  bool PollWindows() {
    bool all = true;
    for (Started& run : runs) {
      if (run.window) continue;
      std::vector<HWND> found = driver::TopLevelWindows(run.process.Id(), kMainClass);
      if (found.empty()) {
        all = false;
        continue;
      }
      run.window = found.front();
      run.visibleAfter = driver::Milliseconds() - run.startedAt;
    }
    return all;
  }

  bool WaitForAllWindows(DWORD timeoutMs) {
    return driver::WaitUntil([&] { return PollWindows(); }, timeoutMs, 10);
  }

  // Starts a calendar reading table 0 as given and returns its settled picture.
  std::vector<DWORD> PictureWith(const std::string& name, const std::string& source, int slot) {
    Started& run = Launch(name, Settings(source, 0, 0, slot));
    EXPECT_TRUE(WaitForAllWindows(driver::kStartTimeoutMs)) << name;
    return PictureOf(run);
  }

  // The picture of a started calendar once it has painted and waits for input.
  static std::vector<DWORD> PictureOf(const Started& run) {
    if (!run.window) return {};
    run.process.WaitForIdle(driver::kStartTimeoutMs);
    return driver::SettledWindowPixels(run.window);
  }

  // Closes every calendar (all at once: each takes a while to end) and checks that each ended
  // well.
  // The picture of January, where the national table has holidays whatever month it is now.
  // Each click on ">" is followed until the new month is on the screen.
  static std::vector<DWORD> JanuaryOf(const Started& run) {
    if (!run.window) return {};
    HWND next = GetDlgItem(run.window, kFirstButtonId + 3);
    EXPECT_NE(next, nullptr);
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::vector<DWORD> shown = PictureOf(run);
    for (int month = now.wMonth; month != 1 && month <= 12; month = month % 12 + 1) {
      bool answered = false;
      driver::Send(next, BM_CLICK, 0, 0, &answered);
      EXPECT_TRUE(answered);
      EXPECT_TRUE(driver::WaitUntil(
          [&] {
            UpdateWindow(run.window);
            return Capture(run.window) != shown;
          },
          5000, 20));
      shown = PictureOf(run);
    }
    return shown;
  }

  // Starts a calendar and waits until it shows (it has read its settings and tables by then).
  Started& StartAndWait(const std::string& name, const std::string& settings) {
    Started& run = Launch(name, settings);
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
          PollWindows();
          return run.window != nullptr;
        },
        driver::kStartTimeoutMs, 10))
        << name;
    return run;
  }

  void CloseAll() {
    for (Started& run : runs) {
      if (run.window) driver::Post(run.window, WM_CLOSE);
    }
    for (Started& run : runs) {
      if (!run.window) continue;
      EXPECT_TRUE(run.process.Wait(driver::kStartTimeoutMs)) << run.name << " did not end";
      EXPECT_EQ(run.process.ExitCode(), 0u) << run.name;
    }
    runs.clear();
  }

  void Report() {
    for (const Started& run : runs) {
      std::printf("  %-28s window visible after %6.0f ms\n", run.name.c_str(), run.visibleAfter);
    }
  }

  std::string shippedSettings;
  std::string served;
  const std::string program = steered::TempFolder("zanto-network-program-");
  driver::TableServer server;
  std::deque<Started> runs;
  std::string thumbprint;
};

TEST_F(HolidayNetworkE2E, MisbehavingServersNeverHoldBackTheWindowAndTheLocalCopyIsDrawn) {
  const std::string copy = HolidaysThisMonth("3");
  WriteFile(LocalCopyPath(0), copy);
  WriteFile(DataFolder + "copy-as-file.xml", copy);
  ASSERT_TRUE(server.Start(served)) << server.error();
  server.Serve("table.xml", HolidayElsewhere("9"));
  struct Case {
    const char* mode;
    int requests;  // the first asks for the headers, the second for the body
  };
  const Case cases[] = {
      {"drip", 2},    // Content-Length 8000, one byte every 2 s: ends at the table's deadline
      {"silent", 1},  // accepts, reads the request, never answers
      {"stall", 2},   // the headers, then silence
      {"lying", 2},   // announces twice the body, sends it and keeps the connection open
      {"huge", 1},    // a true 100 MB body is never asked for
      {"loop", 1},    // a redirect to itself is not followed
      {"reset", 2},   // reset in the middle of the body
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string path = std::string("/") + cases[i].mode + "/table.xml";
    Launch(cases[i].mode, Settings(server.Url(path), 1, 3, static_cast<int>(i)));
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
          PollWindows();
          return server.RequestCount(path) > 0;
        },
        driver::kStartTimeoutMs, 10))
        << cases[i].mode << ": no request arrived";
  }
  // While the slow ones wait for their servers: the same copy read as a plain file, and no
  // table at all, side by side with them.
  Started& asFile = Launch("reference: copy as file", Settings(DataFolder + "copy-as-file.xml", 0, 0, 7));
  ASSERT_TRUE(driver::WaitUntil([&] { PollWindows(); return asFile.window != nullptr; }, driver::kStartTimeoutMs, 10));
  Started& noTable = Launch("reference: no table", Settings("", 0, 0, 8));
  EXPECT_TRUE(WaitForAllWindows(driver::kStartTimeoutMs));
  const std::vector<DWORD> withCopy = PictureOf(asFile);
  ASSERT_FALSE(withCopy.empty());
  ASSERT_NE(withCopy, PictureOf(noTable)) << "the local copy's holidays must show in the picture";
  std::printf("Start to visible calendar window, misbehaving table servers:\n");
  Report();
  for (size_t i = 0; i < std::size(cases); ++i) {
    Started& run = runs[i];
    SCOPED_TRACE(run.name);
    ASSERT_NE(run.window, nullptr);
    EXPECT_GE(run.visibleAfter, 0);
    EXPECT_LE(run.visibleAfter, kVisibleWithinMs);
    EXPECT_EQ(PictureOf(run), withCopy) << "the local copy's holidays are drawn";
    EXPECT_EQ(server.RequestCount(std::string("/") + cases[i].mode + "/table.xml"), cases[i].requests);
  }
  driver::SaveScreenshot(L"holiday_network_misbehaving_servers");
  CloseAll();
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), copy);
  EXPECT_EQ(ReadFile(SettingsPath), Settings("", 0, 0, 8)) << "written by the test, by no calendar";
}

TEST_F(HolidayNetworkE2E, HttpsTableComesFromATrustedServerOnlyAndFollowsTheVersionRules) {
  ASSERT_TRUE(server.Start(served, true))
      << "the HTTPS server with a test authority in the system trust store: " << server.error();
  thumbprint = server.authorityThumbprint();
  const std::string copy = HolidaysThisMonth("3");
  WriteFile(DataFolder + "copy-as-file.xml", copy);
  const std::vector<DWORD> withCopy = PictureWith("reference: copy as file", DataFolder + "copy-as-file.xml", 0);
  const std::vector<DWORD> without = PictureWith("reference: no table", "", 1);
  ASSERT_NE(withCopy, without);
  CloseAll();
  const std::string table = HolidayElsewhere("5");
  server.Serve("table.xml", table);
  const std::string url = server.Url("/ok/table.xml");

  // A new version over HTTPS: drawn, kept as the local copy, its version recorded.
  WriteFile(LocalCopyPath(0), copy);
  Started& fresh = Launch("https, new version", Settings(url, 1, 3, 2));
  ASSERT_TRUE(WaitForAllWindows(driver::kStartTimeoutMs));
  EXPECT_EQ(PictureOf(fresh), without) << "the downloaded table, not the copy";
  EXPECT_EQ(server.RequestCount("/ok/table.xml"), 2);
  EXPECT_TRUE(WineKnowsRoot(thumbprint)) << "the test authority reached Wine's root store";
  HolidaysDoc saved;
  ASSERT_EQ(saved.LoadFile(LocalCopyPath(0)), 0);
  EXPECT_EQ(saved.Version(), 5);
  EXPECT_TRUE(SameDocument(ReadFile(SettingsPath), Settings(url, 1, 5, 2))) << "only LocalVer changed";

  // The same version again: drawn from the download, the copy left as it is.
  WriteFile(LocalCopyPath(0), copy);
  const std::string same = Settings(url, 1, 5, 3);
  Started& again = Launch("https, same version", same);
  ASSERT_TRUE(WaitForAllWindows(driver::kStartTimeoutMs));
  EXPECT_EQ(PictureOf(again), without);
  EXPECT_EQ(server.RequestCount("/ok/table.xml"), 4);
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), copy);
  EXPECT_EQ(ReadFile(SettingsPath), same);

  // A certificate nobody vouches for: refused before any request, the local copy stands in.
  const std::string untrusted = Settings(server.Url("/ok/table.xml", true), 1, 3, 4);
  Started& refused = Launch("https, untrusted certificate", untrusted);
  ASSERT_TRUE(WaitForAllWindows(driver::kStartTimeoutMs));
  EXPECT_EQ(PictureOf(refused), withCopy);
  EXPECT_EQ(server.RequestCount("/ok/table.xml"), 4) << "no request got past the handshake";
  EXPECT_EQ(ReadFile(LocalCopyPath(0)), copy);
  EXPECT_EQ(ReadFile(SettingsPath), untrusted);
  driver::SaveScreenshot(L"holiday_network_https");
  std::printf("Start to visible calendar window over HTTPS:\n");
  Report();
  CloseAll();

  server.Stop();
  EXPECT_TRUE(ForgetWineRootCopy(thumbprint));
  EXPECT_FALSE(WineKnowsRoot(thumbprint));
  thumbprint.clear();
}

// A user who points table 0 at a company calendar after an earlier start had copied the
// national table for the product's address: offline the national holidays never appear as the
// company's, and the company's table takes over the copy at its first download. Settings
// without a table 0 are neither given the national table nor rewritten.
TEST_F(HolidayNetworkE2E, UsersOwnTableIsNeverShadowedByTheShippedTable) {
  const std::string shippedTable = ReadFile(Narrow(driver::ProgramPath(L"Holidays00.xml")));
  ASSERT_FALSE(shippedTable.empty());
  std::string withoutInfo = Settings("", 0, 0, 0);
  ReplaceElement(withoutInfo, "HolidayInfo", "");
  for (const std::string& settings : {withoutInfo, Settings("", 1, 1, 1)}) {
    StartAndWait("no table 0", settings);
    EXPECT_TRUE(ReadFile(LocalCopyPath(0)).empty()) << "no national table copied";
    EXPECT_EQ(ReadFile(SettingsPath), settings) << "settings not rewritten";
  }

  ASSERT_TRUE(server.Start(served)) << server.error();
  const std::string company = Table("1", Rule(1, 1, "Founding", 1, 5) + Rule(1, 1, "Outing", 1, 6));
  server.Serve("company.xml", company);
  WriteFile(DataFolder + "company-as-file.xml", company);
  WriteFile(DataFolder + "national-as-file.xml", shippedTable);
  const std::vector<DWORD> none = JanuaryOf(StartAndWait("reference: no table", Settings("", 0, 0, 2)));
  const std::vector<DWORD> national =
      JanuaryOf(StartAndWait("reference: national", Settings(DataFolder + "national-as-file.xml", 0, 0, 3)));
  const std::vector<DWORD> companys =
      JanuaryOf(StartAndWait("reference: company", Settings(DataFolder + "company-as-file.xml", 0, 0, 4)));
  ASSERT_NE(national, none);
  ASSERT_NE(companys, none);

  // The earlier start, with the product's own address (which never resolves): the shipped
  // table becomes table 0's copy.
  const std::string address = ShippedHolidayAddress(Narrow(driver::ProgramPath(L"Settings.xml")));
  ASSERT_FALSE(address.empty());
  EXPECT_EQ(JanuaryOf(StartAndWait("product's address", Settings(address, 1, 1, 5))), national);
  ASSERT_EQ(ReadFile(LocalCopyPath(0)), shippedTable);

  const std::string offline = "http://127.0.0.1:" + std::to_string(server.closedPort()) + "/company.xml";
  const std::string online = server.Url("/ok/company.xml");
  struct Step {
    const char* what;
    std::string source;
    const std::vector<DWORD>& january;
    const std::string& copyAfter;
  };
  const Step steps[] = {
      {"company table offline", offline, none, shippedTable},
      {"company table online, at the recorded version", online, companys, company},
      {"company table offline again", offline, companys, company},
  };
  int slot = 7;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const std::string settings = Settings(step.source, 1, 1, slot++);
    const std::vector<DWORD> january = JanuaryOf(StartAndWait(step.what, settings));
    EXPECT_EQ(january, step.january);
    EXPECT_TRUE(SameDocument(ReadFile(LocalCopyPath(0)), step.copyAfter));
    EXPECT_EQ(ReadFile(SettingsPath), settings) << "the recorded version stays";
  }
  driver::SaveScreenshot(L"holiday_network_users_own_table");
  std::printf("Start to visible calendar window, tables of the user's own:\n");
  Report();
  CloseAll();
}

}  // namespace
