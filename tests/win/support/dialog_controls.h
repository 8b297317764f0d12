// More of what a user does in the calendar's dialogs, beside dialog_support.h: answering the
// program's message boxes, clicking static labels and tabs, and running a dialog object
// modally with a script.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/dialog_support.h"

class AppDlg;

namespace dialogs {

// Runs dialog modally on the hidden owner; script runs inside its loop once it is shown. A
// dialog the script leaves open is cancelled. Returns the dialog's result.
INT_PTR RunModal(AppDlg& dialog, const std::function<void(HWND)>& script);

// Answers every message box of this thread that appears while the object lives with button
// (IDYES, IDNO, ...) and keeps the texts and captions it saw.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  const std::vector<std::string>& Texts() const { return texts_; }
  const std::vector<std::string>& Captions() const { return captions_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  int button_;
  UINT_PTR timer_ = 0;
  std::vector<std::string> texts_;
  std::vector<std::string> captions_;
};

// A click on a static label that notifies its dialog (handled, not yet repainted when it
// returns), and on a tab of a tab control.
void ClickStatic(HWND dialog, int controlId);
void ClickTab(HWND tabs, int index);

bool Checked(HWND dialog, int controlId);
bool Visible(HWND dialog, int controlId);
// Texts of the tabs of a tab control, in order.
std::vector<std::string> TabLabels(HWND tabs);

}  // namespace dialogs
