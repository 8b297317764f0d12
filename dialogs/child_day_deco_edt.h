// The page with the five drawing attributes of one decoration (text colour, shadow colour,
// frame, mark, image), each of which may be left standard. Embedded in the decoration dialog
// and in the memo editor; the decoration changes only when the parent calls Store at OK.
//
// Use: set deco (and name, the decoration's name, so "_default" is recognised), embed the
// page, call Store when the parent closes with OK. The page reports to its parent with
// WM_APPDLG_NOTIFY, sender 102: ADN_VALID while some attribute is not standard, ADN_INVALID
// when all five are.
#pragma once

#include <string>

#include "calendar/day_deco.h"
#include "dialogs/app_dlg.h"
#include "dialogs/solid_brush.h"

class ChildDayDecoEdt : public AppDlg {
 public:
  static constexpr int kRowCount = 5;
  static constexpr int kSwatchCount = 4;
  static constexpr LPARAM kSender = 102;

  ChildDayDecoEdt();

  // Writes the five rows into the decoration: the attributes not left standard are set with
  // the page's values; the values of standard ones stay as they were. Returns 1.
  int Store();

  CDayDeco* deco = nullptr;
  std::string name;

 private:
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;

  void LoadRows();
  void ApplyRowState(int row);
  void OnTypeChange(int row);
  void EnableRowValues(int row, bool enable);
  void ShowPath(bool show);
  int RowType(int row) const;
  bool AllStandard() const;

  bool standard[kRowCount] = {};
  // Type values of the rows with a choice list (frame, mark, image); -1 before loading.
  int type[kRowCount] = {-1, -1, -1, -1, -1};
  COLORREF colours[kSwatchCount] = {};
  CSolidBrush brushes[kSwatchCount];
  std::string imagePath;
  // Set while the page itself changes the path edit, so the change is not taken as typing.
  bool fillingPath = false;
};
