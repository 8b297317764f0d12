// One day with the calendar, start to end, through the real program: the first start on a
// fresh data folder, two months ahead and back with the keys, a memo with a reminder written
// in the memo editor, its tip, the reminder by Hoshiro at its lead time, a larger day font
// chosen in the display settings, the background switched with a middle click, the end, and a
// second start that finds everything as it was left. The calendar is its test build, whose
// 2-second tick reads the time from "SteeredClock.txt" beside it; each step leaves a picture
// (day_in_life_1_... to day_in_life_9_...).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/holidays_doc.h"
#include "docs/memo_store.h"
#include "docs/settings.h"
#include "resources/hoshiro_resource.h"
#include "resources/zanto_resource.h"
#include "support/driver.h"
#include "support/steered_calendar.h"
// clang-format off
#include <dlgs.h>
#include <shlwapi.h>
// clang-format on

namespace {

using driver::Descendant;
using driver::SetText;

constexpr wchar_t kDialogClass[] = L"#32770";

// Days of a month that the shipped holiday table marks, as the calendar names them in tips.
int ShippedHolidays(const std::string& folder, int year, int month) {
  HolidaysDoc table;
  EXPECT_EQ(table.LoadFile(folder + "Holidays00.xml"), 0);
  HolidayArray rules;
  table.AppendRules(rules);
  CMonthModel model(rules);
  EXPECT_TRUE(model.Build(year, month));
  int days = 0;
  for (int day = 1; day <= model.DaysInMonth(); ++day) {
    days += (model.DayFlags(day) & 0xF900) != 0;
  }
  return days;
}

class DayInLife : public steered::SteeredCalendarTest {
 protected:
  DayInLife() : SteeredCalendarTest("zanto day ", steered::SteeredCalendar::Data::kNothing) {}

  void Key(WPARAM key) { Send(WM_KEYDOWN, key, MAKELPARAM(1, 0)); }

  // The calendar's shown dialog other than the one given, once it waits for input.
  HWND WaitForDialog(HWND besides = nullptr) { return WaitFor(kDialogClass, 10000, besides); }

  void Shot(const wchar_t* name) {
    UpdateWindow(window);
    zanto.WaitForIdle(5000);
    driver::SaveScreenshot(window, name);
  }
};

TEST_F(DayInLife, OneDayWithTheCalendarAndTheNextStartFindsItAsLeft) {
  // 1. First start: this month, with the shipped holidays as tips, at the shipped place.
  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  EXPECT_TRUE(PathFileExistsA(SettingsPath.c_str())) << "the settings copied into the data folder";
  EXPECT_EQ(ToolCount(), ShippedHolidays(folder, today.wYear, today.wMonth));
  Shot(L"day_in_life_1_first_start");
  const RECT first = driver::WindowRect(window);

  // 2. Two months ahead with the arrow key, and back.
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  const int ahead = today.wMonth + 2 > 12 ? today.wMonth - 10 : today.wMonth + 2;
  const int aheadYear = today.wMonth + 2 > 12 ? today.wYear + 1 : today.wYear;
  EXPECT_EQ(ToolCount(), ShippedHolidays(folder, aheadYear, ahead));
  Shot(L"day_in_life_2_two_months_ahead");
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(ToolCount(), ShippedHolidays(folder, today.wYear, today.wMonth));

  // 3. A memo on today with a schedule at 10:10, reminded five minutes before.
  const POINT cell = DayCell(today.wYear, today.wMonth, today.wDay);
  const int tools = ToolCount();
  driver::Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  HWND editor = WaitForDialog();
  ASSERT_NE(editor, nullptr) << "no memo editor";
  SetText(GetDlgItem(editor, IDC_MEMO_TEXT), L"Team meeting \u4f1a\u8b70");  // 会議
  driver::Send(GetDlgItem(editor, IDC_MEMO_ADD_SCHEDULE), BM_CLICK);
  ASSERT_TRUE(driver::WaitUntil([&] { return Descendant(editor, IDC_SCHE_MESSAGE) != nullptr; },
                                5000));
  const std::pair<int, const wchar_t*> fields[] = {{IDC_SCHE_START_HOUR, L"10"},
                                                   {IDC_SCHE_START_MINUTE, L"10"},
                                                   {IDC_SCHE_LEAD_HOUR, L"0"},
                                                   {IDC_SCHE_LEAD_MINUTE, L"5"},
                                                   {IDC_SCHE_MESSAGE, L"Room 3"}};
  for (const auto& field : fields) SetText(Descendant(editor, field.first), field.second);
  RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  driver::SaveScreenshot(editor, L"day_in_life_3_memo_editor");
  driver::Post(editor, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(editor));
  Send(WM_NULL, 0);
  DateNote stored(today.wYear, today.wMonth, today.wDay);
  DateNoteArray::LoadNote("ZantoMemo", stored);
  EXPECT_EQ(stored.Title, "Team meeting \x89\xef\x8b\x63");
  ASSERT_EQ(stored.schedules.size(), 1u);
  EXPECT_EQ(stored.schedules[0]->time, 10 * 60 + 10);
  EXPECT_EQ(stored.schedules[0]->Notice, 5);

  // 4. Its tip: the day now has a tool whose text is the memo.
  EXPECT_EQ(ToolCount(), tools + 1);

  // 5. The reminder: nothing at 10:04, Hoshiro's message at 10:05.
  SetClock(10, 4);
  Tick();
  Sleep(1500);
  EXPECT_TRUE(Hoshiros().empty()) << "not before its time";
  SetClock(10, 5);
  Tick();
  std::vector<HWND> shown;
  ASSERT_TRUE(
      driver::WaitUntil([&] { return !(shown = Hoshiros()).empty(); }, driver::kStartTimeoutMs));
  EXPECT_TRUE(driver::WaitUntil(
      [&] { return driver::Text(GetDlgItem(shown[0], IDC_MESSAGE_TEXT)) == L"[10:10] Room 3"; },
      5000));
  driver::SaveScreenshot(shown[0], L"day_in_life_5_reminder");
  driver::Post(shown[0], WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return Hoshiros().empty(); }, 10000));

  // 6. A larger day font in the display settings: the window grows.
  const RECT before = driver::ClientRect(window);
  driver::Post(window, WM_COMMAND, IDM_DISPLAY_SETTINGS, 0);
  HWND settings = WaitForDialog();
  ASSERT_NE(settings, nullptr) << "no display settings";
  HWND pick = Descendant(settings, IDC_FONT_PICK);
  ASSERT_NE(pick, nullptr) << "the day category opens with its font page";
  driver::Post(pick, BM_CLICK);
  HWND fonts = WaitForDialog(settings);
  ASSERT_NE(fonts, nullptr) << "no font dialog";
  // IPAゴシック (Wine has no Meiryo UI to keep) at 18 points, chosen from the lists as clicks
  // would.
  const std::pair<int, const wchar_t*> choices[] = {{cmb1, L"IPA\u30b4\u30b7\u30c3\u30af"},
                                                    {cmb3, L"18"}};
  for (const auto& [list, entry] : choices) {
    HWND combo = GetDlgItem(fonts, list);
    const LRESULT item = driver::Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(entry));
    ASSERT_GE(item, 0) << "offered: " << list;
    driver::Send(combo, CB_SETCURSEL, static_cast<WPARAM>(item));
    driver::Send(fonts, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }
  driver::SaveScreenshot(fonts, L"day_in_life_6_font_dialog");
  driver::Post(fonts, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(fonts));
  EXPECT_EQ(driver::Text(Descendant(settings, IDC_FONT_POINTS)), L"18");
  driver::SaveScreenshot(settings, L"day_in_life_6_display_settings");
  driver::Post(settings, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Gone(settings));
  Send(WM_NULL, 0);
  const RECT larger = driver::ClientRect(window);
  EXPECT_GT(larger.right, before.right);
  EXPECT_GT(larger.bottom, before.bottom);
  CSettings saved;
  ASSERT_EQ(saved.Load(), 0);
  EXPECT_EQ(saved.DateExpression.Font.LogFont.lfHeight, -24) << "18 points at 96 DPI";
  EXPECT_STREQ(saved.DateExpression.Font.LogFont.lfFaceName,
               "IPA\x83\x53\x83\x56\x83\x62\x83\x4e");
  Shot(L"day_in_life_6_larger_days");

  // 7. The middle button switches the background from the fill to transparent.
  Send(WM_MBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
  EXPECT_TRUE(driver::ExStyle(window) & WS_EX_LAYERED);
  Shot(L"day_in_life_7_transparent");
  // To the top right of the screen from the tray menu: a new place, saved.
  Send(WM_COMMAND, IDM_TOP_RIGHT);
  const RECT placed = driver::WindowRect(window);
  EXPECT_NE(placed.left, first.left);

  // 8. The end.
  ASSERT_NO_FATAL_FAILURE(CloseAndExpectExitCodeZero());

  // 9. The next start finds the memo, the place, the font and the background as left.
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  EXPECT_EQ(driver::WindowRect(window).left, placed.left);
  EXPECT_EQ(driver::WindowRect(window).top, placed.top);
  EXPECT_EQ(driver::ClientRect(window).right, larger.right);
  EXPECT_EQ(driver::ClientRect(window).bottom, larger.bottom);
  EXPECT_TRUE(driver::ExStyle(window) & WS_EX_LAYERED) << "still transparent";
  EXPECT_EQ(ToolCount(), tools + 1) << "the memo's tip is back";
  Shot(L"day_in_life_9_next_start");
  CloseAndExpectExitCodeZero();
}

}  // namespace
