// The calendar told to close while a dialog, a message box or a menu of it is open: the tray's
// "終了" under the memo-save message, taskkill without /f, the end of the Windows session. The
// open windows are cancelled first and the program ends with exit code 0, its files as they
// were. What nothing smaller can catch: the modal loops of a real process unwinding under a
// close that arrives through another process, with the crash it used to be.
#include <gtest/gtest.h>

#include <functional>
#include <string>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "resources/zanto_resource.h"
#include "support/driver.h"
#include "support/steered_calendar.h"
#include "../common/test_files.h"

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";

class CleanExitE2E : public steered::SteeredCalendarTest {
 protected:
  CleanExitE2E()
      : SteeredCalendarTest("zanto exit ", steered::SteeredCalendar::Data::kShippedSettings) {}

  std::string MemoFile() const { return MemoFilePath("ZantoMemo", today.wYear); }

  HWND OpenMemoEditor() {
    const POINT cell = DayCell(today.wYear, today.wMonth, today.wDay);
    driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    HWND editor = WaitFor(kDialogClass);
    if (editor) driver::SetText(GetDlgItem(editor, IDC_MEMO_TEXT), L"typed, never kept");
    return editor;
  }

  HWND OpenByCommand(UINT id) {
    driver::Post(window, WM_COMMAND, id, 0);
    return WaitFor(kDialogClass);
  }
};

TEST_F(CleanExitE2E, ACloseWithAnyDialogMessageBoxOrMenuOpenEndsWellAndKeepsTheFiles) {
  DateNote kept(today.wYear, today.wMonth, today.wDay);
  kept.Title = "Kept";
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", kept), 0);
  struct Case {
    const char* what;
    // Opens what is to be open at the close; false when it did not open.
    std::function<bool()> open;
    // How the close comes: WM_CLOSE, or the end of the Windows session.
    bool endSession;
  };
  HANDLE lock = INVALID_HANDLE_VALUE;
  const Case cases[] = {
      {"memo editor", [&] { return OpenMemoEditor() != nullptr; }, false},
      {"memo editor at log-off", [&] { return OpenMemoEditor() != nullptr; }, true},
      {"display settings with its font dialog over it",
       [&] {
         HWND settings = OpenByCommand(IDM_DISPLAY_SETTINGS);
         if (!settings) return false;
         driver::Post(driver::Descendant(settings, IDC_FONT_PICK), BM_CLICK);
         return WaitFor(kDialogClass, 10000, settings) != nullptr;
       },
       false},
      {"day types with a day type over it",
       [&] {
         HWND list = OpenByCommand(IDM_DAY_TYPES);
         if (!list) return false;
         driver::Post(GetDlgItem(list, IDC_EDIT_DECO), BM_CLICK);
         return WaitFor(kDialogClass, 10000, list) != nullptr;
       },
       false},
      {"version", [&] { return OpenByCommand(IDM_VERSION) != nullptr; }, false},
      {"the memo-save message",
       [&] {
         HWND editor = OpenMemoEditor();
         if (!editor) return false;
         // Another program holds the year file: OK brings the message that it was not saved.
         lock = CreateFileA(MemoFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         driver::Post(editor, WM_COMMAND, IDOK, 0);
         return WaitFor(kDialogClass, 10000, editor) != nullptr;
       },
       false},
      {"the power-saving notice, a message box of no owner",
       [&] { return OpenByCommand(IDM_STOP_POWER_SAVE) != nullptr; }, false},
      {"tray menu",
       [&] {
         driver::Post(window, WM_TRAYICON, 1, WM_RBUTTONUP);
         return WaitFor(kMenuClass) != nullptr;
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start());
    Tick();
    const std::string memos = ReadFile(MemoFile());
    ASSERT_TRUE(c.open());
    // Read once the window is open: switching the power-saving stop on writes before its notice.
    const std::string settings = ReadFile(SettingsPath);
    if (c.endSession) {
      bool answered = false;
      EXPECT_EQ(driver::Send(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &answered), TRUE);
      driver::Post(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    } else {
      driver::Post(window, WM_CLOSE);
    }
    ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs)) << "still running";
    EXPECT_EQ(zanto.ExitCode(), 0u) << "no crash, no error";
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    lock = INVALID_HANDLE_VALUE;
    EXPECT_EQ(ReadFile(SettingsPath), settings);
    EXPECT_EQ(ReadFile(MemoFile()), memos);
  }
}

// The same inside this process, where the moment of the window's destruction can be watched:
// it must come after the dialog or message box has gone, never under it.
HHOOK watchHook = nullptr;
HWND calendarWindow = nullptr;
int modalAtDestroy = -1;
LRESULT CALLBACK CloseWhenModalOpens(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) != calendarWindow && calendarWindow) {
    PostMessageA(calendarWindow, WM_CLOSE, 0, 0);
  }
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == calendarWindow) {
    modalAtDestroy = CalendarApp::Instance().modalDepth;
    calendarWindow = nullptr;
  }
  return CallNextHookEx(watchHook, code, wParam, lParam);
}

TEST_F(CleanExitE2E, TheWindowIsDestroyedOnlyAfterTheDialogOrMessageBoxHasGone) {
  for (UINT command : {IDM_VERSION, IDM_STOP_POWER_SAVE}) {
    SCOPED_TRACE(command);
    CalendarApp& app = CalendarApp::Instance();
    ASSERT_EQ(app.Initialize(), 0);
    calendarWindow = app.CreateWindows();
    ASSERT_NE(calendarWindow, nullptr);
    modalAtDestroy = -1;
    watchHook = SetWindowsHookExA(WH_CBT, CloseWhenModalOpens, nullptr, GetCurrentThreadId());
    ASSERT_NE(watchHook, nullptr);
    PostMessageA(calendarWindow, WM_COMMAND, command, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    UnhookWindowsHookEx(watchHook);
    EXPECT_EQ(modalAtDestroy, 0) << "destroyed with a modal window still running over it";
  }
}

}  // namespace
