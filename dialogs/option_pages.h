// The form pages of the display settings dialog: the year/month heading, the weekday row, the
// day cells and the background. Each edits a copy of one settings item that the dialog owns
// and writes it back there with Store.
#pragma once

#include <string>
#include <vector>

#include "app/logic/option_rules.h"
#include "dialogs/app_dlg.h"
#include "dialogs/solid_brush.h"
#include "docs/settings_items.h"

class ChildMonthForm : public DlgDayDecoBase {
 public:
  ChildMonthForm();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
  int Store() override;

  CMonthForm* form = nullptr;
  int index = 3;

 private:
  // Lists the offered heading forms as this month reads in each, and the free picture.
  void FillForms();
  // Selects the form whose picture is the one being edited, else the free picture.
  void SelectMatchingForm();

  // Pictures of the offered forms, in the order of the list.
  std::vector<std::string> forms_;
  int32_t position_ = 0;
  std::string format_;
  int32_t spaceY_ = 0;
  COLORREF color_ = 0;
  COLORREF shadowColor_ = 0;
  CSolidBrush colorBrush_;
  CSolidBrush shadowBrush_;
};

class ChildHeaderForm : public DlgDayDecoBase {
 public:
  ChildHeaderForm();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  int Store() override;

  CHeaderForm* form = nullptr;
  int index = 4;

 private:
  void CheckSpace();
  void CheckTitle();
  void ReportState();

  std::string weekTitle_;
  int32_t startDay_ = 0;
  int32_t flag_ = 0;
  int32_t spaceY_ = 0;
  bool spaceValid_ = false;
  bool titleValid_ = false;
  ReportedState reported_;
};

class ChildDayForm : public DlgDayDecoBase {
 public:
  ChildDayForm();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  int Store() override;

  CDayForm* form = nullptr;
  int index = 5;

 private:
  static constexpr int kFields = 6;
  // The item's six values in the order of the page's field table.
  int32_t* Field(int i) const;
  void CheckField(int i);

  bool valid_[kFields] = {};
  ReportedState reported_;
};

class ChildBackProp : public DlgDayDecoBase {
 public:
  ChildBackProp();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
  int Store() override;

  CBackForm* form = nullptr;

 private:
  int32_t TickedModes() const;
  void ApplyModeRule();
  void ApplyFillRule();

  // The mode boxes in the bit order of "ModeUnavail".
  const int modeBoxes_[3];
  COLORREF fillColor_ = 0;
  CSolidBrush fillBrush_;
};
