// End-to-end tests of Zanto.exe: started in a fresh data folder, its windows found and
// operated from outside, closed, with exit codes and the settings file checked.
//
// The data folder lies inside this build tree's own Wine prefix, so each test simply removes
// it before starting; the developer's own data is never touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own,
// which must not take the name before the XML library's does.
#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/desktop.h"
#include "support/driver.h"
#include "tests/common/test_files.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace {

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr wchar_t kProbeClass[] = L"WindowClassZanto_BACK";
constexpr wchar_t kDialogClass[] = L"#32770";
// The text control of a message box.
constexpr int kMessageBoxTextId = 0xFFFF;

// "≪", "<", "◇", ">", "≫" in Shift_JIS.
const char* const kButtonTexts[] = {"\x81\xe1", "<", "\x81\x9e", ">", "\x81\xe2"};
// "設定値取得エラー[" in Shift_JIS.
const char kSettingsErrorStart[] = "\x90\xdd\x92\xe8\x92l\x8e\xe6\x93\xbe\x83G\x83\x89\x81[[";

std::string Narrow(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size,
                      nullptr, nullptr);
  return text;
}


bool Exists(const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; }

// DataFolder ends in "\Quor\Zanto\"; the chain from "Quor" on is the program's own.
std::string QuorFolder() {
  std::string folder = DataFolder;
  folder.resize(folder.size() - std::string("Zanto\\").size());
  return folder;
}

void RemoveFolder(const std::string& folder) {
  if (!Exists(folder)) return;
  std::string from = folder;
  while (!from.empty() && from.back() == '\\') from.pop_back();
  from.push_back('\0');  // the list of paths ends with two nulls
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&op);
}

// The settings as the program would read them from the data folder.
struct SavedSettings {
  CSettings settings;
  int error = settings.Load();
  const COptions& options() const { return settings.Options; }
};

void WriteWinPos(int left, int top) {
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  settings.Options.WinPos.Left = left;
  settings.Options.WinPos.Top = top;
  ASSERT_EQ(settings.SaveOption("WinPos"), 0);
}

// The width and height of text in the shipped settings' font of this height and weight, as
// this prefix draws it.
SIZE MeasureShipped(int height, int weight, const std::vector<std::string>& texts) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  strcpy(font.lfFaceName, "Meiryo UI");
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT handle = CreateFontIndirectA(&font);
  HGDIOBJ displaced = SelectObject(dc, handle);
  SIZE largest = {0, 0};
  for (const std::string& text : texts) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    largest.cx = std::max(largest.cx, size.cx);
    largest.cy = std::max(largest.cy, size.cy);
  }
  SelectObject(dc, displaced);
  DeleteObject(handle);
  DeleteDC(dc);
  return largest;
}

// The window the shipped settings give, worked out from the fonts measured here and the
// layout rules, for this month: heading "yyyy年M月" bold -20 with 30 % extra height, the
// weekday row -13 with 20 %, day numbers bold -16 with 80 % extra width and 30 % extra
// height, one-pixel shadows throughout, the 20-pixel button bar and 4-pixel margins.
SIZE ShippedClientSize() {
  constexpr int kMargin = 4, kShadow = 1, kButtonBar = 20;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const SIZE heading = MeasureShipped(-20, FW_BOLD, {std::to_string(now.wYear) + "\x94N" +
                                                    std::to_string(now.wMonth) + "\x8c\x8e"});
  // 日 月 火 水 木 金 土
  const SIZE title = MeasureShipped(-13, FW_NORMAL, {"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85",
                                                     "\x96\xd8", "\x8b\xe0", "\x93\x79"});
  std::vector<std::string> numbers;
  for (int day = 10; day <= 31; ++day) numbers.push_back(std::to_string(day));
  const SIZE number = MeasureShipped(-16, FW_BOLD, numbers);

  // A column fits the number with its spacing or the weekday title, whichever is wider.
  const int column = std::max<int>(number.cx + number.cx * 80 / 100, title.cx);
  const int cellWidth = column + kShadow;
  const int cellHeight = number.cy + number.cy * 30 / 100 + kShadow;
  const int numberLeft = (column - number.cx) / 2;
  // The grid without the spacing after its last column, the heading, or the last cell's
  // number and shadow: whichever reaches furthest, with a margin on both sides.
  const int width = std::max({7 * cellWidth - number.cx * 80 / 100 + 2 * kMargin,
                              heading.cx + 4 * kMargin,
                              kMargin + 6 * cellWidth + numberLeft + number.cx + kShadow + kMargin});
  const int height = kMargin + kButtonBar + kShadow + heading.cy + heading.cy * 30 / 100 +
                     kShadow + title.cy + title.cy * 20 / 100 + 6 * cellHeight;
  return SIZE{width, height};
}

// Posts messages that must reach the window's thread together: the thread is held while
// they are queued, so no timer message can come between them (a timer is only delivered
// when no posted message waits).
struct Message {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

void PostTogether(HWND window, const std::vector<Message>& messages) {
  const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
  ASSERT_NE(thread, nullptr) << "OpenThread error " << GetLastError();
  ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  bool posted = true;
  for (const Message& m : messages) posted = driver::Post(window, m.message, m.wParam, m.lParam) && posted;
  ResumeThread(thread);
  CloseHandle(thread);
  ASSERT_TRUE(posted);
}

// The file's bytes, read with every sharing mode so that the program can replace the file
// while it is being read.
std::string ReadShared(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

class ZantoE2E : public testing::Test {
 protected:
  void SetUp() override { RemoveFolder(QuorFolder()); }

  void TearDown() override {
    if (zanto.Started() && zanto.Running()) zanto.Terminate();
  }

  // Starts the program of a folder and waits for its calendar window and first picture.
  void Start(const std::wstring& folder = driver::ProgramFolder()) {
    zanto = driver::Process::Start(driver::Quoted(folder + L"Zanto.exe"));
    ASSERT_TRUE(zanto.Started()) << "CreateProcessW error " << zanto.StartError();
    window = driver::WaitForWindow(zanto, kMainClass);
    ASSERT_NE(window, nullptr) << "no calendar window";
    zanto.WaitForIdle(driver::kStartTimeoutMs);
  }

  void CloseAndExpectExitCodeZero() {
    ASSERT_TRUE(driver::Post(window, WM_CLOSE));
    ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs)) << "Zanto did not end after WM_CLOSE";
    EXPECT_EQ(zanto.ExitCode(), 0u);
  }

  // The calendar below its buttons: a clicked button's focus look is no change of month.
  std::vector<DWORD> Capture() const {
    RECT area = driver::WindowRect(window);
    area.top += driver::ChildRect(GetDlgItem(window, kFirstButtonId)).bottom;
    return driver::ScreenPixels(area);
  }

  // The calendar as it stands on the screen once painting has settled: two captures in a
  // row alike.
  std::vector<DWORD> Picture() {
    UpdateWindow(window);
    std::vector<DWORD> last = Capture();
    const bool settled = driver::WaitUntil(
        [&] {
          std::vector<DWORD> now = Capture();
          const bool same = now == last;
          last = std::move(now);
          return same;
        },
        5000, 50);
    EXPECT_TRUE(settled) << "the calendar never held still";
    return last;
  }

  // The picture that follows before on the screen; a failure when none comes.
  std::vector<DWORD> NewPicture(const std::vector<DWORD>& before) {
    UpdateWindow(window);
    const bool changed = driver::WaitUntil([&] { return Capture() != before; }, 5000, 20);
    EXPECT_TRUE(changed) << "the calendar never changed";
    return Picture();
  }

  // Waits until the screen shows expected.
  bool Shows(const std::vector<DWORD>& expected) {
    UpdateWindow(window);
    return driver::WaitUntil([&] { return Capture() == expected; }, 5000, 20);
  }

  void Click(int buttonId) {
    HWND button = GetDlgItem(window, buttonId);
    ASSERT_NE(button, nullptr) << "button " << buttonId;
    bool answered = false;
    driver::Send(button, BM_CLICK, 0, 0, &answered);
    ASSERT_TRUE(answered);
  }

  void Key(WPARAM key, int repeat) {
    bool answered = false;
    driver::Send(window, WM_KEYDOWN, key, MAKELPARAM(repeat, 0), &answered);
    ASSERT_TRUE(answered);
  }

  // A left click, as the mouse would deliver it, with keys (e.g. MK_SHIFT) held. Both
  // messages are queued at once: the calendar's hold timer ends a press whose button is not
  // down, so a tick between them would turn the click into nothing.
  void ClickWith(WPARAM keys) {
    const LPARAM at = MAKELPARAM(30, 100);
    ASSERT_NO_FATAL_FAILURE(
        PostTogether(window, {{WM_LBUTTONDOWN, MK_LBUTTON | keys, at}, {WM_LBUTTONUP, keys, at}}));
  }

  // Waits until the settings file says BackMode is mode. The file is read in one go with
  // every sharing mode, so the program can replace it at any moment of the polling.
  bool WaitForSavedBackMode(int mode) {
    return driver::WaitUntil(
        [&] {
          XMLDocument doc;
          const std::string bytes = ReadShared(SettingsPath);
          if (doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS) return false;
          XMLElement* options = FirstChild(doc.RootElement(), "Options");
          return options && GetChildInt(options, "BackMode", -1) == mode;
        },
        5000, 50);
  }

  driver::Process zanto;
  HWND window = nullptr;
};

TEST(ZantoResources, StringTableHoldsTheProgramTexts) {
  const std::string exe = Narrow(driver::ProgramPath(L"Zanto.exe"));
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  auto text = [&](UINT id) {
    char buffer[1024] = "";
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
  };
  EXPECT_EQ(text(IDS_PROGRAM_NAME), "Zanto");
  EXPECT_EQ(text(IDS_WINDOW_CLASS), "WindowClassZanto");
  EXPECT_EQ(text(IDS_MEMO_CAPTION), "%s - Zanto Memo");
  EXPECT_EQ(text(IDS_STANDARD_DECO), "\x81i\x95W\x8f\x80\x81j");  // （標準）
  EXPECT_EQ(text(IDS_TOMORROW), "\x96\xbe\x93\xfa");              // 明日
  EXPECT_EQ(text(IDS_SETTINGS_ERROR), std::string(kSettingsErrorStart) + "%d] %s");
  EXPECT_FALSE(text(IDS_VERSION).empty());
  EXPECT_FALSE(text(IDS_DISPLAY_NAME).empty());
  // 左端;中央;右端
  EXPECT_EQ(text(IDS_CHOICE_POSITION), "\x8d\xb6\x92[;\x92\x86\x89\x9b;\x89" "E\x92[");
  // なし;■;●
  EXPECT_EQ(text(IDS_CHOICE_MARK), "\x82\xc8\x82\xb5;\x81\xa1;\x81\x9c");
  // 条件なし;土曜日;日曜日;月～金 (the wave dash of code page 932)
  EXPECT_EQ(text(IDS_CHOICE_WEEKDAY),
            "\x8f\xf0\x8c\x8f\x82\xc8\x82\xb5;\x93y\x97j\x93\xfa;\x93\xfa\x97j\x93\xfa;"
            "\x8c\x8e\x81`\x8b\xe0");
  // 条件なし;祝日;振替休日;その他休日;休日以外;個人設定10;個人設定11;その他12;その他13
  EXPECT_EQ(text(IDS_CHOICE_HOLIDAY),
            "\x8f\xf0\x8c\x8f\x82\xc8\x82\xb5;\x8fj\x93\xfa;\x90U\x91\xd6\x8bx\x93\xfa;"
            "\x82\xbb\x82\xcc\x91\xbc\x8bx\x93\xfa;\x8bx\x93\xfa\x88\xc8\x8aO;"
            "\x8c\xc2\x90l\x90\xdd\x92\xe8" "10;\x8c\xc2\x90l\x90\xdd\x92\xe8" "11;"
            "\x82\xbb\x82\xcc\x91\xbc" "12;\x82\xbb\x82\xcc\x91\xbc" "13");
  for (UINT id : {IDS_CHOICE_FRAME, IDS_CHOICE_IMAGE, IDS_CHOICE_WEEK_START, IDS_CHOICE_TODAY}) {
    EXPECT_NE(text(id).find(';'), std::string::npos) << "entry " << id;
  }
  // The notice breaks its lines with single carriage returns, the question with a line feed.
  const std::string notice = text(IDS_POWER_SAVE_NOTICE);
  EXPECT_EQ(notice.size(), 174u);
  EXPECT_NE(notice.find("\x81" "B\r\r\x81i"), std::string::npos)
      << "two breaks after the first sentence";
  EXPECT_EQ(notice.find('\n'), std::string::npos);
  EXPECT_EQ(text(IDS_YEAR_BOUNDARY),
            "\x94N\x8c\xd7\x82\xe8\x82\xcc\x92\xca\x92m\x82\xcd\x82\xc5\x82\xab\x82\xdc\x82\xb9"
            "\x82\xf1\x81" "B\n\x91\xb1\x8ds\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H");
  FreeLibrary(module);
}

// Two real processes meeting through the session's mutex and a window message: a second start
// (the Startup folder and a start by hand) brings the running calendar to the front, even from
// hidden, and ends without a window, a tray icon or a file of its own.
TEST_F(ZantoE2E, ASecondStartBringsTheRunningCalendarToTheFrontAndTouchesNoFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string settings = ReadFile(SettingsPath);
  WIN32_FILE_ATTRIBUTE_DATA before = {};
  ASSERT_TRUE(GetFileAttributesExA(SettingsPath.c_str(), GetFileExInfoStandard, &before));
  ShowWindow(window, SW_HIDE);
  ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(window); }, 3000));

  driver::Process second = driver::Process::Start(driver::Quoted(driver::ProgramPath(L"Zanto.exe")));
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.Wait(driver::kStartTimeoutMs)) << "the second start runs on";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(driver::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000)) << "shown again";
  EXPECT_EQ(GetForegroundWindow(), window);
  EXPECT_EQ(desktop::WindowsOfClass(kMainClass).size(), 1u) << "one calendar on the screen";
  EXPECT_EQ(ReadFile(SettingsPath), settings);
  WIN32_FILE_ATTRIBUTE_DATA after = {};
  ASSERT_TRUE(GetFileAttributesExA(SettingsPath.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0) << "not even rewritten";
  CloseAndExpectExitCodeZero();
}

TEST_F(ZantoE2E, FirstStartCopiesSettingsAndHolidayTableOnlyOnce) {
  ASSERT_FALSE(Exists(QuorFolder()));
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string shipped = ReadFile(Narrow(driver::ProgramPath(L"Settings.xml")));
  ASSERT_FALSE(shipped.empty());
  // The shipped settings carry no position: the first start puts the calendar at the top right
  // of the work area and records that place as the user's and as home.
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const RECT first = driver::WindowRect(window);
  EXPECT_EQ(first.right, work.right);
  EXPECT_EQ(first.top, work.top);
  CloseAndExpectExitCodeZero();
  SavedSettings recorded;
  ASSERT_EQ(recorded.error, 0);
  EXPECT_EQ(recorded.options().WinPos.Left, first.left);
  EXPECT_EQ(recorded.options().WinPos.Top, first.top);
  EXPECT_EQ(recorded.options().HomePos.Left, first.left);
  EXPECT_EQ(recorded.options().HomePos.Top, first.top);
  EXPECT_TRUE(Exists(DataFolder + "Holidays00.xml"));

  // A second start finds the user's own settings and leaves them as they are.
  WriteWinPos(123, 45);
  const std::string own = ReadFile(SettingsPath);
  ASSERT_NO_FATAL_FAILURE(Start());
  const RECT rect = driver::WindowRect(window);
  EXPECT_EQ(rect.left, 123);
  EXPECT_EQ(rect.top, 45);
  CloseAndExpectExitCodeZero();
  EXPECT_EQ(ReadFile(SettingsPath), own) << "nothing is copied over, nothing saved at the end";
}

// Offline, with its holiday table read from the copy in the data folder: the calendar shows
// without loading the internet library, nor those of pictures and file dialogs, none of which
// its first picture needs.
TEST_F(ZantoE2E, TablesThatAreFilesStartWithoutTheInternetLibrary) {
  ASSERT_NO_FATAL_FAILURE(Start());
  CloseAndExpectExitCodeZero();
  std::string settings = ReadFile(SettingsPath);
  const size_t table = settings.find("<HolidayTable00");
  ASSERT_NE(table, std::string::npos);
  const size_t from = settings.find('>', table) + 1, to = settings.find("</HolidayTable00>", from);
  ASSERT_NE(to, std::string::npos);
  settings.replace(from, to - from, DataFolder + "Holidays00.xml");
  WriteFile(SettingsPath, settings);

  ASSERT_NO_FATAL_FAILURE(Start());
  const std::vector<std::string> loaded = driver::LoadedModules(zanto.Handle());
  ASSERT_TRUE(std::binary_search(loaded.begin(), loaded.end(), "user32.dll")) << "modules were read";
  for (const char* library : {"wininet.dll", "gdiplus.dll", "comdlg32.dll"}) {
    EXPECT_FALSE(std::binary_search(loaded.begin(), loaded.end(), library)) << library;
  }
  CloseAndExpectExitCodeZero();
}

TEST_F(ZantoE2E, CalendarIsAToolPopupOfTheLayoutSizeAtWinPosWithFiveButtons) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(CloseAndExpectExitCodeZero());
  WriteWinPos(200, 60);
  const SIZE expected = ShippedClientSize();
  ASSERT_NO_FATAL_FAILURE(Start());

  EXPECT_EQ(driver::ClassName(window), kMainClass);
  EXPECT_EQ(driver::Text(window), L"");
  const LONG_PTR style = driver::Style(window);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_CHILD));
  const LONG_PTR exStyle = driver::ExStyle(window);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
  SavedSettings saved;
  ASSERT_EQ(saved.error, 0);
  // The colour key is in use only in the transparent mode.
  EXPECT_EQ((exStyle & WS_EX_LAYERED) != 0, saved.options().BackMode == 2);
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(driver::ClassName(owner), kProbeClass);

  const RECT rect = driver::WindowRect(window);
  EXPECT_EQ(rect.left, 200);
  EXPECT_EQ(rect.top, 60);
  const RECT client = driver::ClientRect(window);
  EXPECT_EQ(client.right, expected.cx);
  EXPECT_EQ(client.bottom, expected.cy);
  EXPECT_EQ(rect.right - rect.left, expected.cx) << "no frame around the picture";

  // Without a button image: plain 24 x 20 buttons, side by side, centred, 4 pixels down.
  const int firstX = (expected.cx - 5 * 24) / 2;
  for (int i = 0; i < kButtonCount; ++i) {
    HWND button = GetDlgItem(window, kFirstButtonId + i);
    ASSERT_NE(button, nullptr) << "button " << kFirstButtonId + i;
    EXPECT_EQ(driver::TextAnsi(button), kButtonTexts[i]);
    const LONG_PTR buttonStyle = driver::Style(button);
    EXPECT_EQ(buttonStyle & (WS_CHILD | WS_VISIBLE | BS_CENTER | BS_VCENTER),
              WS_CHILD | WS_VISIBLE | BS_CENTER | BS_VCENTER);
    EXPECT_NE(buttonStyle & BS_TYPEMASK, BS_OWNERDRAW);
    const RECT at = driver::ChildRect(button);
    EXPECT_EQ(at.left, firstX + 24 * i);
    EXPECT_EQ(at.top, 4);
    EXPECT_EQ(at.right - at.left, 24);
    EXPECT_EQ(at.bottom - at.top, 20);
  }

  Picture();
  driver::SaveScreenshot(L"zanto_desktop");
  driver::SaveScreenshot(window, L"zanto_calendar");
  CloseAndExpectExitCodeZero();
}

TEST_F(ZantoE2E, ButtonsAndKeysChangeTheShownMonthAndSpaceReturns) {
  const int previousYear = kFirstButtonId, previousMonth = kFirstButtonId + 1,
            todayButton = kFirstButtonId + 2, nextMonth = kFirstButtonId + 3,
            nextYear = kFirstButtonId + 4;
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::vector<DWORD> today = Picture();

  Click(nextMonth);
  const std::vector<DWORD> oneOn = NewPicture(today);
  Click(previousMonth);
  EXPECT_TRUE(Shows(today)) << "\"<\" comes back";

  for (int i = 0; i < 3; ++i) Click(nextMonth);
  const std::vector<DWORD> threeOn = NewPicture(today);
  EXPECT_NE(threeOn, oneOn);
  Key(VK_SPACE, 1);
  EXPECT_TRUE(Shows(today)) << "Space returns to today";

  // One key message with a repeat count of 3 moves three months at once.
  Key(VK_RIGHT, 3);
  EXPECT_TRUE(Shows(threeOn));
  Key(VK_LEFT, 3);
  EXPECT_TRUE(Shows(today));

  Click(nextYear);
  const std::vector<DWORD> yearOn = NewPicture(today);
  EXPECT_NE(yearOn, oneOn);
  Key(VK_UP, 1);
  EXPECT_TRUE(Shows(today));
  Key(VK_DOWN, 1);
  EXPECT_TRUE(Shows(yearOn));
  Click(previousYear);
  Click(nextMonth);
  EXPECT_TRUE(Shows(oneOn));
  Click(todayButton);
  EXPECT_TRUE(Shows(today)) << "the today button returns to today";

  // Other keys change nothing.
  Key('A', 1);
  EXPECT_EQ(Picture(), today);
  CloseAndExpectExitCodeZero();
}

TEST_F(ZantoE2E, ShiftClickAndMiddleButtonCycleTheBackgroundModeAndSaveIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  SavedSettings shipped;
  ASSERT_EQ(shipped.error, 0);
  ASSERT_EQ(shipped.options().BackMode, 1) << "the shipped settings start with the fill";

  ASSERT_NO_FATAL_FAILURE(ClickWith(MK_SHIFT));
  ASSERT_TRUE(WaitForSavedBackMode(2)) << "fill -> transparent";
  EXPECT_TRUE(driver::ExStyle(window) & WS_EX_LAYERED) << "the colour key needs a layered window";
  ASSERT_NO_FATAL_FAILURE(ClickWith(MK_SHIFT));
  ASSERT_TRUE(WaitForSavedBackMode(0)) << "transparent -> wallpaper";
  EXPECT_FALSE(driver::ExStyle(window) & WS_EX_LAYERED);
  driver::Post(window, WM_MBUTTONUP, 0, MAKELPARAM(30, 100));
  ASSERT_TRUE(WaitForSavedBackMode(1)) << "wallpaper -> fill, by the middle button";
  EXPECT_FALSE(driver::ExStyle(window) & WS_EX_LAYERED);
  Picture();
  driver::SaveScreenshot(window, L"zanto_fill_mode");

  // A plain click changes nothing: the next Shift click goes on from fill to transparent.
  ASSERT_NO_FATAL_FAILURE(ClickWith(0));
  ASSERT_NO_FATAL_FAILURE(ClickWith(MK_SHIFT));
  ASSERT_TRUE(WaitForSavedBackMode(2));
  CloseAndExpectExitCodeZero();

  SavedSettings after;
  ASSERT_EQ(after.error, 0) << "the settings file is intact after the end";
  EXPECT_EQ(after.options().BackMode, 2);
  EXPECT_EQ(after.options().AlwaysBottom, shipped.options().AlwaysBottom);
  EXPECT_EQ(after.options().WinPos.Left, shipped.options().WinPos.Left) << "clicks move nothing";
}

TEST_F(ZantoE2E, PositionOffEveryMonitorStartsWhollyOnScreenAndIsNotWritten) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(CloseAndExpectExitCodeZero());
  WriteWinPos(50000, 40000);
  const std::string own = ReadFile(SettingsPath);

  ASSERT_NO_FATAL_FAILURE(Start());
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  // The least move onto the screen: into its bottom right corner.
  const RECT rect = driver::WindowRect(window);
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.bottom, work.bottom);
  CloseAndExpectExitCodeZero();
  EXPECT_EQ(ReadFile(SettingsPath), own) << "the saved position waits until the user moves it";
}

TEST_F(ZantoE2E, ProgramRenamedWithABackslashTrailByteStillFindsItsHolidayTable) {
  // 予定表.exe: both 予 and 表 end in the byte of a backslash.
  const std::string renamed = "\x97\x5c\x92\xe8\x95\x5c.exe";
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "zanto-e2e-renamed-" + std::to_string(GetCurrentProcessId()) + "\\";
  RemoveFolder(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string program = Narrow(driver::ProgramFolder());
  for (const char* file : {"Settings.xml", "Holidays00.xml"}) {
    ASSERT_TRUE(CopyFileA((program + file).c_str(), (folder + file).c_str(), FALSE)) << file;
  }
  ASSERT_TRUE(CopyFileA((program + "Zanto.exe").c_str(), (folder + renamed).c_str(), FALSE));

  zanto = driver::Process::StartAnsi("\"" + folder + renamed + "\"");
  ASSERT_TRUE(zanto.Started());
  window = driver::WaitForWindow(zanto, kMainClass);
  ASSERT_NE(window, nullptr) << "no calendar window";
  zanto.WaitForIdle(driver::kStartTimeoutMs);
  EXPECT_TRUE(Exists(SettingsPath));
  EXPECT_TRUE(Exists(DataFolder + "Holidays00.xml")) << "the shipped table beside the program";
  CloseAndExpectExitCodeZero();
  RemoveFolder(folder);
}

TEST_F(ZantoE2E, MissingSettingsShowTheErrorBoxAndEndWithOne) {
  // A program folder without the default settings.
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "zanto-e2e-" + std::to_string(GetCurrentProcessId()) + "\\";
  RemoveFolder(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string program = Narrow(driver::ProgramFolder());
  for (const char* file : {"Zanto.exe", "Holidays00.xml"}) {
    ASSERT_TRUE(CopyFileA((program + file).c_str(), (folder + file).c_str(), FALSE)) << file;
  }

  zanto = driver::Process::StartAnsi("\"" + folder + "Zanto.exe\"");
  ASSERT_TRUE(zanto.Started());
  HWND box = driver::WaitForWindow(zanto, kDialogClass);
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(driver::TextAnsi(box), "Zanto");
  EXPECT_EQ(driver::TextAnsi(GetDlgItem(box, kMessageBoxTextId)),
            std::string(kSettingsErrorStart) + "3] " + SettingsPath);
  driver::SaveScreenshot(box, L"zanto_settings_error");
  EXPECT_TRUE(driver::TopLevelWindows(zanto.Id(), kMainClass).empty());

  driver::Post(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 1u);
  EXPECT_FALSE(Exists(SettingsPath));
  RemoveFolder(folder);
}

}  // namespace
