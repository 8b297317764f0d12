// More of what a user does in the calendar's dialogs, beside dialog_support.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/dialog_support.h"

class AppDlg;

namespace dialogs {

// Runs dialog modally on the hidden owner with script inside its loop; a dialog the script
// leaves open is cancelled. Returns the dialog's result.
INT_PTR RunModal(AppDlg& dialog, const std::function<void(HWND)>& script);

// Answers each message box of this thread shown while it lives with button; keeps the texts.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button);
  ~MessageBoxAnswerer();
  std::vector<std::string> texts;
  std::vector<std::string> captions;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  int button_;
  UINT_PTR timer_ = 0;
};

// Clicks a notifying static (handled, not yet repainted, on return) or a tab.
void ClickStatic(HWND dialog, int controlId);
void ClickTab(HWND tabs, int index);
// Runs openAndCancel once, then fifty times, and expects the GDI and window counts where
// they were after the first; proves the GDI count moves for one brush left behind.
void ExpectFiftyOpeningsLeakNothing(const std::function<void()>& openAndCancel);

bool Checked(HWND dialog, int controlId);
bool Visible(HWND dialog, int controlId);
std::vector<std::string> TabLabels(HWND tabs);

}  // namespace dialogs
