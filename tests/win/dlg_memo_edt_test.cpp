// The memo editor driven through its controls: what it hands back for empty and deleted
// memos, the schedule tabs, the year-boundary question, the schedule pages, and a memo typed,
// saved, read back and reopened.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dlg_memo_edt.h"
#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "resources/zanto_resource.h"
#include "support/dialog_controls.h"
#include "support/driver.h"

namespace {

using namespace dialogs;

// Shift_JIS: 予定1 and so on.
std::string Tab(int n) { return "\x97\x5c\x92\xe8" + std::to_string(n); }
// Shift_JIS: 年跨りの通知はできません。\n続行しますか？
const char* const kYearQuestion =
    "\x94\x4e\x8c\xd7\x82\xe8\x82\xcc\x92\xca\x92\x6d\x82\xcd\x82\xc5\x82\xab\x82\xdc\x82\xb9"
    "\x82\xf1\x81\x42\n\x91\xb1\x8d\x73\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

DateSchedule* NewSchedule(int time, int notice, const std::string& message = "") {
  auto* schedule = new DateSchedule;
  schedule->time = time;
  schedule->Notice = notice;
  schedule->notifyAt = time - notice;
  schedule->Message = message;
  return schedule;
}

HWND Tabs(HWND editor) { return GetDlgItem(editor, IDC_MEMO_TABS); }

std::vector<HWND> SchedulePages(HWND editor, bool visibleOnly) {
  std::vector<HWND> pages;
  for (HWND child = GetWindow(Tabs(editor), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!GetDlgItem(child, IDC_SCHE_MESSAGE)) continue;
    if (visibleOnly && !IsWindowVisible(child)) continue;
    pages.push_back(child);
  }
  return pages;
}

// The one schedule page on show; null (and a failure) when there is not exactly one.
HWND ShownPage(HWND editor) {
  const std::vector<HWND> shown = SchedulePages(editor, true);
  EXPECT_EQ(shown.size(), 1u);
  return shown.size() == 1 ? shown[0] : nullptr;
}

HWND DecoPage(HWND editor) {
  for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, IDC_STD_COLOUR)) return child;
  }
  return nullptr;
}

int Selected(HWND editor) { return TabCtrl_GetCurSel(Tabs(editor)); }

INT_PTR Edit(DateNote& note, const std::function<void(HWND)>& script) {
  DlgMemoEdt editor;
  editor.note = &note;
  return RunModal(editor, script);
}

void TypeSchedule(HWND page, int hour, int minute, int leadHours, int leadMinutes) {
  Type(page, IDC_SCHE_START_HOUR, std::to_string(hour));
  Type(page, IDC_SCHE_START_MINUTE, std::to_string(minute));
  Type(page, IDC_SCHE_LEAD_HOUR, std::to_string(leadHours));
  Type(page, IDC_SCHE_LEAD_MINUTE, std::to_string(leadMinutes));
}

TEST(DlgMemoEdt, EmptyOrDeletedMemosComeBackAsDayZero) {
  DateNote empty(2026, 12, 7);
  EXPECT_EQ(Edit(empty,
                 [](HWND editor) {
                   EXPECT_EQ(driver::TextAnsi(editor), "2026/12/7 - Zanto Memo");
                   EXPECT_EQ(Selected(editor), -1);
                   EXPECT_TRUE(SchedulePages(editor, false).empty());
                   Click(editor, IDOK);
                 }),
            IDOK);
  EXPECT_EQ(empty.date, 0);
  EXPECT_EQ(empty.year, 2026);
  EXPECT_EQ(empty.month, 12);

  // 全削除 asks nothing, not even the year-boundary question this memo would raise.
  DateNote full(2027, 1, 1);
  full.Title = "memo";
  full.decoration.flags = 0x01;
  full.schedules.push_back(NewSchedule(10, 30));
  MessageBoxAnswerer answerer(IDNO);
  EXPECT_EQ(Edit(full, [](HWND editor) { Click(editor, IDC_MEMO_DELETE_ALL); }), IDOK);
  EXPECT_EQ(full.date, 0);
  EXPECT_TRUE(answerer.Texts().empty());

  // Cancel leaves the caller's memo as it was, whatever was done in the editor.
  DateNote kept(2026, 5, 5);
  kept.Title = "kept";
  kept.schedules.push_back(NewSchedule(600, 15, "m"));
  EXPECT_EQ(Edit(kept,
                 [](HWND editor) {
                   Type(editor, IDC_MEMO_TEXT, "");
                   Click(ShownPage(editor), IDC_SCHE_DELETE);
                   Click(editor, IDCANCEL);
                 }),
            IDCANCEL);
  EXPECT_EQ(kept.date, 5);
  EXPECT_EQ(kept.Title, "kept");
  ASSERT_EQ(kept.schedules.size(), 1u);
  EXPECT_EQ(kept.schedules[0]->Message, "m");
}

TEST(DlgMemoEdt, ANewScheduleStartsAtNineWithHalfAnHoursNotice) {
  DateNote note(2026, 12, 7);
  Edit(note, [](HWND editor) {
    Click(editor, IDC_MEMO_ADD_SCHEDULE);
    EXPECT_EQ(TabLabels(Tabs(editor)), std::vector<std::string>{Tab(1)});
    EXPECT_EQ(Selected(editor), 0);
    HWND page = ShownPage(editor);
    ASSERT_TRUE(page);
    EXPECT_EQ(Text(page, IDC_SCHE_START_HOUR), "9");
    EXPECT_EQ(Text(page, IDC_SCHE_START_MINUTE), "0");
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_HOUR), "0");
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_MINUTE), "30");
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "");
    EXPECT_TRUE(Checked(page, IDC_SCHE_NOTIFY));
    EXPECT_TRUE(Enabled(page, IDC_SCHE_LEAD_HOUR));
    EXPECT_FALSE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(editor, IDOK);
  });
  EXPECT_EQ(note.date, 7) << "a schedule alone keeps the memo";
  ASSERT_EQ(note.schedules.size(), 1u);
  EXPECT_EQ(note.schedules[0]->time, 540);
  EXPECT_EQ(note.schedules[0]->Notice, 30);
  EXPECT_EQ(note.schedules[0]->notifyAt, 510);
  EXPECT_EQ(note.schedules[0]->Message, "");
}

TEST(DlgMemoEdt, ANotificationBeforeNewYearIsQuestioned) {
  struct Case {
    int month, day;
    bool notify;
    int answer;
    bool asked;
    bool closes;
  };
  const Case cases[] = {
      {1, 1, true, IDNO, true, false},
      {1, 1, true, IDYES, true, true},
      {1, 1, false, IDNO, false, true},
      {1, 2, true, IDNO, false, true},
      {12, 31, true, IDNO, false, true},
  };
  for (const Case& c : cases) {
    DateNote note(2027, c.month, c.day);
    note.schedules.push_back(NewSchedule(540, 30));
    note.schedules.push_back(NewSchedule(600, 30));
    MessageBoxAnswerer answerer(c.answer);
    int selectedAfterNo = -2;
    const INT_PTR result = Edit(note, [&](HWND editor) {
      ClickTab(Tabs(editor), 1);
      HWND page = ShownPage(editor);
      TypeSchedule(page, 0, 10, 0, 30);
      if (!c.notify) Click(page, IDC_SCHE_NOTIFY);
      ClickTab(Tabs(editor), 0);
      Click(editor, IDOK);
      if (c.closes) return;
      selectedAfterNo = Selected(editor);
      EXPECT_EQ(ShownPage(editor), page) << "the offending schedule is shown";
      Click(editor, IDCANCEL);
    });
    SCOPED_TRACE(testing::Message() << c.month << "/" << c.day << " notify " << c.notify);
    EXPECT_EQ(answerer.Texts().size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(answerer.Texts()[0], kYearQuestion);
      EXPECT_EQ(answerer.Captions()[0], "Zanto");
    }
    EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
    if (!c.closes) {
      EXPECT_EQ(selectedAfterNo, 1);
      EXPECT_EQ(note.schedules[1]->time, 600) << "the caller's memo is untouched";
      continue;
    }
    EXPECT_EQ(note.schedules[1]->time, 10);
    EXPECT_EQ(note.schedules[1]->Notice, c.notify ? 30 : ~30);
    EXPECT_EQ(note.schedules[1]->notifyAt, -20);
  }
}

TEST(DlgMemoEdt, TabsKeepTheirNumbersAndNewOnesFollowTheCurrent) {
  DateNote note(2026, 12, 7);
  note.Title = "t";
  for (int i = 1; i <= 3; ++i) note.schedules.push_back(NewSchedule(i * 60, 0, std::to_string(i)));
  Edit(note, [](HWND editor) {
    EXPECT_EQ(TabLabels(Tabs(editor)), (std::vector<std::string>{Tab(1), Tab(2), Tab(3)}));
    EXPECT_EQ(Selected(editor), 0);
    EXPECT_EQ(Text(ShownPage(editor), IDC_SCHE_MESSAGE), "1");
    ClickTab(Tabs(editor), 1);
    EXPECT_EQ(Selected(editor), 1);
    EXPECT_EQ(Text(ShownPage(editor), IDC_SCHE_MESSAGE), "2");
    Click(ShownPage(editor), IDC_SCHE_DELETE);
    EXPECT_EQ(Selected(editor), 0);
    EXPECT_EQ(Text(ShownPage(editor), IDC_SCHE_MESSAGE), "1");
    EXPECT_EQ(SchedulePages(editor, false).size(), 2u);
    Click(editor, IDC_MEMO_ADD_SCHEDULE);
    EXPECT_EQ(TabLabels(Tabs(editor)), (std::vector<std::string>{Tab(1), Tab(4), Tab(3)}));
    EXPECT_EQ(Selected(editor), 1);
    Type(ShownPage(editor), IDC_SCHE_MESSAGE, "4");
    Click(editor, IDOK);
  });
  ASSERT_EQ(note.schedules.size(), 3u);
  const char* const messages[] = {"1", "4", "3"};
  const int times[] = {60, 540, 180};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(note.schedules[i]->Message, messages[i]);
    EXPECT_EQ(note.schedules[i]->time, times[i]);
  }
}

TEST(DlgMemoEdt, DeletingSchedulesSelectsTheOneBeforeOrNone) {
  DateNote note(2026, 12, 7);
  note.schedules.push_back(NewSchedule(60, 0, "a"));
  note.schedules.push_back(NewSchedule(120, 0, "b"));
  Edit(note, [](HWND editor) {
    Click(ShownPage(editor), IDC_SCHE_DELETE);
    EXPECT_EQ(Selected(editor), 0);
    EXPECT_EQ(Text(ShownPage(editor), IDC_SCHE_MESSAGE), "b");
    Click(ShownPage(editor), IDC_SCHE_DELETE);
    EXPECT_EQ(Selected(editor), -1);
    EXPECT_TRUE(SchedulePages(editor, false).empty());
    EXPECT_EQ(TabCtrl_GetItemCount(Tabs(editor)), 0);
    Click(editor, IDOK);
  });
  EXPECT_EQ(note.date, 0) << "nothing left: the memo goes";
}

TEST(DlgMemoEdt, NotificationOffKeepsTheLeadTimeGreyed) {
  DateNote note(2026, 12, 7);
  note.schedules.push_back(NewSchedule(600, ~75));
  Edit(note, [](HWND editor) {
    HWND page = ShownPage(editor);
    ASSERT_TRUE(page);
    EXPECT_FALSE(Checked(page, IDC_SCHE_NOTIFY));
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_HOUR), "1");
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_MINUTE), "15");
    for (int id : {IDC_SCHE_LEAD_HOUR, IDC_SCHE_LEAD_MINUTE, IDC_SCHE_LEAD_HOUR_SPIN,
                   IDC_SCHE_LEAD_MINUTE_SPIN}) {
      EXPECT_FALSE(Enabled(page, id)) << id;
    }
    EXPECT_TRUE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(page, IDC_SCHE_NOTIFY);
    EXPECT_TRUE(Enabled(page, IDC_SCHE_LEAD_MINUTE));
    EXPECT_FALSE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(page, IDC_SCHE_NOTIFY);
    EXPECT_FALSE(Enabled(page, IDC_SCHE_LEAD_MINUTE_SPIN));
    Type(page, IDC_SCHE_START_HOUR, "x");
    Click(editor, IDOK);
  });
  EXPECT_EQ(note.schedules[0]->time, 0) << "text that is not a number reads 0";
  EXPECT_EQ(note.schedules[0]->Notice, ~75);
}

TEST(DlgMemoEdt, CopyPasteInsertsTheMemoTextAtTheCaret) {
  DateNote note(2026, 12, 7);
  note.schedules.push_back(NewSchedule(600, 0, "12"));
  Edit(note, [](HWND editor) {
    Type(editor, IDC_MEMO_TEXT, "memo");
    HWND page = ShownPage(editor);
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_SETSEL, 1, 1);
    Click(page, IDC_SCHE_PASTE_MEMO);
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "1memo2");
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_SETSEL, 0, 1);
    Click(page, IDC_SCHE_PASTE_MEMO);
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "memomemo2");
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "1memo2");
    Click(editor, IDOK);
  });
  EXPECT_EQ(note.Title, "memo");
  EXPECT_EQ(note.schedules[0]->Message, "1memo2");
}

// A data folder of the test's own, so the memo files of other tests are never touched.
class MemoFiles : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "zanto_memo_editor_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    OverrideDataFolderForTesting(folder_);
  }
  void TearDown() override {
    DeleteFileA(MemoFilePath(kPrefix, 2026).c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  static constexpr const char* kPrefix = "MemoXml";
  std::string folder_;
};

TEST_F(MemoFiles, AMemoTypedSavedAndReopenedShowsWhatWasTyped) {
  // 日本語ソ表 with two trail bytes 0x5C and a 0x7C ("\x83\x7C" ポ), and the spellings the
  // file uses for its own escapes.
  const std::string memo = "\x93\xfa\x96\x7b\x83\x5c\x95\x5c\x83\x7c <&> \\tab; \\yen;";
  const std::string message = "line 1\r\n\tline 2 \\crlf; \x83\x5c\\ <b>&amp;";
  DateNote typed(2026, 12, 7);
  ASSERT_EQ(Edit(typed,
                 [&](HWND editor) {
                   Type(editor, IDC_MEMO_TEXT, memo);
                   Click(DecoPage(editor), IDC_STD_COLOUR);
                   Click(editor, IDC_MEMO_ADD_SCHEDULE);
                   HWND first = ShownPage(editor);
                   TypeSchedule(first, 7, 5, 1, 15);
                   Type(first, IDC_SCHE_MESSAGE, message);
                   Click(editor, IDC_MEMO_ADD_SCHEDULE);
                   HWND second = ShownPage(editor);
                   TypeSchedule(second, 22, 0, 0, 45);
                   Click(second, IDC_SCHE_NOTIFY);
                   Type(second, IDC_SCHE_MESSAGE, "\x83\x7c|");
                   Screenshot(editor, L"memo_editor");
                   Click(editor, IDOK);
                 }),
            IDOK);
  ASSERT_EQ(DateNoteArray::SaveNote(kPrefix, typed), 0);

  DateNote loaded(2026, 12, 7);
  ASSERT_EQ(DateNoteArray::LoadNote(kPrefix, loaded), 0);
  EXPECT_EQ(loaded.Title, memo);
  EXPECT_EQ(loaded.decoration.flags, 0x01u);
  ASSERT_EQ(loaded.schedules.size(), 2u);
  EXPECT_EQ(loaded.schedules[0]->time, 7 * 60 + 5);
  EXPECT_EQ(loaded.schedules[0]->Notice, 75);
  EXPECT_EQ(loaded.schedules[0]->Message, message);
  EXPECT_EQ(loaded.schedules[1]->time, 22 * 60);
  EXPECT_EQ(loaded.schedules[1]->Notice, ~45);
  EXPECT_EQ(loaded.schedules[1]->Message, "\x83\x7c|");

  Edit(loaded, [&](HWND editor) {
    EXPECT_EQ(Text(editor, IDC_MEMO_TEXT), memo);
    EXPECT_FALSE(Checked(DecoPage(editor), IDC_STD_COLOUR));
    HWND first = ShownPage(editor);
    EXPECT_EQ(Text(first, IDC_SCHE_START_HOUR), "7");
    EXPECT_EQ(Text(first, IDC_SCHE_START_MINUTE), "5");
    EXPECT_EQ(Text(first, IDC_SCHE_LEAD_HOUR), "1");
    EXPECT_EQ(Text(first, IDC_SCHE_LEAD_MINUTE), "15");
    EXPECT_EQ(Text(first, IDC_SCHE_MESSAGE), message);
    ClickTab(Tabs(editor), 1);
    HWND second = ShownPage(editor);
    EXPECT_FALSE(Checked(second, IDC_SCHE_NOTIFY));
    EXPECT_EQ(Text(second, IDC_SCHE_LEAD_MINUTE), "45");
    EXPECT_TRUE(Visible(second, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(editor, IDCANCEL);
  });
}

TEST(DlgMemoEdt, LongStoredTextsSurviveOpeningAndOk) {
  DateNote note(2026, 12, 7);
  note.Title = std::string(40, 'm') + std::string(30, '\x82') + "end";
  for (size_t i = 40; i < 70; i += 2) note.Title[i + 1] = '\xa0';
  note.schedules.push_back(NewSchedule(540, 30, std::string(40000, 'x') + "end"));
  const std::string title = note.Title;
  Edit(note, [](HWND editor) { Click(editor, IDOK); });
  EXPECT_EQ(note.Title, title);
  EXPECT_EQ(note.schedules[0]->Message.size(), 40003u);
}

TEST(DlgMemoEdt, OpeningAndCancellingFiftyTimesLeaksNothing) {
  DateNote note(2026, 12, 7);
  note.Title = "t";
  note.decoration.flags = 0x11;
  for (int i = 0; i < 3; ++i) note.schedules.push_back(NewSchedule(540 + i, 30));
  const auto openAndCancel = [&] {
    // Modeless and never shown: hiding a shown window costs two seconds under Wine here.
    DlgMemoEdt editor;
    editor.note = &note;
    ASSERT_TRUE(editor.Create(HiddenOwner()));
    SendMessageA(editor.hwnd, WM_COMMAND, MAKEWPARAM(IDC_MEMO_ADD_SCHEDULE, BN_CLICKED), 0);
    SendMessageA(editor.hwnd, WM_APPDLG_NOTIFY, ADN_DELETE_SCHEDULE, 0);
    SendMessageA(editor.hwnd, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(editor.hwnd);
  };
  openAndCancel();
  const int gdi = LiveGdiObjects();
  const int windows = LiveWindows();
  for (int i = 0; i < 50; ++i) openAndCancel();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(LiveWindows(), windows);
  EXPECT_EQ(note.schedules.size(), 3u);

  HBRUSH leaked = CreateSolidBrush(RGB(3, 2, 1));
  EXPECT_EQ(LiveGdiObjects(), gdi + 1);
  DeleteObject(leaked);
}

}  // namespace
