// The font page of the display settings dialog: face, size and shadow of one of the three
// calendar fonts.
#pragma once

#include "dialogs/app_dlg.h"
#include "docs/font_data.h"

class ChildFont : public AppDlg {
 public:
  ChildFont();

  INT_PTR OnInitDialog() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Writes the picked font and the shadow into the font this page edits; a shadow that is not
  // a number from 0 to 8 becomes 0.
  void StoreFont();

  // The font this page edits (a copy owned by the dialog) and the page's index, which it
  // sends with its reports.
  CFontData* font = nullptr;
  int index = 0;

 private:
  void ShowFont();
  void CheckShadow();

  LOGFONTA logFont_ = {};
  int shadow_ = 0;
};
