// The dialog that edits one decoration type: its name, the conditions that select its days
// (today, weekday, holiday, 六曜) and, on the embedded page, its five drawing attributes.
//
// Use: set deco and workList (the list the name must be unique in), run DoModal; 1 means the
// decoration was changed, anything else leaves it as it was.
#pragma once

#include <string>
#include <vector>

#include "calendar/day_deco.h"
#include "dialogs/app_dlg.h"
#include "dialogs/child_day_deco_edt.h"

class DlgDayEdt : public AppDlg {
 public:
  // Longest name the edit takes, in bytes.
  static constexpr int kNameLimit = 64;

  DlgDayEdt();

  CDayDeco* deco = nullptr;
  const std::vector<CDayDeco*>* workList = nullptr;
  // Clear: the condition controls are hidden and OK writes no condition bits.
  bool showConditions = true;

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnOK() override;

  bool IsDefault() const { return deco->name == kDefaultDecoName; }
  void CheckName();
  bool NameTaken(const std::string& candidate) const;
  void UpdateOk();
  void HideConditions();

  std::string name;
  int holidayIndex = 0;
  int todayIndex = 0;
  int weekdayIndex = 0;
  // 0 no condition, 1 ... 6 大安 ... 仏滅 (CDayDeco::rokuyo).
  int rokuyoIndex = 0;
  ChildDayDecoEdt page;
  bool pageHasContent = true;
  bool nameValid = false;
};
