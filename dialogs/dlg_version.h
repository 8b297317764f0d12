// The version dialog: the program's name and icon, the version text of the string table and
// the web site address as a link that opens in the default browser.
//
// Use: construct, DoModal with the main window as owner; the result carries nothing.
#pragma once

#include <string>

#include "dialogs/app_dlg.h"

class DlgVersion : public AppDlg {
 public:
  DlgVersion();
  ~DlgVersion();

  std::string version;
  // Opens the web site for a click on the link; tests put a recorder here.
  void (*openLink)(HWND owner, const char* address);

 private:
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnNcDestroy() override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;

  // Creates a variant of a control's font, sets it on the control and returns it.
  HFONT DeriveFont(int controlId, void (*change)(LOGFONTA& font));
  void DeleteFonts();

  // Ours to delete: the controls are gone before the dialog's last message arrives.
  HFONT linkFont = nullptr;
  HFONT titleFont = nullptr;
};

// Opens address with the shell, as a click on a link does.
void OpenInBrowser(HWND owner, const char* address);
