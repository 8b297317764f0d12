// One schedule of the memo editor, shown as a page inside its tab control: start time, lead
// time of the notification (or none) and the message.
#pragma once

#include <string>

#include "app/logic/schedule_rules.h"
#include "dialogs/app_dlg.h"
#include "docs/memo_store.h"

class ChildTabSche : public AppDlg {
 public:
  ChildTabSche();
  // Pages are heap objects of the memo editor.
  virtual ~ChildTabSche() = default;

  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;

  // Writes the page into its schedule. 1 when the notification falls on the schedule's own
  // day or notification is off, 0 when it would fall on the previous day.
  int Store();
  // Every time field holds an hour of 0-23 or a minute of 0-59.
  bool FieldsValid() const;

  // The schedule this page edits, owned by the memo editor's working copy.
  DateSchedule* schedule = nullptr;

 private:
  void ShowNotify(bool on);
  void PasteMemo();
  // The memo editor: the page is a child of the editor, over its tab control.
  HWND Editor() const { return parent; }

  std::string message_;
  ScheduleFields fields_;
};
