// The release archive as a user gets it: unpacked into a folder whose path has a blank and
// Japanese characters, it holds one folder with exactly the shipped files, and both programs
// start from there. Both programs carry their version resource and application manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "support/driver.h"
#include "support/unpack.h"
#include "zanto_version.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr wchar_t kDialogClass[] = L"#32770";
// The one manifest for Windows 10 and Windows 11.
constexpr char kWindows10Id[] = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}";

std::wstring Wide(const std::string& text, UINT codePage = CP_ACP) {
  const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                       static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
  if (size > 0) {
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        size);
  }
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

// Opened by its wide name: the folder's name is not plain ASCII.
std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::wstring> Names(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().wstring());
  }
  return names;
}

// The data folder chain from "Quor" on is the program's own.
fs::path QuorFolder() { return fs::path(Wide(DataFolder)).parent_path().parent_path(); }

// A value of the version resource's Japanese/Unicode string block.
std::wstring VersionValue(const std::vector<BYTE>& info, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = L"\\StringFileInfo\\041104b0\\" + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

std::vector<BYTE> VersionInfo(const std::wstring& exe) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
  std::vector<BYTE> info(size);
  if (size == 0 || !GetFileVersionInfoW(exe.c_str(), 0, size, info.data())) info.clear();
  return info;
}

// The manifest and string-table entry 1 of a program.
std::pair<std::string, std::string> ManifestAndStringOne(const std::wstring& exe) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string manifest;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  if (HGLOBAL loaded = found ? LoadResource(module, found) : nullptr) {
    manifest.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  }
  char text[256] = "";
  const int length = LoadStringA(module, 1, text, sizeof text);
  FreeLibrary(module);
  return {manifest, std::string(text, std::max(length, 0))};
}

class ArchiveE2E : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    // "Zanto 試験 カレンダー <pid>": a blank and characters of the user's code page.
    unpacked = fs::path(temp) / (L"Zanto \u8a66\u9a13 \u30ab\u30ec\u30f3\u30c0\u30fc " +
                                 std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(unpacked);
    fs::remove_all(QuorFolder());
  }

  void TearDown() override {
    for (driver::Process* process : {&zanto, &hoshiro}) {
      if (process->Started() && process->Running()) process->Terminate();
    }
    std::error_code ignored;
    fs::remove_all(unpacked, ignored);
  }

  fs::path unpacked;
  driver::Process zanto;
  driver::Process hoshiro;
};

TEST_F(ArchiveE2E, UnpackedUnderABlankAndJapaneseNamesBothProgramsRunFromThere) {
  const fs::path archive =
      fs::path(driver::ExecutableFolder()).parent_path().parent_path() / ZANTO_PACKAGE_NAME ".zip";
  ASSERT_TRUE(fs::exists(archive)) << "build it first: cmake --build <dir> --target package";
  ASSERT_TRUE(driver::UnpackZip(archive.wstring(), unpacked.wstring()));

  // One folder, named after the release, holding the shipped files and nothing else.
  ASSERT_EQ(Names(unpacked), std::set<std::wstring>{Wide(ZANTO_PACKAGE_NAME)});
  const fs::path folder = unpacked / ZANTO_PACKAGE_NAME;
  EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"Zanto.exe", L"Hoshiro.exe", L"Settings.xml",
                                                   L"Holidays00.xml", L"ReadMe.txt",
                                                   L"LICENSE.txt", L"SampleButtons.png"}));
  EXPECT_EQ(ReadFile(folder / "Settings.xml"),
            ReadFile(driver::ProgramPath(L"Settings.xml")))
      << "the default settings as built, Shift_JIS bytes unchanged";

  // Notepad shows the read-me as Japanese: UTF-8 with a byte-order mark, CRLF lines.
  const std::string readMe = ReadFile(folder / "ReadMe.txt");
  ASSERT_GT(readMe.size(), 3u);
  EXPECT_EQ(readMe.substr(0, 3), "\xef\xbb\xbf");
  const std::wstring readMeText = Wide(readMe.substr(3), CP_UTF8);
  EXPECT_FALSE(readMeText.empty()) << "valid UTF-8";
  // カレンダー
  EXPECT_NE(readMeText.find(L"\u30ab\u30ec\u30f3\u30c0\u30fc"), std::wstring::npos);
  EXPECT_NE(readMeText.find(L"%APPDATA%\\Quor\\Zanto\\"), std::wstring::npos);
  EXPECT_EQ(readMe.find("\n"), readMe.find("\r\n") + 1);
  EXPECT_NE(ReadFile(folder / "LICENSE.txt").find("MIT License"), std::string::npos);

  // The first start from there copies the settings and the table beside the program (a
  // program needing a DLL the system lacks would not start under Wine either).
  zanto = driver::Process::Start(driver::Quoted((folder / "Zanto.exe").wstring()));
  ASSERT_TRUE(zanto.Started()) << "CreateProcessW error " << zanto.StartError();
  HWND window = driver::WaitForWindow(zanto, kMainClass);
  ASSERT_NE(window, nullptr) << "no calendar window";
  zanto.WaitForIdle(driver::kStartTimeoutMs);
  // The copy of the shipped settings, with the first place recorded in it.
  const std::string copied = ReadFile(fs::path(Wide(SettingsPath))), shipped = ReadFile(folder / "Settings.xml");
  const size_t table = shipped.find("<HolidayTable00");
  ASSERT_NE(table, std::string::npos);
  EXPECT_NE(copied.find(shipped.substr(table, shipped.find('\n', table) - table)), std::string::npos);
  EXPECT_EQ(shipped.find("<WinPos>"), std::string::npos);
  EXPECT_NE(copied.find("<WinPos>"), std::string::npos);
  EXPECT_TRUE(fs::exists(DataFolder + "Holidays00.xml")) << "the table found beside the program";
  // The manifest took effect: the window follows the monitor's scale itself.
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window)),
            DPI_AWARENESS_PER_MONITOR_AWARE);
  driver::SaveScreenshot(window, L"archive_calendar");

  hoshiro = driver::Process::Start(driver::Quoted((folder / "Hoshiro.exe").wstring()) +
                                   L" [9:05] \u304a\u77e5\u3089\u305b");  // お知らせ
  ASSERT_TRUE(hoshiro.Started());
  HWND message = driver::WaitForWindow(hoshiro, kDialogClass);
  ASSERT_NE(message, nullptr) << "no message window";
  driver::Post(message, WM_CLOSE);
  ASSERT_TRUE(hoshiro.Wait(driver::kStartTimeoutMs));

  driver::Post(window, WM_CLOSE);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 0u);

  // The sample strip, named in the settings with its full path, gives image buttons of a
  // fifth of its width and a quarter of its height.
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  settings.Options.Buttons = Narrow((folder / "SampleButtons.png").wstring());
  ASSERT_EQ(settings.SaveOption("Buttons"), 0);
  zanto = driver::Process::Start(driver::Quoted((folder / "Zanto.exe").wstring()));
  window = driver::WaitForWindow(zanto, kMainClass);
  ASSERT_NE(window, nullptr);
  zanto.WaitForIdle(driver::kStartTimeoutMs);
  for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id) {
    HWND button = GetDlgItem(window, id);
    EXPECT_EQ(driver::Style(button) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    const RECT at = driver::ChildRect(button);
    EXPECT_EQ(at.right - at.left, 24) << id;
    EXPECT_EQ(at.bottom - at.top, 20) << id;
  }
  driver::SaveScreenshot(window, L"archive_sample_buttons");
  driver::Post(window, WM_CLOSE);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
}

TEST(ArchiveResources, BothProgramsCarryTheReleaseVersionAndTheirManifest) {
  struct Program {
    const wchar_t* file;
    const wchar_t* description;
  };
  // "Zanto カレンダー", "Zanto 通知メッセージ"
  const Program programs[] = {
      {L"Zanto.exe", L"Zanto \u30ab\u30ec\u30f3\u30c0\u30fc"},
      {L"Hoshiro.exe", L"Zanto \u901a\u77e5\u30e1\u30c3\u30bb\u30fc\u30b8"},
  };
  const std::wstring dotted = Wide(ZANTO_VERSION_DOTTED);
  for (const Program& program : programs) {
    SCOPED_TRACE(testing::Message() << program.file);
    const std::wstring exe = driver::ProgramPath(program.file);
    const std::vector<BYTE> info = VersionInfo(exe);
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(VersionValue(info, L"ProductName"), L"Zanto");
    EXPECT_EQ(VersionValue(info, L"FileDescription"), program.description);
    EXPECT_EQ(VersionValue(info, L"FileVersion"), dotted);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const WORD numbers[] = {ZANTO_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(numbers[1], numbers[0])));

    const auto [manifest, stringOne] = ManifestAndStringOne(exe);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", kWindows10Id, "true/pm</dpiAware>",
                             "PerMonitorV2, PerMonitor</dpiAwareness>"}) {
      EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    // The calendar shows the release in its version dialog: "yyyy/mm/dd VerX.YY".
    if (program.file == std::wstring(L"Zanto.exe")) {
      EXPECT_EQ(stringOne, ZANTO_VERSION_TEXT);
    }
  }
  EXPECT_EQ(std::string(ZANTO_VERSION_TEXT).find(" Ver"), 10u);
}

}  // namespace
