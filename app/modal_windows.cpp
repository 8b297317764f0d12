// The modal windows the calendar runs over its window: dialogs, message boxes and popup menus.
// While one is open, the calendar's window must not go away under it: a close (the tray's
// "終了" under a message box, taskkill, the end of the Windows session) first cancels them,
// and the calendar closes once the last one has returned.
#include <windows.h>

#include "app/calendar_app.h"

namespace {

constexpr char kDialogClass[] = "#32770";

// Every dialog window of the calendar's thread is a modal one of its own: the calendar has no
// modeless dialog. One still being made (not yet shown) counts too.
bool IsDialog(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, kDialogClass) == 0;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  if (!IsDialog(window)) return TRUE;
  // A question without a Cancel button (Yes/No) is answered No: nothing goes ahead.
  const bool answerNo = !GetDlgItem(window, IDCANCEL) && GetDlgItem(window, IDNO);
  PostMessageA(window, WM_COMMAND, answerNo ? IDNO : IDCANCEL, 0);
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  if (!IsDialog(window) || !IsWindowVisible(window)) return TRUE;
  // The first in the enumeration is the top of the thread's windows: the innermost one.
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

CalendarApp::ModalScope::ModalScope(CalendarApp& app) : app_(app) { ++app_.modalDepth; }

CalendarApp::ModalScope::~ModalScope() {
  --app_.modalDepth;
  if (app_.modalDepth == 0 && app_.closePending && app_.mainWindow) {
    PostMessageA(app_.mainWindow, WM_CLOSE, 0, 0);
  }
}

int CalendarApp::ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                             UINT style) {
  // The calendar is closing: nothing new is asked or told.
  if (closePending) return IDCANCEL;
  const ModalScope modal(*this);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

void CalendarApp::CloseModalWindows() {
  closePending = true;
  EndMenu();
  EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

HWND CalendarApp::TopModalWindow() const {
  HWND found = nullptr;
  if (modalDepth > 0) EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}
