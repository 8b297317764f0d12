// The calendar's test build started from a program folder of its own on a fresh data folder,
// with what the reliability tests do to it as a user would: the memo editor on a day, menu
// commands, and the message boxes that answer them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/driver.h"
#include "support/steered_calendar.h"

namespace session {

// The memo editor's OK, as the user sees the result.
struct EditResult {
  bool editorShown = false;
  // Text of the message box shown after OK; empty when there was none.
  std::string message;
};

// A steered calendar on a data folder that starts with the shipped settings.
class CalendarSession : public steered::SteeredCalendar {
 public:
  CalendarSession() : SteeredCalendar("zanto reliability ", Data::kShippedSettings) {}

  // Double click on day of the shown month, text into the editor, OK; waits for the handler to
  // end, and for the message box when one is expected (read and closed; an unexpected one is
  // read and closed too). readFirst receives the text the editor showed.
  EditResult EditMemo(int day, const std::wstring& text, bool expectMessage = false,
                      std::wstring* readFirst = nullptr);
  // Posts the same steps and returns at once after the OK, for a kill in the middle of the save.
  bool PostMemoEdit(int day, const std::wstring& text);

 private:
  // Opens the memo editor on day of the current month; null when it did not show.
  HWND OpenEditor(int day);
};


// The current year's memo file path ("ZantoMemo<year>.xml" in the data folder).
std::string ThisYearsMemoFile();
// Title of a memo in the current month, read from the file ("" when none or unreadable).
std::string StoredTitle(int day);
// Every line of the file ends in CR LF.
bool AllLinesEndInCrLf(const std::string& bytes);

}  // namespace session
