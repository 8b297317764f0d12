// End-to-end tests of the tray icon, the menus and their commands, the memo editor, the
// schedule notifications and the suspend/resume shortcuts. They run the calendar's test
// build, whose tick reads the time from "SteeredClock.txt" beside it, from a program folder
// of their own whose name has a blank in it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "app/menus.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/hoshiro_resource.h"
#include "resources/zanto_resource.h"
#include "support/desktop.h"
#include "support/driver.h"
#include "support/steered_calendar.h"
#include "../common/test_files.h"
// clang-format off
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
// clang-format on

namespace {

using driver::Descendant;
using driver::SetText;

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
// The menu texts in Shift_JIS.
const char kMove[] = "\x88\xda\x93\xae";                                    // 移動
const char kBottom[] = "\x92\xca\x8f\xed\x82\xcd\x8d\xc5\x94\x77\x96\xca";  // 通常は最背面
// 現在位置をホームに設定
const char kSetHome[] =
    "\x8c\xbb\x8d\xdd\x88\xca\x92\x75\x82\xf0\x83\x7a\x81\x5b\x83\x80\x82\xc9\x90\xdd\x92\xe8";
const char kDisplay[] = "\x91\x53\x91\xcc\x95\x5c\x8e\xa6\x90\xdd\x92\xe8...";  // 全体表示設定...
const char kDayTypes[] =
    "\x93\xfa\x95\x74\x83\x5e\x83\x43\x83\x76\x90\xdd\x92\xe8...";  // 日付タイプ設定...
const char kVersion[] =
    "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1...";    // バージョン情報...
const char kExit[] = "\x8f\x49\x97\xb9";                              // 終了
const char kTopRight[] = "\x89\xe6\x96\xca\x89\x45\x8f\xe3\x82\xd6";  // 画面右上へ
const char kGoHome[] =
    "\x83\x7a\x81\x5b\x83\x80\x88\xca\x92\x75\x82\xd6\x88\xda\x93\xae";  // ホーム位置へ移動
const char kStopSaving[] =
    "\x8f\xc8\x93\x64\x97\xcd\x90\xa7\x8c\xe4\x82\xcc\x92\xe2\x8e\x7e";  // 省電力制御の停止
// Windows の起動時に開始
const char kWithWindows[] = "Windows \x82\xcc\x8b\x4e\x93\xae\x8e\x9e\x82\xc9\x8a\x4a\x8e\x6e";

// One popup item as the tests read it: "id text", with " *" when checked.
std::string Item(int id, const char* text, bool checked = false) {
  return std::to_string(id) + " " + text + (checked ? " *" : "");
}

// The items of a popup as "id text", "id text *" when checked, "-" for a separator.
std::vector<std::string> ReadPopup(HMENU popup) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    char text[256] = "";
    GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
    const int id = static_cast<int>(GetMenuItemID(popup, i));
    items.push_back((state & MF_SEPARATOR) ? "-" : Item(id, text, state & MF_CHECKED));
  }
  return items;
}

TEST(ZantoMenus, PopupsReadItemByItemWithEntriesAndCheckMarksFromTheOptions) {
  CXmlNodeArray<CExternApp> apps, none;
  for (const char* name : {"Notes", "Mail", "Web"}) {
    apps.push_back(new CExternApp);
    apps.back()->Menu = name;
  }
  // clang-format off
  std::vector<std::string> main = {
      Item(40008, kMove), Item(40009, kBottom, true), Item(40013, kSetHome), "-",
      Item(40003, kDisplay), Item(40004, kDayTypes), "-",
      Item(41100, "Notes"), Item(41101, "Mail"), Item(41102, "Web"), "-",
      Item(40007, kVersion), "-", Item(40001, kExit)};
  // clang-format on
  EXPECT_EQ(ReadPopup(PrepareMainPopup(MenuResource(), apps, 1)), main);
  main.erase(main.begin() + 7, main.begin() + 11);
  main[1] = Item(40009, kBottom);
  EXPECT_EQ(ReadPopup(PrepareMainPopup(MenuResource(), none, 0)), main) << "no extra separator";
  for (bool on : {true, false}) {
    EXPECT_EQ(ReadPopup(PrepareTrayPopup(MenuResource(), on, !on)),
              (std::vector<std::string>{Item(40005, kTopRight), Item(40015, kGoHome), "-",
                                        Item(40011, kStopSaving, on), Item(40017, kWithWindows, !on),
                                        Item(40007, kVersion), "-", Item(40001, kExit)}));
  }
}

// The calendar's icon (id 1) of the window in the notification area.
bool Icon(DWORD message, HWND owner) {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = sizeof icon;
  icon.hWnd = owner;
  icon.uID = 1;
  return Shell_NotifyIconA(message, &icon) != FALSE;
}

bool IconPresent(HWND owner) { return Icon(NIM_MODIFY, owner); }

TEST(ZantoTrayIcon, ABusyShellIsRetriedFromATimerWithoutWaiting) {
  HWND owner =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  CalendarApp& app = CalendarApp::Instance();
  app.mainWindow = owner;
  // The shell refuses the icon while another one holds its place.
  ASSERT_TRUE(Icon(NIM_ADD, owner));
  const DWORD began = GetTickCount();
  EXPECT_FALSE(app.AddTrayIcon());
  EXPECT_TRUE(KillTimer(owner, IDT_TRAY_RETRY)) << "a failed add leaves the retry timer running";
  for (int i = 1; i < 16; ++i) app.RetryTrayIcon();
  EXPECT_LT(GetTickCount() - began, 2000u) << "the calendar's thread never sleeps";
  EXPECT_FALSE(KillTimer(owner, IDT_TRAY_RETRY)) << "no retry after the 16th attempt";
  // The shell gets ready after a few attempts: the next retry adds the icon and stops.
  EXPECT_FALSE(app.AddTrayIcon());
  ASSERT_TRUE(Icon(NIM_DELETE, owner));
  app.RetryTrayIcon();
  EXPECT_TRUE(IconPresent(owner));
  EXPECT_FALSE(KillTimer(owner, IDT_TRAY_RETRY));
  app.RemoveTrayIcon();
  CalendarApp::Destroy();
  DestroyWindow(owner);
}

// Whether the calendar's icon was still in the notification area when its window began to be
// destroyed: by then the icon must be gone, or a dead icon stays until the mouse passes it.
HHOOK destroyHook = nullptr;
HWND watchedWindow = nullptr;
int iconAtDestroy = -1;
LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == watchedWindow) {
    iconAtDestroy = IconPresent(watchedWindow) ? 1 : 0;
  }
  return CallNextHookEx(destroyHook, code, wParam, lParam);
}

TEST(ZantoTrayIcon, TheIconIsGoneBeforeTheWindowIsDestroyed) {
  SHCreateDirectoryExA(nullptr, DataFolder.substr(0, DataFolder.size() - 1).c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((driver::ProgramFolder() + L"Settings.xml").c_str(),
                        desktop::Wide(SettingsPath).c_str(), FALSE));
  CalendarApp& app = CalendarApp::Instance();
  ASSERT_EQ(app.Initialize(), 0);
  HWND window = app.CreateWindows();
  ASSERT_NE(window, nullptr);
  app.FinishStart();
  ASSERT_TRUE(IconPresent(window));
  watchedWindow = window;
  destroyHook = SetWindowsHookExA(WH_CBT, WatchDestroy, nullptr, GetCurrentThreadId());
  ASSERT_NE(destroyHook, nullptr);
  SendMessageA(window, WM_CLOSE, 0, 0);
  UnhookWindowsHookEx(destroyHook);
  EXPECT_EQ(iconAtDestroy, 0);
  EXPECT_FALSE(IsWindow(window));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the end was posted";
}

// The options as the settings file holds them now.
const COptions& Saved() {
  static CSettings file;
  file.Load();
  return file.Options;
}

class TrayE2E : public steered::SteeredCalendarTest {
 protected:
  TrayE2E()
      : SteeredCalendarTest("zanto tray ", steered::SteeredCalendar::Data::kShippedSettings) {}

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SteeredCalendarTest::SetUp());
    ASSERT_TRUE(desktop::RemoveFolder(marks));
    ASSERT_TRUE(CreateDirectoryA(marks.c_str(), nullptr));
  }

  void TearDown() override {
    SteeredCalendarTest::TearDown();
    desktop::RemoveFolder(marks);
  }

  // A schedule of today with its lead time (negative: notification off).
  void AddSchedule(int start, int lead, const std::string& message) {
    DateNote note(today.wYear, today.wMonth, today.wDay);
    DateNoteArray::LoadNote("ZantoMemo", note);
    note.schedules.push_back(new DateSchedule);
    note.schedules.back()->time = start;
    note.schedules.back()->Notice = lead;
    note.schedules.back()->Message = message;
    ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
  }

  // "移動", the cursor taken to (x, y) and the button let go: the window's centre is dropped
  // there.
  void DropAt(int x, int y) {
    const int width = driver::ClientRect(window).right;
    Send(WM_COMMAND, IDM_MOVE);
    SetCursorPos(x, y);
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::WindowRect(window).left == x - width / 2; }, 3000));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(width / 2, driver::ClientRect(window).bottom / 2));
  }

  const std::string marks = steered::TempFolder("zanto-marks-");
};

TEST_F(TrayE2E, CommandsMoveTheWindowWriteTheirOptionsAndExitTakesTheIconAlong) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const int width = driver::ClientRect(window).right, bottom = Saved().AlwaysBottom;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Send(WM_COMMAND, IDM_ALWAYS_BOTTOM);
  EXPECT_EQ(Saved().AlwaysBottom, !bottom);
  Send(WM_COMMAND, IDM_TOP_RIGHT);
  EXPECT_EQ(driver::WindowRect(window).right, work.right);
  EXPECT_EQ(Saved().WinPos.Left, work.right - width);
  Send(WM_COMMAND, IDM_SET_HOME);
  EXPECT_EQ(Saved().HomePos.Left, work.right - width);
  EXPECT_EQ(Saved().HomePos.Top, work.top);
  // "移動": the centre follows the cursor; the release drops the window and saves the place.
  ASSERT_NO_FATAL_FAILURE(DropAt(300, 250));
  EXPECT_EQ(Saved().WinPos.Left, 300 - width / 2);
  Send(WM_COMMAND, IDM_GO_HOME);
  EXPECT_EQ(driver::WindowRect(window).top, work.top);
  EXPECT_EQ(Saved().WinPos.Left, work.right - width);
  // A home that lies half off the screen (set where a monitor has gone since): the calendar
  // goes there as far as it stays wholly visible; the home itself is kept.
  const int height = driver::ClientRect(window).bottom;
  ASSERT_TRUE(driver::SetWindowRect(window, RECT{work.right - width / 2, work.bottom - height / 2,
                                                 work.right + width / 2, work.bottom + height / 2}));
  Send(WM_COMMAND, IDM_SET_HOME);
  Send(WM_COMMAND, IDM_TOP_RIGHT);
  Send(WM_COMMAND, IDM_GO_HOME);
  EXPECT_EQ(driver::WindowRect(window).right, work.right);
  EXPECT_EQ(driver::WindowRect(window).bottom, work.bottom);
  EXPECT_EQ(Saved().WinPos.Left, work.right - width / 2);
  // A monitor unplugged or re-arranged: the calendar is put wholly on a screen again.
  Send(WM_COMMAND, IDM_TOP_RIGHT);
  ASSERT_TRUE(driver::SetWindowRect(window, RECT{work.right - 20, 5, work.right - 20 + width, 5 + height}));
  Send(WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
  EXPECT_EQ(driver::WindowRect(window).right, work.right);
  EXPECT_EQ(driver::WindowRect(window).top, work.top);

  // A file another program holds open stays as it is; the switch stays changed in memory.
  const std::string before = ReadFile(SettingsPath);
  HANDLE lock =
      CreateFileA(SettingsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Send(WM_COMMAND, IDM_ALWAYS_BOTTOM);
  CloseHandle(lock);
  EXPECT_EQ(ReadFile(SettingsPath), before);
  Send(WM_COMMAND, IDM_ALWAYS_BOTTOM);
  EXPECT_EQ(Saved().AlwaysBottom, !bottom) << "the unsaved switch was kept in memory";

  // "省電力制御の停止" shows its notice only when switched on.
  for (int on : {1, 0}) {
    driver::Post(window, WM_COMMAND, IDM_STOP_POWER_SAVE, 0);
    HWND box = WaitFor(kDialogClass, on ? 5000 : 1500);
    EXPECT_EQ(box != nullptr, on == 1);
    if (box) {
      driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP);
      EXPECT_EQ(WaitFor(kMenuClass, 1500), nullptr) << "no tray menu over a message box";
      char notice[512] = "";
      LoadStringA(GetModuleHandleA(nullptr), IDS_POWER_SAVE_NOTICE, notice, sizeof notice);
      EXPECT_EQ(driver::TextAnsi(GetDlgItem(box, 0xFFFF)), notice);
      driver::Post(box, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(Gone(kDialogClass));
    }
    EXPECT_TRUE(driver::WaitUntil([&] { return Saved().EnableStopPWM == on; }, 3000));
  }

  // The icon is there, comes back when the shell restarts, and goes with the program.
  ASSERT_TRUE(IconPresent(window));
  Icon(NIM_DELETE, window);
  Send(RegisterWindowMessageA("TaskbarCreated"), 0);
  EXPECT_TRUE(IconPresent(window));
  CloseAndExpectExitCodeZero();
  EXPECT_FALSE(IconPresent(window));
}

TEST_F(TrayE2E, PopupsOpenTheirEntriesAndDialogsKeepTheTrayMenuClosed) {
  ASSERT_TRUE(desktop::CreateShortcut(marks + "Notes.lnk", "C:\\windows\\system32\\cmd.exe",
                                      "/c echo ran> " + marks + "Notes.mark"));
  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, SettingsPath), 0);
  XMLElement* list = FindOrAppendChild(doc.FirstChildElement(), "ExternApps");
  for (const char* name : {"Notes", "Mail", "Web"}) {
    XMLElement* entry = list->InsertNewChildElement("ExternApp");
    entry->SetAttribute("menu", name);
    entry->SetText((marks + name + ".lnk").c_str());
  }
  ASSERT_EQ(SaveXmlFile(doc, SettingsPath), 0);
  ASSERT_NO_FATAL_FAILURE(Start());

  driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP);
  ASSERT_NE(WaitFor(kMenuClass), nullptr) << "no tray popup";
  driver::SaveScreenshot(L"zanto_tray_popup");
  driver::Post(WaitFor(kMenuClass), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(Gone(kMenuClass));
  // Right click, down to the first entry after "日付タイプ設定..." and Enter: it is opened.
  driver::Post(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 100));
  driver::Post(window, WM_RBUTTONUP, 0, MAKELPARAM(30, 100));
  ASSERT_NE(WaitFor(kMenuClass), nullptr) << "no context popup";
  driver::SaveScreenshot(L"zanto_main_popup");
  // Shift+F10 or the Application key: the same menu at the window's top-left corner.
  driver::Post(WaitFor(kMenuClass), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(Gone(kMenuClass));
  driver::Post(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
  HWND keyboardMenu = WaitFor(kMenuClass);
  ASSERT_NE(keyboardMenu, nullptr) << "no menu from the keyboard";
  EXPECT_EQ(driver::WindowRect(keyboardMenu).left, driver::WindowRect(window).left);
  EXPECT_EQ(driver::WindowRect(keyboardMenu).top, driver::WindowRect(window).top);
  driver::Post(keyboardMenu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(Gone(kMenuClass));
  driver::Post(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 100));
  driver::Post(window, WM_RBUTTONUP, 0, MAKELPARAM(30, 100));
  ASSERT_NE(WaitFor(kMenuClass), nullptr) << "no context popup";
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
    driver::Post(WaitFor(kMenuClass), WM_KEYDOWN, key, 0);
  EXPECT_TRUE(driver::WaitUntil(
      [&] { return PathFileExistsA((marks + "Notes.mark").c_str()) != FALSE; }, 20000));

  for (int command : {IDM_VERSION, IDM_DAY_TYPES}) {
    driver::Post(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND dialog = WaitFor(kDialogClass);
    ASSERT_NE(dialog, nullptr) << command;
    driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP);
    EXPECT_EQ(WaitFor(kMenuClass, 1500), nullptr) << "no tray menu over a dialog";
    driver::Post(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Gone(kDialogClass));
  }
  EXPECT_EQ(CSettings().Load(), 0) << "the decoration list was written back whole";

  // Display settings confirmed with OK are written, and the calendar grows from its corner
  // where there is room, and stays wholly on the screen where there is none.
  ASSERT_NO_FATAL_FAILURE(DropAt(300, 250));
  const RECT before = driver::WindowRect(window);
  CSettings saved;
  saved.Load();
  const int spaceX = saved.DateExpression.SpaceX;
  driver::Post(window, WM_COMMAND, IDM_DISPLAY_SETTINGS, 0);
  HWND dialog = WaitFor(kDialogClass);
  ASSERT_NE(Descendant(dialog, IDC_FORM_SPACE_X), nullptr);
  SetText(Descendant(dialog, IDC_FORM_SPACE_X), std::to_wstring(spaceX + 200));
  driver::Post(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(kDialogClass));
  Send(WM_NULL, 0);  // answered once the command's handler has finished
  saved.Load();
  EXPECT_EQ(saved.DateExpression.SpaceX, spaceX + 200);
  const RECT after = driver::WindowRect(window);
  EXPECT_EQ(after.left, before.left);
  EXPECT_GT(after.right, before.right);
  Send(WM_COMMAND, IDM_TOP_RIGHT);
  driver::Post(window, WM_COMMAND, IDM_DISPLAY_SETTINGS, 0);
  dialog = WaitFor(kDialogClass);
  ASSERT_NE(dialog, nullptr);
  SetText(Descendant(dialog, IDC_FORM_SPACE_X), std::to_wstring(spaceX + 300));
  driver::Post(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(kDialogClass));
  Send(WM_NULL, 0);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(driver::WindowRect(window).right, work.right) << "grown to the left, not off the screen";
  EXPECT_GT(driver::WindowRect(window).right - driver::WindowRect(window).left, after.right - after.left);
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, AMemoWrittenOnADayIsStoredRemindedOnceAndDeleted) {
  AddSchedule(10 * 60 + 2, ~0, "Quiet");
  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Send(WM_TIMER, IDT_TICK);
  const POINT cell = DayCell(today.wYear, today.wMonth, today.wDay);
  const int tools = ToolCount();

  // The memo editor on a double click: a text and a schedule at 10:02 without lead time.
  driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  HWND dialog = WaitFor(kDialogClass);
  ASSERT_NE(dialog, nullptr) << "no memo editor";
  SetText(GetDlgItem(dialog, IDC_MEMO_TEXT), L"Dentist \u6b6f\u533b\u8005");
  driver::Send(GetDlgItem(dialog, IDC_MEMO_ADD_SCHEDULE), BM_CLICK);
  // The new schedule's page replaces the page of the one with notification off.
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        HWND message = Descendant(dialog, IDC_SCHE_MESSAGE);
        return message && driver::Text(message).empty();
      },
      5000));
  const std::pair<int, const wchar_t*> fields[] = {{IDC_SCHE_START_HOUR, L"10"},
                                                   {IDC_SCHE_START_MINUTE, L"2"},
                                                   {IDC_SCHE_LEAD_HOUR, L"0"},
                                                   {IDC_SCHE_LEAD_MINUTE, L"0"},
                                                   {IDC_SCHE_MESSAGE, L"Bring the card"}};
  for (const auto& field : fields) SetText(Descendant(dialog, field.first), field.second);
  // Painted in full before it is shot, also on a busy machine.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  zanto.WaitForIdle(5000);
  Sleep(1000);
  driver::SaveScreenshot(dialog, L"zanto_memo_editor_from_calendar");
  driver::Post(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(kDialogClass));
  Send(WM_NULL, 0);  // answered once the double click's handler has finished
  DateNote stored(today.wYear, today.wMonth, today.wDay);
  DateNoteArray::LoadNote("ZantoMemo", stored);
  EXPECT_EQ(stored.Title, "Dentist \x8e\x95\x88\xe3\x8e\xd2");
  ASSERT_EQ(stored.schedules.size(), 2u);
  EXPECT_EQ(stored.schedules[1]->Message, "Bring the card");
  EXPECT_EQ(ToolCount(), tools + 1) << "the day has its tooltip";

  // At 10:02 one message window, by the program folder's Hoshiro; later ticks add none.
  SetClock(10, 2);
  for (int i = 0; i < 3; ++i) Send(WM_TIMER, IDT_TICK);
  std::vector<HWND> shown;
  ASSERT_TRUE(
      driver::WaitUntil([&] { return !(shown = Hoshiros()).empty(); }, driver::kStartTimeoutMs));
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        return driver::Text(GetDlgItem(shown[0], IDC_MESSAGE_TEXT)) == L"[10:02] Bring the card";
      },
      5000));
  Sleep(2000);
  EXPECT_EQ(Hoshiros().size(), 1u) << "once, and nothing for the schedule with notification off";
  // Taken once the window has had time to paint its text.
  driver::SaveScreenshot(shown[0], L"hoshiro_from_notification");

  // Reopened, the editor shows the memo; 全削除 removes it from the file and the display.
  driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  ASSERT_NE(dialog = WaitFor(kDialogClass), nullptr);
  EXPECT_EQ(driver::Text(GetDlgItem(dialog, IDC_MEMO_TEXT)), L"Dentist \u6b6f\u533b\u8005");
  driver::Post(dialog, WM_COMMAND, MAKEWPARAM(IDC_MEMO_DELETE_ALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_MEMO_DELETE_ALL)));
  ASSERT_TRUE(Gone(kDialogClass));
  Send(WM_NULL, 0);
  DateNote gone(today.wYear, today.wMonth, today.wDay);
  DateNoteArray::LoadNote("ZantoMemo", gone);
  EXPECT_TRUE(gone.Title.empty() && gone.schedules.empty());
  EXPECT_EQ(ToolCount(), tools);
  CloseAndExpectExitCodeZero();
}

// "Windows の起動時に開始" in the tray menu: a shortcut of the user's Startup folder, made in
// this prefix's own profile and removed again.
TEST_F(TrayE2E, StartWithWindowsMakesAndRemovesTheStartupShortcut) {
  char startup[MAX_PATH] = "";
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
  const std::string link = std::string(startup) + "\\Zanto.lnk", own = std::string(startup) + "\\My calendar.lnk";
  // Zanto.lnk of another copy of the calendar does not count: choosing the item points it here.
  ASSERT_TRUE(desktop::CreateShortcut(link, "C:\\Elsewhere\\Zanto.exe", ""));
  ASSERT_NO_FATAL_FAILURE(Start());
  Send(WM_COMMAND, IDM_START_WITH_WINDOWS);
  std::string working;
  EXPECT_EQ(lstrcmpiA(desktop::ShortcutTarget(link, &working).c_str(), (folder + "Zanto.exe").c_str()), 0)
      << desktop::ShortcutTarget(link);
  if (!working.empty() && working.back() != '\\') working += '\\';
  EXPECT_EQ(lstrcmpiA(working.c_str(), folder.c_str()), 0) << "started in the program folder, not " << working;
  // Chosen again with a shortcut of the user's own to this program beside it: both go.
  ASSERT_TRUE(desktop::CreateShortcut(own, folder + "Zanto.exe", ""));
  Send(WM_COMMAND, IDM_START_WITH_WINDOWS);
  EXPECT_FALSE(PathFileExistsA(link.c_str()));
  EXPECT_FALSE(PathFileExistsA(own.c_str()));
  CloseAndExpectExitCodeZero();
}

TEST_F(TrayE2E, OnlyTheProgramFoldersHoshiroAndShortcutsRun) {
  // The program folder lost its Hoshiro.exe; one lies in the folder the calendar starts from,
  // and one is named after the program folder's path up to its first blank ("...\zanto tray
  // 123\" would start "...\zanto.exe" if the path went unquoted).
  ASSERT_TRUE(MoveFileA((folder + "Hoshiro.exe").c_str(), (marks + "Hoshiro.exe").c_str()));
  const std::string firstWord = folder.substr(0, folder.find(' ')) + ".exe";
  ASSERT_TRUE(CopyFileA((marks + "Hoshiro.exe").c_str(), firstWord.c_str(), FALSE)) << firstWord;
  AddSchedule(10 * 60 + 1, 0, "Planted");
  for (const char* name : {"Suspend01", "Suspend03", "Suspend05", "Resume01"}) {
    ASSERT_TRUE(desktop::CreateShortcut(folder + name + ".lnk", "C:\\windows\\system32\\cmd.exe",
                                        std::string("/c echo ran> ") + marks + name + ".mark"));
  }
  // A shortcut whose program is gone: skipped, without an error window, and the series goes on.
  ASSERT_TRUE(desktop::CreateShortcut(folder + "Suspend02.lnk", marks + "uninstalled.exe", ""));
  SetClock(10, 1);
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(marks.c_str());
  Start();
  SetCurrentDirectoryA(previous);
  ASSERT_FALSE(HasFatalFailure());
  auto ran = [&](const char* name) {
    return PathFileExistsA((marks + name + ".mark").c_str()) != FALSE;
  };

  driver::Post(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return ran("Suspend01") && ran("Suspend03"); }, 20000));
  EXPECT_EQ(Shown(kDialogClass), nullptr) << "no error window for the broken shortcut";
  driver::Post(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  Send(WM_TIMER, IDT_TICK);
  Sleep(2000);
  EXPECT_FALSE(ran("Suspend05")) << "the gap at 04 ends the series";
  EXPECT_FALSE(ran("Resume01")) << "only an automatic resume runs them";
  for (HWND dialog : desktop::WindowsOfClass(kDialogClass)) {
    for (const std::string& planted : {marks + "Hoshiro.exe", firstWord}) {
      EXPECT_NE(lstrcmpiW(desktop::ProgramOf(dialog).c_str(), desktop::Wide(planted).c_str()), 0)
          << "the planted " << planted << " ran";
    }
  }
  desktop::EndProgramsIn(firstWord);
  DeleteFileA(firstWord.c_str());
  driver::Post(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return ran("Resume01"); }, 20000));
  CloseAndExpectExitCodeZero();
}

}  // namespace
