#include "support/calendar_session.h"

#include <vector>

#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "resources/zanto_resource.h"
#include "support/desktop.h"

namespace session {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

SYSTEMTIME Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

}  // namespace

HWND CalendarSession::OpenEditor(int day) {
  const SYSTEMTIME now = Now();
  const POINT cell = DayCell(now.wYear, now.wMonth, day);
  driver::Post(Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  return WaitFor(kDialogClass, 5000);
}

bool CalendarSession::PostMemoEdit(int day, const std::wstring& text) {
  HWND editor = OpenEditor(day);
  if (!editor) return false;
  bool answered = false;
  driver::Send(GetDlgItem(editor, IDC_MEMO_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
               &answered);
  return answered && driver::Post(editor, WM_COMMAND, IDOK, 0);
}

EditResult CalendarSession::EditMemo(int day, const std::wstring& text, bool expectMessage,
                                     std::wstring* readFirst) {
  EditResult result;
  HWND editor = OpenEditor(day);
  if (!editor) return result;
  result.editorShown = true;
  if (readFirst) *readFirst = driver::Text(GetDlgItem(editor, IDC_MEMO_TEXT));
  driver::Send(GetDlgItem(editor, IDC_MEMO_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  driver::Post(editor, WM_COMMAND, IDOK, 0);
  driver::WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 5000);
  // A message box, when the save has one to tell, follows the editor; the first one a process
  // shows may take seconds under Wine. Without one, the handler has ended when WM_NULL is answered.
  Send(WM_NULL);
  if (HWND box = WaitFor(kDialogClass, expectMessage ? 15000 : 300)) {
    result.message = driver::TextAnsi(GetDlgItem(box, 0xFFFF));
    // Wine shows the box before its text reaches the screen: the picture waits a moment.
    Sleep(300);
    driver::SaveScreenshot(box, L"zanto_memo_save_message");
    driver::Post(box, WM_COMMAND, IDOK, 0);
    driver::WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  Send(WM_NULL);
  return result;
}

std::string ThisYearsMemoFile() { return MemoFilePath("ZantoMemo", Now().wYear); }

std::string StoredTitle(int day) {
  const SYSTEMTIME now = Now();
  DateNote note(now.wYear, now.wMonth, day);
  DateNoteArray::LoadNote("ZantoMemo", note);
  return note.Title;
}

bool AllLinesEndInCrLf(const std::string& bytes) {
  for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    if (i == 0 || bytes[i - 1] != '\r') return false;
  }
  return bytes.find("\r\r") == std::string::npos;
}

}  // namespace session
