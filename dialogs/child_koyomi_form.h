// The 暦 page of the display settings: the 暦 line of the tooltips, the small line under the
// day numbers, the names of the solar terms, and the small line's font size and colour. Edits
// a copy of the settings' "KoyomiExpression" that the dialog owns; Store writes it back there.
#pragma once

#include "dialogs/app_dlg.h"
#include "dialogs/solid_brush.h"
#include "docs/koyomi_form.h"

class ChildKoyomiForm : public DlgDayDecoBase {
 public:
  ChildKoyomiForm();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
  int Store() override;

  CKoyomiForm* form = nullptr;
  // The page's index in the dialog's validity flags.
  int index = 6;

 private:
  COLORREF color_ = 0;
  CSolidBrush colorBrush_;
};
