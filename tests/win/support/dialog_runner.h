// Runs the calendar's dialogs inside a test as the user would meet them: modally, on a hidden
// owner, with a script that works the controls from within the dialog's own message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class AppDlg;

namespace dialog_test {

// A hidden top-level window to own the dialogs, destroyed with the object.
class Owner {
 public:
  Owner();
  ~Owner();
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// Runs dialog modally; once it is up, script runs inside its message loop with the dialog
// window. A dialog the script leaves open is cancelled. Returns the dialog's result.
INT_PTR RunModal(AppDlg& dialog, HWND owner, const std::function<void(HWND)>& script);

// Answers every message box of this thread that appears while the object lives, with button
// (IDYES, IDNO, ...), and keeps the texts it saw.
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

// What a user does to a control of dialog: type a whole new text (the edit reports the
// change as typing does), click a button or box, click a static label, click a tab.
void Type(HWND dialog, int id, const std::string& text);
void Click(HWND dialog, int id);
void ClickStatic(HWND dialog, int id);
void ClickTab(HWND tabs, int index);

std::string Text(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool Visible(HWND dialog, int id);
bool Checked(HWND dialog, int id);
// Texts of the tabs of a tab control, in order.
std::vector<std::string> TabLabels(HWND tabs);

// Repaints window with its children and saves it as a screenshot artifact named name.
void SaveDialogShot(HWND window, const wchar_t* name);

}  // namespace dialog_test
