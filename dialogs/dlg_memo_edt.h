// The memo editor: everything attached to one calendar day, the memo text shown as its
// tooltip, the day's own decoration and its timed schedules, each on a tab of its own.
//
// Use: fill a DateNote for the day (LoadNote), set note to it, DoModal. The editor works on a
// copy. On 1 the note holds the edited memo; its day is 0 when the memo was emptied or the
// user chose 全削除, and the caller then deletes the memo of the day it opened (year and
// month stay in the note). On 2 the note is as it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/logic/schedule_rules.h"
#include "dialogs/app_dlg.h"
#include "dialogs/child_day_deco_edt.h"
#include "dialogs/child_tab_sche.h"
#include "docs/memo_store.h"

class DlgMemoEdt : public AppDlg {
 public:
  DlgMemoEdt();

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnOK() override;
  INT_PTR OnNcDestroy() override;
  INT_PTR OnNotify(int controlId, NMHDR* header) override;

  // The caller's memo: read at opening, replaced at OK.
  DateNote* note = nullptr;

 private:
  void SetTitle();
  void AddPage(int index);
  void ShowPage(int index);
  void AddSchedule();
  void DeleteSchedule();
  // False when the user wants to correct a schedule whose notification would fall on the
  // last day of the previous year (the year files cannot hold it).
  bool StoreSchedules();
  int SelectedTab() const;
  // OK is enabled while every schedule page holds valid times.
  void UpdateOk() const;

  HWND tabs_ = nullptr;
  std::string memoText_;
  ChildDayDecoEdt decoPage_;
  DateNote work_;
  ScheduleCounter pageCounter_;
  RECT pageRect_ = {};
  // Page i edits schedule i of the working copy and is shown by tab i.
  std::vector<std::unique_ptr<ChildTabSche>> pages_;
};
