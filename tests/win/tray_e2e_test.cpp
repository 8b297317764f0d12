// End-to-end tests of the tray icon, the menus and their commands, the schedule
// notifications and the suspend/resume shortcuts. They run the calendar's test build, whose
// tick reads the time from "SteeredClock.txt" beside it, from a program folder of their own
// whose name has a blank in it, with Hoshiro.exe, the default settings and the holiday table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "app/menus.h"
#include "calendar/layout.h"
#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "docs/settings.h"
#include "resources/hoshiro_resource.h"
#include "resources/zanto_resource.h"
#include "../common/test_files.h"
#include "support/desktop.h"
#include "support/driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

// The menu texts in Shift_JIS.
const char kTopRight[] = "\x89\xe6\x96\xca\x89" "E\x8f\xe3\x82\xd6";
const char kGoHome[] = "\x83" "z\x81[\x83\x80\x88\xca\x92" "u\x82\xd6\x88\xda\x93\xae";
const char kStopPowerSave[] = "\x8f\xc8\x93" "d\x97\xcd\x90\xa7\x8c\xe4\x82\xcc\x92\xe2\x8e~";
const char kVersion[] = "\x83" "o\x81[\x83" "W\x83\x87\x83\x93\x8f\xee\x95\xf1...";
const char kExit[] = "\x8f" "I\x97\xb9";
const char kMove[] = "\x88\xda\x93\xae";
const char kAlwaysBottom[] = "\x92\xca\x8f\xed\x82\xcd\x8d\xc5\x94" "w\x96\xca";
const char kSetHome[] =
    "\x8c\xbb\x8d\xdd\x88\xca\x92" "u\x82\xf0\x83" "z\x81[\x83\x80\x82\xc9\x90\xdd\x92\xe8";
const char kDisplaySettings[] = "\x91" "S\x91\xcc\x95\x5c\x8e\xa6\x90\xdd\x92\xe8...";
const char kDayTypes[] = "\x93\xfa\x95" "t\x83^\x83" "C\x83" "v\x90\xdd\x92\xe8...";
// 歯医者 (dentist).
const char kDentist[] = "\x8e\x95\x88\xe3\x8e\xd2";
// 会議 (meeting).
const char kMeeting[] = "\x89\xef\x8b" "c";

// One item of a popup as the user reads it: its id and text, "-" for a separator.
struct Item {
  UINT id;
  std::string text;
  bool checked;
  bool operator==(const Item& o) const {
    return id == o.id && text == o.text && checked == o.checked;
  }
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << item.id << " '" << item.text << "'" << (item.checked ? " checked" : "");
}

Item Separator() { return Item{0, "-", false}; }

std::vector<Item> ReadPopup(HMENU popup) {
  std::vector<Item> items;
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
    GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      items.push_back(Separator());
      continue;
    }
    char text[256] = "";
    GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(Item{info.wID, text, (info.fState & MFS_CHECKED) != 0});
  }
  return items;
}

CExternApp* ExternApp(const std::string& menu) {
  auto* app = new CExternApp;
  app->Menu = menu;
  app->Verb = "open";
  app->File = "C:\\" + menu + ".txt";
  return app;
}

TEST(ZantoMenus, MainPopupTakesTheExternalEntriesBeforeTheVersionItem) {
  CXmlNodeArray<CExternApp> apps;
  for (const char* name : {"Notes", "Mail", "Web"}) apps.push_back(ExternApp(name));
  const std::vector<Item> common = {{IDM_MOVE, kMove, false},
                                    {IDM_ALWAYS_BOTTOM, kAlwaysBottom, true},
                                    {IDM_SET_HOME, kSetHome, false},
                                    Separator(),
                                    {IDM_DISPLAY_SETTINGS, kDisplaySettings, false},
                                    {IDM_DAY_TYPES, kDayTypes, false},
                                    Separator()};
  const std::vector<Item> tail = {{IDM_VERSION, kVersion, false}, Separator(),
                                  {IDM_EXIT, kExit, false}};

  std::vector<Item> withEntries = common;
  withEntries.push_back({41100, "Notes", false});
  withEntries.push_back({41101, "Mail", false});
  withEntries.push_back({41102, "Web", false});
  withEntries.push_back(Separator());
  withEntries.insert(withEntries.end(), tail.begin(), tail.end());
  {
    MenuResource menus;
    EXPECT_EQ(ReadPopup(PrepareMainPopup(menus, apps, 1)), withEntries);
  }

  // No entries: no extra separator; the check mark follows the option.
  CXmlNodeArray<CExternApp> none;
  std::vector<Item> plain = common;
  plain[1].checked = false;
  plain.insert(plain.end(), tail.begin(), tail.end());
  MenuResource menus;
  EXPECT_EQ(ReadPopup(PrepareMainPopup(menus, none, 0)), plain);
}

TEST(ZantoMenus, TrayPopupChecksThePowerSaveStopFromTheOption) {
  for (int on : {1, 0}) {
    MenuResource menus;
    const std::vector<Item> expected = {{IDM_TOP_RIGHT, kTopRight, false},
                                        {IDM_GO_HOME, kGoHome, false},
                                        Separator(),
                                        {IDM_STOP_POWER_SAVE, kStopPowerSave, on == 1},
                                        {IDM_VERSION, kVersion, false},
                                        Separator(),
                                        {IDM_EXIT, kExit, false}};
    EXPECT_EQ(ReadPopup(PrepareTrayPopup(menus, on)), expected) << "EnableStopPWM " << on;
  }
}

bool IconPresent(HWND owner) {
  NOTIFYICONDATAA probe = {};
  probe.cbSize = sizeof probe;
  probe.hWnd = owner;
  probe.uID = 1;
  probe.uFlags = NIF_TIP;
  return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST(ZantoTrayIcon, ABusyShellIsRetriedFromATimerWithoutWaiting) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  CalendarApp& app = CalendarApp::Instance();
  app.mainWindow = owner;
  // The shell refuses the icon while another one holds its place.
  NOTIFYICONDATAA holder = {};
  holder.cbSize = sizeof holder;
  holder.hWnd = owner;
  holder.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &holder));

  // Refused 16 times: the retries stop, and none of them waited.
  DWORD began = GetTickCount();
  EXPECT_FALSE(app.AddTrayIcon());
  for (int i = 1; i < 16; ++i) app.RetryTrayIcon();
  EXPECT_LT(GetTickCount() - began, 2000u) << "the calendar's thread must not sleep";
  EXPECT_FALSE(KillTimer(owner, IDT_TRAY_RETRY)) << "no retry after the 16th attempt";

  // The shell gets ready after a few attempts: the next retry adds the icon and stops.
  EXPECT_FALSE(app.AddTrayIcon());
  for (int i = 0; i < 3; ++i) app.RetryTrayIcon();
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &holder));
  EXPECT_FALSE(IconPresent(owner));
  app.RetryTrayIcon();
  EXPECT_TRUE(IconPresent(owner));
  EXPECT_FALSE(KillTimer(owner, IDT_TRAY_RETRY)) << "no retry once the icon is there";

  app.RemoveTrayIcon();
  EXPECT_FALSE(IconPresent(owner));
  CalendarApp::Destroy();
  DestroyWindow(owner);
}

// The settings as the program would read them from the data folder.
struct SavedSettings {
  CSettings settings;
  int error = settings.Load();
  const COptions& options() const { return settings.Options; }
};

std::string QuorFolder() {
  std::string folder = DataFolder;
  folder.resize(folder.size() - std::string("Zanto\\").size());
  return folder;
}

std::string TempFolder(const std::string& name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "\\";
}

// A program that just closed its window may hold its file a moment longer.
bool RemoveFolder(const std::string& folder) {
  return driver::WaitUntil(
      [&] {
        desktop::RemoveFolder(folder);
        return !desktop::Exists(folder);
      },
      10000, 200);
}

std::string CommandProcessor() {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  return std::string(system) + "\\cmd.exe";
}

class TrayE2E : public testing::Test {
 protected:
  void SetUp() override {
    desktop::RemoveFolder(QuorFolder());
    folder = TempFolder("zanto tray ");
    ASSERT_TRUE(RemoveFolder(folder));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string program = desktop::Narrow(driver::ProgramFolder());
    const std::string tests = desktop::Narrow(driver::ExecutableFolder());
    ASSERT_TRUE(CopyFileA((tests + "ZantoSteered.exe").c_str(), (folder + "Zanto.exe").c_str(), FALSE));
    for (const char* file : {"Hoshiro.exe", "Settings.xml", "Holidays00.xml"}) {
      ASSERT_TRUE(CopyFileA((program + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    }
    GetLocalTime(&today);
  }

  void TearDown() override {
    if (zanto.Started() && zanto.Running()) zanto.Terminate();
    for (HWND dialog : HoshiroWindows()) driver::Post(dialog, WM_COMMAND, IDOK, 0);
    driver::WaitUntil([&] { return HoshiroWindows().empty(); }, 5000);
    RemoveFolder(folder);
  }

  // The time the calendar's tick reads: today at hour:minute.
  void SetClock(int hour, int minute) {
    WriteFile(folder + "SteeredClock.txt",
              std::to_string(today.wYear) + " " + std::to_string(today.wMonth) + " " +
                  std::to_string(today.wDay) + " " + std::to_string(hour) + " " +
                  std::to_string(minute) + " 0\n");
  }

  void Start() {
    zanto = driver::Process::StartAnsi("\"" + folder + "Zanto.exe\"");
    ASSERT_TRUE(zanto.Started());
    window = driver::WaitForWindow(zanto, kMainClass);
    ASSERT_NE(window, nullptr) << "no calendar window";
    zanto.WaitForIdle(driver::kStartTimeoutMs);
  }

  // A command handled to its end (for commands that open no window).
  void Command(int id) {
    bool answered = false;
    driver::Send(window, WM_COMMAND, static_cast<WPARAM>(id), 0, &answered);
    ASSERT_TRUE(answered) << "command " << id;
  }

  void Tick() {
    bool answered = false;
    driver::Send(window, WM_TIMER, IDT_TICK, 0, &answered);
    ASSERT_TRUE(answered);
  }

  void CloseAndExpectExitCodeZero() {
    ASSERT_TRUE(driver::Post(window, WM_CLOSE));
    ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
    EXPECT_EQ(zanto.ExitCode(), 0u);
  }

  // Windows of the calendar's process with the class.
  std::vector<HWND> ZantoWindows(const wchar_t* className) const {
    return driver::TopLevelWindows(zanto.Id(), className);
  }

  HWND WaitForZantoWindow(const wchar_t* className, DWORD timeoutMs = 5000) const {
    HWND found = nullptr;
    driver::WaitUntil(
        [&] {
          const std::vector<HWND> windows = ZantoWindows(className);
          found = windows.empty() ? nullptr : windows.front();
          return found != nullptr;
        },
        timeoutMs);
    return found;
  }

  // A right click on the calendar; returns its popup.
  HWND RightClick() {
    driver::Post(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 100));
    driver::Post(window, WM_RBUTTONUP, 0, MAKELPARAM(30, 100));
    return WaitForZantoWindow(kMenuClass);
  }

  void PressKeys(HWND popup, const std::vector<WPARAM>& keys) {
    for (WPARAM key : keys) driver::Post(popup, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kMenuClass).empty(); }, 5000));
  }

  // The shipped settings in the data folder, with the user's external entries (menu, target).
  void WriteSettingsWithExternApps(const std::vector<std::pair<std::string, std::string>>& apps) {
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, DataFolder.substr(0, DataFolder.size() - 1).c_str(),
                                   nullptr), ERROR_SUCCESS);
    ASSERT_TRUE(CopyFileA((folder + "Settings.xml").c_str(), SettingsPath.c_str(), FALSE));
    XMLDocument doc;
    ASSERT_EQ(LoadXmlFile(doc, SettingsPath), 0);
    XMLElement* list = FindOrAppendChild(doc.FirstChildElement(), "ExternApps");
    for (const auto& app : apps) {
      XMLElement* entry = list->InsertNewChildElement("ExternApp");
      entry->SetAttribute("menu", app.first.c_str());
      entry->SetAttribute("verb", "open");
      entry->SetText(app.second.c_str());
    }
    ASSERT_EQ(SaveXmlFile(doc, SettingsPath), 0);
  }

  // Message windows started from this test's program folder.
  std::vector<HWND> HoshiroWindows() const {
    std::vector<HWND> found;
    const std::wstring program = desktop::Wide(folder + "Hoshiro.exe");
    for (HWND dialog : desktop::VisibleWindowsOfClass(kDialogClass)) {
      if (lstrcmpiW(desktop::ProgramOf(dialog).c_str(), program.c_str()) == 0) found.push_back(dialog);
    }
    return found;
  }

  std::string folder;
  SYSTEMTIME today = {};
  driver::Process zanto;
  HWND window = nullptr;
};

TEST_F(TrayE2E, CommandsMoveTheWindowAndWriteTheirOptions) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const RECT start = driver::WindowRect(window);
  const int width = start.right - start.left, height = start.bottom - start.top;
  SavedSettings shipped;
  ASSERT_EQ(shipped.error, 0);
  const int bottom = shipped.options().AlwaysBottom;

  // "通常は最背面" switches and writes "AlwaysBottom" both ways.
  Command(IDM_ALWAYS_BOTTOM);
  EXPECT_EQ(SavedSettings().options().AlwaysBottom, !bottom);
  Command(IDM_ALWAYS_BOTTOM);
  EXPECT_EQ(SavedSettings().options().AlwaysBottom, bottom);

  // "画面右上へ": the right edge on the work area's right, the top on its top.
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  Command(IDM_TOP_RIGHT);
  RECT rect = driver::WindowRect(window);
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.top, work.top);
  EXPECT_EQ(SavedSettings().options().WinPos.Left, work.right - width);

  // "現在位置をホームに設定" keeps the window where it is and writes both positions.
  Command(IDM_SET_HOME);
  {
    SavedSettings saved;
    EXPECT_EQ(saved.options().HomePos.Left, rect.left);
    EXPECT_EQ(saved.options().HomePos.Top, rect.top);
    EXPECT_EQ(saved.options().WinPos.Left, rect.left);
  }
  EXPECT_EQ(driver::WindowRect(window).left, rect.left);

  // "移動": the window's centre follows the cursor; the release drops it there and saves it.
  Command(IDM_MOVE);
  ASSERT_TRUE(SetCursorPos(300, 250));
  EXPECT_TRUE(driver::WaitUntil(
      [&] { return driver::WindowRect(window).left == 300 - width / 2; }, 3000))
      << "the window follows the cursor";
  rect = driver::WindowRect(window);
  EXPECT_EQ(rect.top, 250 - height / 2);
  bool answered = false;
  driver::Send(window, WM_LBUTTONUP, 0, MAKELPARAM(width / 2, height / 2), &answered);
  {
    SavedSettings saved;
    EXPECT_EQ(saved.options().WinPos.Left, 300 - width / 2);
    EXPECT_EQ(saved.options().WinPos.Top, 250 - height / 2);
  }

  // "ホーム位置へ移動" goes back to the home position and writes it as the window position.
  Command(IDM_GO_HOME);
  rect = driver::WindowRect(window);
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.top, work.top);
  EXPECT_EQ(SavedSettings().options().WinPos.Left, work.right - width);
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, PowerSaveStopShowsItsNoticeOnlyWhenSwitchedOn) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_EQ(SavedSettings().options().EnableStopPWM, 0);
  ASSERT_TRUE(driver::Post(window, WM_COMMAND, IDM_STOP_POWER_SAVE, 0));
  HWND box = WaitForZantoWindow(kDialogClass);
  ASSERT_NE(box, nullptr) << "no notice";
  char notice[512] = "", caption[128] = "";
  LoadStringA(GetModuleHandleA(nullptr), IDS_POWER_SAVE_NOTICE, notice, sizeof notice);
  LoadStringA(GetModuleHandleA(nullptr), IDS_DISPLAY_NAME, caption, sizeof caption);
  EXPECT_EQ(driver::TextAnsi(GetDlgItem(box, kMessageBoxTextId)), notice);
  EXPECT_EQ(driver::TextAnsi(box), caption);
  driver::SaveScreenshot(box, L"zanto_power_save_notice");
  EXPECT_EQ(SavedSettings().options().EnableStopPWM, 1);
  driver::Post(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kDialogClass).empty(); }, 5000));

  ASSERT_TRUE(driver::Post(window, WM_COMMAND, IDM_STOP_POWER_SAVE, 0));
  EXPECT_EQ(WaitForZantoWindow(kDialogClass, 1500), nullptr) << "switching off shows nothing";
  EXPECT_TRUE(driver::WaitUntil([] { return SavedSettings().options().EnableStopPWM == 0; }, 3000));
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, AFailedOptionWriteKeepsTheFileAndTheNewValueInMemory) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string before = ReadFile(SettingsPath);
  const int bottom = SavedSettings().options().AlwaysBottom;
  // Another program holds the settings file open without sharing it.
  HANDLE lock = CreateFileA(SettingsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Command(IDM_ALWAYS_BOTTOM);
  CloseHandle(lock);
  EXPECT_EQ(ReadFile(SettingsPath), before) << "the file is left exactly as it was";
  EXPECT_TRUE(zanto.Running());
  // The switch stayed changed in memory: switching again gives back the first value.
  Command(IDM_ALWAYS_BOTTOM);
  SavedSettings after;
  EXPECT_EQ(after.error, 0);
  EXPECT_EQ(after.options().AlwaysBottom, bottom);
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, ExitEndsWithZeroAndTakesTheTrayIconAlong) {
  ASSERT_NO_FATAL_FAILURE(Start());
  NOTIFYICONDATAW probe = {};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = 1;
  probe.uFlags = NIF_TIP;
  lstrcpyW(probe.szTip, L"Zanto");
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon is in the notification area";
  // The shell restarted without it: "TaskbarCreated" brings it back.
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  bool answered = false;
  driver::Send(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0, &answered);
  ASSERT_TRUE(answered);
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "added again";
  ASSERT_TRUE(driver::Post(window, WM_COMMAND, IDM_EXIT, 0));
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 0u);
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon left with the program";
}

TEST_F(TrayE2E, TrayClickAndRightClickOpenTheirPopupsAndTheirItemsRun) {
  // Three external entries; the first opens a shortcut that leaves a mark.
  const std::string marks = TempFolder("zanto-marks-");
  ASSERT_TRUE(RemoveFolder(marks));
  ASSERT_TRUE(CreateDirectoryA(marks.c_str(), nullptr));
  ASSERT_TRUE(desktop::CreateShortcut(marks + "Notes.lnk", CommandProcessor(),
                                      "/c echo ran> " + marks + "Notes.mark"));
  ASSERT_NO_FATAL_FAILURE(WriteSettingsWithExternApps(
      {{"Notes", marks + "Notes.lnk"}, {"Mail", marks + "Mail.lnk"}, {"Web", marks + "Web.lnk"}}));

  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP));
  HWND popup = WaitForZantoWindow(kMenuClass);
  ASSERT_NE(popup, nullptr) << "no tray popup";
  driver::SaveScreenshot(L"zanto_tray_popup");
  driver::Post(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kMenuClass).empty(); }, 5000));

  // Down to "通常は最背面" and Enter: the command arrives and is written.
  popup = RightClick();
  ASSERT_NE(popup, nullptr) << "no context popup";
  driver::SaveScreenshot(L"zanto_main_popup");
  const int bottom = SavedSettings().options().AlwaysBottom;
  PressKeys(popup, {VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_TRUE(driver::WaitUntil(
      [&] { return SavedSettings().options().AlwaysBottom == !bottom; }, 5000));

  // The first external entry stands after "日付タイプ設定..." and its separator.
  popup = RightClick();
  ASSERT_NE(popup, nullptr);
  PressKeys(popup, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_TRUE(driver::WaitUntil([&] { return desktop::Exists(marks + "Notes.mark"); },
                                driver::kStartTimeoutMs))
      << "the entry's target was opened";
  CloseAndExpectExitCodeZero();
  RemoveFolder(marks);
}

TEST_F(TrayE2E, DialogsFromTheMenusKeepTheTrayMenuClosedWhileOpen) {
  ASSERT_NO_FATAL_FAILURE(Start());
  for (int command : {IDM_VERSION, IDM_DAY_TYPES}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(driver::Post(window, WM_COMMAND, static_cast<WPARAM>(command), 0));
    HWND dialog = WaitForZantoWindow(kDialogClass);
    ASSERT_NE(dialog, nullptr) << "no dialog";
    EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowEnabled(window); }, 3000))
        << "the calendar waits while the dialog runs";
    // A right click on the tray icon only brings the calendar forward.
    ASSERT_TRUE(driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP));
    EXPECT_EQ(WaitForZantoWindow(kMenuClass, 1500), nullptr) << "no tray menu over a dialog";
    driver::SaveScreenshot(dialog, command == IDM_VERSION ? L"zanto_version_from_menu"
                                                          : L"zanto_day_types_from_menu");
    driver::Post(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kDialogClass).empty(); }, 5000));
    EXPECT_TRUE(driver::WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, 3000));
  }
  EXPECT_EQ(SavedSettings().error, 0) << "the decoration list was written back whole";
  // With the dialogs closed the tray menu opens again.
  ASSERT_TRUE(driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP));
  HWND popup = WaitForZantoWindow(kMenuClass);
  ASSERT_NE(popup, nullptr);
  driver::Post(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kMenuClass).empty(); }, 5000));
  CloseAndExpectExitCodeZero();
}

HWND DescendantWithId(HWND parent, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) != s->id || !IsWindowVisible(child)) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(TrayE2E, DisplaySettingsConfirmedWithOkAreWrittenAndResizeTheCalendar) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const RECT before = driver::WindowRect(window);
  const int spaceX = SavedSettings().settings.DateExpression.SpaceX;

  ASSERT_TRUE(driver::Post(window, WM_COMMAND, IDM_DISPLAY_SETTINGS, 0));
  HWND dialog = WaitForZantoWindow(kDialogClass);
  ASSERT_NE(dialog, nullptr) << "no display settings dialog";
  zanto.WaitForIdle(5000);
  HWND spacing = DescendantWithId(dialog, IDC_FORM_SPACE_X);
  ASSERT_NE(spacing, nullptr) << "the day cell page is not shown";
  bool answered = false;
  driver::Send(spacing, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_wstring(spaceX + 200).c_str()), &answered);
  ASSERT_TRUE(answered);
  // Painted before it is shot.
  zanto.WaitForIdle(5000);
  Sleep(500);
  driver::SaveScreenshot(dialog, L"zanto_display_settings_from_menu");
  driver::Post(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kDialogClass).empty(); }, 5000));

  EXPECT_TRUE(driver::WaitUntil(
      [&] { return SavedSettings().settings.DateExpression.SpaceX == spaceX + 200; }, 5000));
  const RECT after = driver::WindowRect(window);
  EXPECT_EQ(after.left, before.left) << "the top-left corner stays";
  EXPECT_EQ(after.top, before.top);
  EXPECT_GT(after.right - after.left, before.right - before.left) << "wider day cells";
  EXPECT_EQ(driver::ClientRect(window).right, after.right - after.left);
  CloseAndExpectExitCodeZero();
}

// A client point inside the cell of day of the shown (current) month, worked out in this
// process with the program's own layout code and the settings in the data folder.
POINT DayCellCentre(int day) {
  CalendarApp& app = CalendarApp::Instance();
  app.settings = &CSettings::Instance();
  EXPECT_EQ(app.settings->Load(), 0);
  app.options = &app.settings->Options;
  SYSTEMTIME now;
  GetLocalTime(&now);
  app.shownYear = now.wYear;
  app.shownMonth = now.wMonth;
  HDC screen = GetDC(nullptr);
  app.composeDC = CreateCompatibleDC(screen);
  app.buttonImageDC = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  const RECT client = app.ComputeLayout();
  CMonthModel model;
  model.Build(now.wYear, now.wMonth);
  long sumX = 0, sumY = 0, count = 0;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (DayAtGridPoint(app.layout, model.DaysInMonth(), x, y) != day) continue;
      sumX += x;
      sumY += y;
      ++count;
    }
  }
  CalendarApp::Destroy();
  EXPECT_GT(count, 0) << "day " << day << " has no cell";
  return count ? POINT{sumX / count, sumY / count} : POINT{0, 0};
}

// Tools of the calendar's tooltip control: one for each day with a memo or a holiday.
int ToolCount(HWND calendar) {
  DWORD processId = 0;
  GetWindowThreadProcessId(calendar, &processId);
  for (HWND tip : desktop::WindowsOfProcess(processId, L"tooltips_class32")) {
    return static_cast<int>(driver::Send(tip, TTM_GETTOOLCOUNT));
  }
  return -1;
}

// Sets a control's text as typing would; an edit control reports the change to its dialog.
void SetText(HWND control, const std::wstring& text) {
  ASSERT_NE(control, nullptr);
  bool answered = false;
  driver::Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &answered);
  ASSERT_TRUE(answered);
}

TEST_F(TrayE2E, AMemoWrittenFromTheCalendarIsStoredShownRemindedAndDeleted) {
  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  const POINT cell = DayCellCentre(today.wDay);
  const int toolsBefore = ToolCount(window);
  ASSERT_GE(toolsBefore, 0);

  // A double click on today's cell opens the memo editor for today.
  ASSERT_TRUE(driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y)));
  HWND dialog = WaitForZantoWindow(kDialogClass);
  ASSERT_NE(dialog, nullptr) << "no memo editor";
  zanto.WaitForIdle(5000);
  const std::string title = std::string("Dentist ") + kDentist;
  SetText(GetDlgItem(dialog, IDC_MEMO_TEXT), desktop::Wide(title));
  bool answered = false;
  driver::Send(GetDlgItem(dialog, IDC_MEMO_ADD_SCHEDULE), BM_CLICK, 0, 0, &answered);
  ASSERT_TRUE(answered);
  ASSERT_TRUE(driver::WaitUntil([&] { return DescendantWithId(dialog, IDC_SCHE_MESSAGE) != nullptr; }, 5000))
      << "no schedule page";
  SetText(DescendantWithId(dialog, IDC_SCHE_START_HOUR), L"10");
  SetText(DescendantWithId(dialog, IDC_SCHE_START_MINUTE), L"2");
  SetText(DescendantWithId(dialog, IDC_SCHE_LEAD_HOUR), L"0");
  SetText(DescendantWithId(dialog, IDC_SCHE_LEAD_MINUTE), L"0");
  SetText(DescendantWithId(dialog, IDC_SCHE_MESSAGE), L"Bring the card");
  EXPECT_EQ(driver::Send(DescendantWithId(dialog, IDC_SCHE_NOTIFY), BM_GETCHECK), BST_CHECKED);
  zanto.WaitForIdle(5000);
  Sleep(500);
  driver::SaveScreenshot(dialog, L"zanto_memo_editor_from_calendar");
  driver::Post(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kDialogClass).empty(); }, 5000));

  // The year file holds the memo with its schedule, and the day has its tooltip.
  DateNote stored(today.wYear, today.wMonth, today.wDay);
  ASSERT_EQ(DateNoteArray::LoadNote("ZantoMemo", stored), 0);
  EXPECT_EQ(stored.Title, title);
  ASSERT_EQ(stored.schedules.size(), 1u);
  EXPECT_EQ(stored.schedules[0]->time, 10 * 60 + 2);
  EXPECT_EQ(stored.schedules[0]->Notice, 0);
  EXPECT_EQ(stored.schedules[0]->Message, "Bring the card");
  EXPECT_EQ(ToolCount(window), toolsBefore + 1);

  // Its reminder comes at 10:02.
  SetClock(10, 2);
  Tick();
  std::vector<HWND> shown;
  ASSERT_TRUE(driver::WaitUntil([&] { return !(shown = HoshiroWindows()).empty(); },
                                driver::kStartTimeoutMs));
  EXPECT_TRUE(driver::WaitUntil(
      [&] { return driver::Text(GetDlgItem(shown[0], IDC_MESSAGE_TEXT)) == L"[10:02] Bring the card"; },
      5000));

  // Reopened, the editor shows the memo; 全削除 removes it from the file and the display.
  ASSERT_TRUE(driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y)));
  dialog = WaitForZantoWindow(kDialogClass);
  ASSERT_NE(dialog, nullptr);
  zanto.WaitForIdle(5000);
  EXPECT_EQ(driver::Text(GetDlgItem(dialog, IDC_MEMO_TEXT)), desktop::Wide(title));
  driver::Post(dialog, WM_COMMAND, MAKEWPARAM(IDC_MEMO_DELETE_ALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_MEMO_DELETE_ALL)));
  ASSERT_TRUE(driver::WaitUntil([&] { return ZantoWindows(kDialogClass).empty(); }, 5000));
  DateNote gone(today.wYear, today.wMonth, today.wDay);
  ASSERT_EQ(DateNoteArray::LoadNote("ZantoMemo", gone), 0);
  EXPECT_TRUE(gone.Title.empty());
  EXPECT_TRUE(gone.schedules.empty());
  EXPECT_EQ(ToolCount(window), toolsBefore);
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, ADueScheduleStartsTheMessageProgramOnce) {
  ASSERT_TRUE(SHCreateDirectoryExA(nullptr, DataFolder.substr(0, DataFolder.size() - 1).c_str(),
                                   nullptr) == ERROR_SUCCESS);
  DateNote note(today.wYear, today.wMonth, today.wDay);
  note.Title = "memo";
  for (int notice : {0, ~0}) {
    auto* schedule = new DateSchedule;
    schedule->time = 10 * 60 + 1;
    schedule->Notice = notice;
    schedule->Message = notice == 0 ? std::string("Meeting ") + kMeeting : "Quiet";
    note.schedules.push_back(schedule);
  }
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);

  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  Sleep(1500);
  EXPECT_TRUE(HoshiroWindows().empty()) << "nothing before its minute";

  SetClock(10, 1);
  Tick();
  std::vector<HWND> shown;
  ASSERT_TRUE(driver::WaitUntil([&] { return !(shown = HoshiroWindows()).empty(); },
                                driver::kStartTimeoutMs))
      << "no message window";
  ASSERT_TRUE(driver::WaitUntil([&] { return IsWindowVisible(GetDlgItem(shown[0], IDC_MESSAGE_TEXT)) != 0; }, 5000));
  EXPECT_EQ(driver::Text(GetDlgItem(shown[0], IDC_MESSAGE_TEXT)),
            desktop::Wide(std::string("[10:01] Meeting ") + kMeeting));
  driver::SaveScreenshot(shown[0], L"hoshiro_from_notification");

  // Later ticks give out nothing again, and the schedule with its notification off never.
  Tick();
  Tick();
  Sleep(2000);
  EXPECT_EQ(HoshiroWindows().size(), 1u);
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, AMessageProgramOutsideTheProgramFolderIsNeverStarted) {
  // The program folder has lost its Hoshiro.exe; one lies in the folder the calendar is
  // started from, where a search of the current folder would find it.
  const std::string planted = TempFolder("zanto-planted-");
  ASSERT_TRUE(RemoveFolder(planted));
  ASSERT_TRUE(CreateDirectoryA(planted.c_str(), nullptr));
  ASSERT_TRUE(MoveFileA((folder + "Hoshiro.exe").c_str(), (planted + "Hoshiro.exe").c_str()));
  ASSERT_EQ(SHCreateDirectoryExA(nullptr, DataFolder.substr(0, DataFolder.size() - 1).c_str(),
                                 nullptr), ERROR_SUCCESS);
  DateNote note(today.wYear, today.wMonth, today.wDay);
  auto* schedule = new DateSchedule;
  schedule->time = 10 * 60 + 1;
  schedule->Notice = 0;
  schedule->Message = "Planted";
  note.schedules.push_back(schedule);
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);

  SetClock(10, 1);
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(planted.c_str());
  Start();
  SetCurrentDirectoryA(previous);
  ASSERT_FALSE(HasFatalFailure());
  Tick();
  Tick();
  Sleep(3000);
  const std::wstring plantedProgram = desktop::Wide(planted + "Hoshiro.exe");
  for (HWND dialog : desktop::VisibleWindowsOfClass(kDialogClass)) {
    EXPECT_NE(lstrcmpiW(desktop::ProgramOf(dialog).c_str(), plantedProgram.c_str()), 0)
        << "the planted program ran";
    if (lstrcmpiW(desktop::ProgramOf(dialog).c_str(), plantedProgram.c_str()) == 0) {
      driver::Post(dialog, WM_COMMAND, IDOK, 0);
    }
  }
  CloseAndExpectExitCodeZero();
  RemoveFolder(planted);
}

TEST_F(TrayE2E, SuspendAndResumeRunTheNumberedShortcutsUntilAGap) {
  const std::string marks = TempFolder("zanto-marks-");
  ASSERT_TRUE(RemoveFolder(marks));
  ASSERT_TRUE(CreateDirectoryA(marks.c_str(), nullptr));
  const std::string cmd = CommandProcessor();
  for (const char* name : {"Suspend01", "Suspend02", "Suspend04", "Resume01"}) {
    ASSERT_TRUE(desktop::CreateShortcut(folder + name + ".lnk", cmd,
                                        std::string("/c echo ran> ") + marks + name + ".mark"))
        << name;
  }
  ASSERT_NO_FATAL_FAILURE(Start());
  auto ran = [&](const char* name) { return desktop::Exists(marks + name + ".mark"); };

  driver::Post(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return ran("Suspend01") && ran("Suspend02"); },
                                driver::kStartTimeoutMs));
  // A resume after user input is not an automatic resume: nothing.
  driver::Post(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  Sleep(2000);
  EXPECT_FALSE(ran("Suspend04")) << "the gap at 03 ends the series";
  EXPECT_FALSE(ran("Resume01"));

  driver::Post(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return ran("Resume01"); }, driver::kStartTimeoutMs));
  CloseAndExpectExitCodeZero();
  RemoveFolder(marks);
}

}  // namespace
