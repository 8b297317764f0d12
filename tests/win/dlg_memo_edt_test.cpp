// The memo editor driven through its controls.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "dialogs/dlg_memo_edt.h"
#include "docs/data_folder.h"
#include "resources/zanto_resource.h"
#include "support/dialog_controls.h"
#include "support/driver.h"

namespace {

using namespace dialogs;
using Labels = std::vector<std::string>;

std::string Tab(int n) { return "\x97\x5c\x92\xe8" + std::to_string(n); }  // 予定n

DateNote* Note(int month, int day, std::vector<std::pair<int, int>> schedules = {}) {
  auto* note = new DateNote(2027, month, day);
  for (const auto& s : schedules) {
    note->schedules.push_back(new DateSchedule);
    note->schedules.back()->time = s.first;
    note->schedules.back()->Notice = s.second;
    note->schedules.back()->Message = std::to_string(note->schedules.size());
  }
  return note;
}

HWND Tabs(HWND editor) { return GetDlgItem(editor, IDC_MEMO_TABS); }
int Selected(HWND editor) { return TabCtrl_GetCurSel(Tabs(editor)); }

// The schedule pages over the tab control (the shown ones when asked).
std::vector<HWND> Pages(HWND editor, bool shownOnly = false) {
  std::vector<HWND> pages;
  for (HWND p = GetWindow(editor, GW_CHILD); p; p = GetWindow(p, GW_HWNDNEXT)) {
    if (!GetDlgItem(p, IDC_SCHE_MESSAGE)) continue;
    if (!shownOnly || IsWindowVisible(p)) pages.push_back(p);
  }
  return pages;
}

HWND DecoPage(HWND editor) {
  HWND page = GetWindow(editor, GW_CHILD);
  while (page && !GetDlgItem(page, IDC_STD_COLOUR)) page = GetWindow(page, GW_HWNDNEXT);
  return page;
}

HWND Shown(HWND editor) {
  const std::vector<HWND> shown = Pages(editor, true);
  EXPECT_EQ(shown.size(), 1u);
  return shown.empty() ? nullptr : shown[0];
}

INT_PTR Edit(DateNote& note, const std::function<void(HWND)>& script) {
  DlgMemoEdt editor;
  editor.note = &note;
  return RunModal(editor, script);
}

void TypeTimes(HWND page, const char* hour, const char* minute, const char* leadHours,
               const char* leadMinutes) {
  Type(page, IDC_SCHE_START_HOUR, hour);
  Type(page, IDC_SCHE_START_MINUTE, minute);
  Type(page, IDC_SCHE_LEAD_HOUR, leadHours);
  Type(page, IDC_SCHE_LEAD_MINUTE, leadMinutes);
}

TEST(DlgMemoEdt, EmptiedOrDeletedMemosComeBackAsDayZero) {
  std::unique_ptr<DateNote> empty(Note(12, 7, {{600, 0}}));
  empty->Title = "t";
  EXPECT_EQ(Edit(*empty, [](HWND editor) {
    EXPECT_EQ(driver::TextAnsi(editor), "2027/12/7 - Zanto Memo");
    Type(editor, IDC_MEMO_TEXT, "");
    Click(Shown(editor), IDC_SCHE_DELETE);
    EXPECT_EQ(Selected(editor), -1) << "the only schedule gone: no tab, no page";
    EXPECT_TRUE(Pages(editor).empty());
    Click(editor, IDOK);
  }), IDOK);
  EXPECT_EQ(empty->date, 0);
  EXPECT_EQ(empty->month, 12);

  // 全削除 asks nothing, not even the new-year question this memo would raise.
  std::unique_ptr<DateNote> full(Note(1, 1, {{10, 30}}));
  full->decoration.flags = 0x01;
  MessageBoxAnswerer answerer(IDNO);
  EXPECT_EQ(Edit(*full, [](HWND editor) { Click(editor, IDC_MEMO_DELETE_ALL); }), IDOK);
  EXPECT_EQ(full->date, 0);
  EXPECT_TRUE(answerer.texts.empty());

}

TEST(DlgMemoEdt, TabsAreNumberedOnceAndNewSchedulesFollowTheCurrent) {
  std::unique_ptr<DateNote> note(Note(12, 7, {{60, 0}, {120, 0}, {180, 0}}));
  Edit(*note, [](HWND editor) {
    EXPECT_EQ(TabLabels(Tabs(editor)), (Labels{Tab(1), Tab(2), Tab(3)}));
    ClickTab(Tabs(editor), 1);
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_MESSAGE), "2");
    Click(Shown(editor), IDC_SCHE_DELETE);
    EXPECT_EQ(Selected(editor), 0);
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_MESSAGE), "1");
    Click(editor, IDC_MEMO_ADD_SCHEDULE);
    EXPECT_EQ(TabLabels(Tabs(editor)), (Labels{Tab(1), Tab(4), Tab(3)}));
    EXPECT_EQ(Selected(editor), 1);
    HWND page = Shown(editor);
    EXPECT_EQ(Text(page, IDC_SCHE_START_HOUR) + ":" + Text(page, IDC_SCHE_START_MINUTE), "9:0");
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_HOUR) + ":" + Text(page, IDC_SCHE_LEAD_MINUTE), "0:30");
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "");
    EXPECT_TRUE(Checked(page, IDC_SCHE_NOTIFY));
    EXPECT_FALSE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(editor, IDOK);
  });
  ASSERT_EQ(note->schedules.size(), 3u);
  EXPECT_EQ(note->schedules[0]->time, 60);
  EXPECT_EQ(note->schedules[1]->time, 540);
  EXPECT_EQ(note->schedules[1]->Notice, 30);
  EXPECT_EQ(note->schedules[1]->notifyAt, 510);
  EXPECT_EQ(note->schedules[2]->time, 180);
}

TEST(DlgMemoEdt, ANotificationBeforeNewYearIsQuestioned) {
  const struct {
    int month, day;
    bool notify;
    int answer;
    bool asked, closes;
  } cases[] = {{1, 1, true, IDNO, true, false},
               {1, 1, true, IDYES, true, true},
               {1, 1, false, IDNO, false, true},
               {1, 2, true, IDNO, false, true}};
  for (const auto& c : cases) {
    std::unique_ptr<DateNote> note(Note(c.month, c.day, {{540, 30}, {600, 30}}));
    MessageBoxAnswerer answerer(c.answer);
    const INT_PTR result = Edit(*note, [&](HWND editor) {
      ClickTab(Tabs(editor), 1);
      HWND page = Shown(editor);
      TypeTimes(page, "0", "10", "0", "30");
      if (!c.notify) Click(page, IDC_SCHE_NOTIFY);
      ClickTab(Tabs(editor), 0);
      Click(editor, IDOK);
      if (c.closes) return;
      EXPECT_EQ(Selected(editor), 1);
      EXPECT_EQ(Shown(editor), page) << "the offending schedule is shown";
    });
    SCOPED_TRACE(testing::Message() << c.month << "/" << c.day << " notify " << c.notify);
    ASSERT_EQ(answerer.texts.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      // 年跨りの通知はできません。\n続行しますか？
      EXPECT_EQ(answerer.texts[0], "\x94\x4e\x8c\xd7\x82\xe8\x82\xcc\x92\xca\x92\x6d\x82\xcd\x82\xc5"
                                   "\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\n\x91\xb1\x8d\x73\x82"
                                   "\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48");
      EXPECT_EQ(answerer.captions[0], "Zanto");
    }
    EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
    EXPECT_EQ(note->schedules[1]->time, c.closes ? 10 : 600);
    if (c.closes) {
      EXPECT_EQ(note->schedules[1]->Notice, c.notify ? 30 : ~30);
    }
  }
}

TEST(DlgMemoEdt, NotificationOffShowsTheOldLeadGreyedAndCopyPasteInserts) {
  std::unique_ptr<DateNote> note(Note(12, 7, {{600, ~75}}));
  note->schedules[0]->Message = "12";
  Edit(*note, [](HWND editor) {
    HWND page = Shown(editor);
    EXPECT_FALSE(Checked(page, IDC_SCHE_NOTIFY));
    EXPECT_EQ(Text(page, IDC_SCHE_LEAD_HOUR) + ":" + Text(page, IDC_SCHE_LEAD_MINUTE), "1:15");
    EXPECT_FALSE(Enabled(page, IDC_SCHE_LEAD_HOUR) || Enabled(page, IDC_SCHE_LEAD_MINUTE_SPIN));
    EXPECT_TRUE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(page, IDC_SCHE_NOTIFY);
    EXPECT_TRUE(Enabled(page, IDC_SCHE_LEAD_MINUTE_SPIN));
    EXPECT_FALSE(Visible(page, IDC_SCHE_NOTIFY_OFF_NOTE));
    Click(page, IDC_SCHE_NOTIFY);

    Type(editor, IDC_MEMO_TEXT, "memo");
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_SETSEL, 1, 1);
    Click(page, IDC_SCHE_PASTE_MEMO);
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "1memo2");
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_SETSEL, 0, 1);
    Click(page, IDC_SCHE_PASTE_MEMO);
    SendDlgItemMessageA(page, IDC_SCHE_MESSAGE, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(page, IDC_SCHE_MESSAGE), "1memo2") << "the paste can be undone";
    // A time off the clock keeps OK disabled until it is mended.
    for (const char* typed : {"x", "24", "", "123"}) {
      Type(page, IDC_SCHE_START_HOUR, typed);
      EXPECT_FALSE(Enabled(editor, IDOK)) << typed;
    }
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_SCHE_START_HOUR, EM_GETLIMITTEXT, 0, 0), 2);
    Type(page, IDC_SCHE_START_HOUR, "0");
    EXPECT_TRUE(Enabled(editor, IDOK));
    Type(page, IDC_SCHE_START_MINUTE, "60");
    EXPECT_FALSE(Enabled(editor, IDOK));
    Type(page, IDC_SCHE_START_MINUTE, "0");
    // Tab goes on from the memo's own fields into the schedule page, then to the tabs.
    EXPECT_EQ(GetNextDlgTabItem(editor, GetDlgItem(editor, IDC_MEMO_ADD_SCHEDULE), FALSE),
              GetDlgItem(page, IDC_SCHE_START_HOUR));
    EXPECT_EQ(GetNextDlgTabItem(editor, GetDlgItem(page, IDC_SCHE_DELETE), FALSE), Tabs(editor));
    Click(editor, IDOK);
  });
  EXPECT_EQ(note->schedules[0]->time, 0);
  EXPECT_EQ(note->schedules[0]->Notice, ~75);
  EXPECT_EQ(note->schedules[0]->Message, "1memo2");
}

TEST(DlgMemoEdt, AMemoTypedSavedAndReopenedShowsWhatWasTyped) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "zanto_memo_edt_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  OverrideDataFolderForTesting(folder);
  // Trail bytes 0x5C and 0x7C, markup characters and the file's own escape spellings; the
  // memo is longer than the 63 bytes one can type, the message longer than an edit's default.
  const std::string memo = "\x93\xfa\x83\x5c\x95\x5c\x83\x7c <&> \\tab; \\yen;" + std::string(60, 'm');
  const std::string message = "line 1\r\n\tline 2 \\crlf; \x83\x5c\\ <b>&amp;" + std::string(40000, 'x');
  std::unique_ptr<DateNote> typed(Note(12, 7));
  typed->Title = memo;
  ASSERT_EQ(Edit(*typed, [&](HWND editor) {
    Click(DecoPage(editor), IDC_STD_COLOUR);
    Click(editor, IDC_MEMO_ADD_SCHEDULE);
    TypeTimes(Shown(editor), "7", "5", "1", "15");
    Type(Shown(editor), IDC_SCHE_MESSAGE, message);
    Click(editor, IDC_MEMO_ADD_SCHEDULE);
    TypeTimes(Shown(editor), "22", "0", "0", "45");
    Click(Shown(editor), IDC_SCHE_NOTIFY);
    Type(Shown(editor), IDC_SCHE_MESSAGE, "\x83\x7c|");
    Screenshot(editor, L"memo_editor");
    Click(editor, IDOK);
  }), IDOK);
  ASSERT_EQ(DateNoteArray::SaveNote("MemoXml", *typed), 0);

  std::unique_ptr<DateNote> loaded(Note(12, 7));
  ASSERT_EQ(DateNoteArray::LoadNote("MemoXml", *loaded), 0);
  EXPECT_EQ(loaded->decoration.flags, 0x01u);
  DeleteFileA(MemoFilePath("MemoXml", 2027).c_str());
  RemoveDirectoryA(folder.c_str());
  Edit(*loaded, [&](HWND editor) {
    EXPECT_EQ(Text(editor, IDC_MEMO_TEXT), memo);
    EXPECT_FALSE(Checked(DecoPage(editor), IDC_STD_COLOUR));
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_START_HOUR) + ":" + Text(Shown(editor), IDC_SCHE_START_MINUTE), "7:5");
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_LEAD_HOUR) + ":" + Text(Shown(editor), IDC_SCHE_LEAD_MINUTE), "1:15");
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_MESSAGE), message);
    ClickTab(Tabs(editor), 1);
    EXPECT_FALSE(Checked(Shown(editor), IDC_SCHE_NOTIFY));
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_LEAD_MINUTE), "45");
    EXPECT_EQ(Text(Shown(editor), IDC_SCHE_MESSAGE), "\x83\x7c|");
    Click(editor, IDOK);
  });
  EXPECT_EQ(loaded->Title, memo);
  EXPECT_EQ(loaded->schedules[0]->Message, message);
  EXPECT_EQ(loaded->schedules[1]->time, 22 * 60);
  EXPECT_EQ(loaded->schedules[1]->Notice, ~45);
}

TEST(DlgMemoEdt, OpeningAndCancellingFiftyTimesLeaksNothing) {
  std::unique_ptr<DateNote> note(Note(12, 7, {{540, 30}, {541, 30}}));
  note->decoration.flags = 0x11;
  // Modeless and never shown: hiding a shown window costs two seconds under Wine here.
  ExpectFiftyOpeningsLeakNothing([&] {
    DlgMemoEdt editor;
    editor.note = note.get();
    editor.Create(HiddenOwner());
    SendMessageA(editor.hwnd, WM_COMMAND, MAKEWPARAM(IDC_MEMO_ADD_SCHEDULE, BN_CLICKED), 0);
    SendMessageA(editor.hwnd, WM_APPDLG_NOTIFY, ADN_DELETE_SCHEDULE, 0);
    SendMessageA(editor.hwnd, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(editor.hwnd);
  });
  EXPECT_EQ(note->schedules.size(), 2u);
}

}  // namespace
