// The display settings dialog: fonts, colours, spacing and format of the heading, the weekday
// row and the day cells, and the background options, two pages at a time by category.
//
// Use: construct it with the four live settings items, DoModal. On 1 the items hold the new
// values (the caller writes them to the settings file and rebuilds the calendar); on 2 they
// are untouched. Custom colours picked meanwhile are saved either way.
#pragma once

#include "app/logic/option_rules.h"
#include "dialogs/app_dlg.h"
#include "dialogs/child_font.h"
#include "dialogs/child_koyomi_form.h"
#include "dialogs/option_pages.h"
#include "dialogs/solid_brush.h"
#include "docs/settings_items.h"

class DlgOption : public AppDlg {
 public:
  // Categories: heading, weekday row, day cells, background, old calendar. The first three
  // have a font page above their form page.
  static constexpr int kCategories = 5;
  static constexpr int kFontCategories = 3;
  static constexpr int kBackCategory = 3;
  static constexpr int kKoyomiCategory = 4;

  DlgOption(CMonthForm* monthForm, CHeaderForm* headerForm, CDayForm* dayForm,
            CBackForm* backForm);

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnOK() override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;

  // The category shown at the next opening: "日付" at start, then the user's last choice.
  static int CurrentCategory();

  // The live old-calendar settings, written at OK like the four items; when none is given the
  // page edits a copy of the defaults that goes nowhere.
  CKoyomiForm* koyomiForm = nullptr;

 private:
  void ShowCategory(int category, bool show);
  void SelectCategory(int category);

  CMonthForm* monthForm_;
  CHeaderForm* headerForm_;
  CDayForm* dayForm_;
  CBackForm* backForm_;
  ChildFont fontPages_[3];
  ChildMonthForm monthPage_;
  ChildHeaderForm headerPage_;
  ChildDayForm dayPage_;
  ChildBackProp backPage_;
  ChildKoyomiForm koyomiPage_;
  DlgDayDecoBase* formPages_[kCategories];
  PageValidity validity_;
  CSolidBrush whiteBrush_;
  CSolidBrush lightBrush_;
  CSolidBrush darkBrush_;
  CMonthForm monthCopy_;
  CHeaderForm headerCopy_;
  CDayForm dayCopy_;
  CBackForm backCopy_;
  CKoyomiForm koyomiCopy_;
};
