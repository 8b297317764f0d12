// The calendar's test build started from a program folder of its own on a fresh data folder,
// with what the reliability tests do to it as a user would: the memo editor on a day, menu
// commands, and the message boxes that answer them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/driver.h"

namespace session {

// The memo editor's OK, as the user sees the result.
struct EditResult {
  bool editorShown = false;
  // Text of the message box shown after OK; empty when there was none.
  std::string message;
};

class CalendarSession {
 public:
  // Empties the data folder (the prefix's one) and makes a program folder in the temp folder.
  bool Prepare();
  // Removes the program folder; ends the program if it still runs.
  void CleanUp();

  bool Start();
  // Sent; true when answered.
  bool Command(UINT id);
  // Double click on day of the shown month, text into the editor, OK; waits for the handler to
  // end, and for the message box when one is expected (read and closed; an unexpected one is
  // read and closed too). readFirst receives the text the editor showed.
  EditResult EditMemo(int day, const std::wstring& text, bool expectMessage = false,
                      std::wstring* readFirst = nullptr);
  // Posts the same steps and returns at once after the OK, for a kill in the middle of the save.
  bool PostMemoEdit(int day, const std::wstring& text);
  // Day tips of the calendar's tooltip control: -1 before it exists.
  int ToolCount() const;

  const std::string& ProgramFolder() const { return folder_; }
  driver::Process& Program() { return zanto_; }
  HWND Window() const { return window_; }

 private:
  HWND WaitForDialog(DWORD timeoutMs) const;
  POINT DayCell(int day) const;

  std::string folder_;
  driver::Process zanto_;
  HWND window_ = nullptr;
};

// Runs a Linux command through Wine (ntdll's __wine_unix_spawnvp) and waits for it; false
// when it cannot be run (not under Wine) or fails.
bool RunLinux(std::vector<std::string> args);
// A Windows path as Linux sees it under Wine; empty when there is no Wine.
std::string UnixPath(const std::string& windowsPath);

// The current year's memo file path ("ZantoMemo<year>.xml" in the data folder).
std::string ThisYearsMemoFile();
// Title of a memo in the current month, read from the file ("" when none or unreadable).
std::string StoredTitle(int day);
// Every line of the file ends in CR LF.
bool AllLinesEndInCrLf(const std::string& bytes);

}  // namespace session
