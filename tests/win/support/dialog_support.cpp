#include "support/dialog_support.h"

#include <map>
#include <set>
#include <vector>

#include "support/driver.h"

namespace dialogs {
namespace {

// Armed drives by timer id, each with the windows that were there when it was armed.
std::map<UINT_PTR, std::pair<std::set<HWND>, std::function<void(HWND)>>> pending;

std::set<HWND> ThreadWindows() {
  std::set<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM set) { return reinterpret_cast<std::set<HWND>*>(set)->insert(window), TRUE; },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void CALLBACK OnDriveTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = pending.find(id);
  if (found == pending.end()) return;
  for (HWND window : ThreadWindows()) {
    if (found->second.first.count(window) || !IsWindowVisible(window) || driver::ClassName(window) != L"#32770") {
      continue;
    }
    KillTimer(nullptr, id);
    auto drive = std::move(found->second.second);
    pending.erase(found);
    return drive(window);
  }
}

bool IsList(HWND control) { return driver::ClassName(control) == L"ListBox"; }

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  *reinterpret_cast<int*>(count) += process == GetCurrentProcessId();
  return TRUE;
}

}  // namespace

void DriveNextDialog(std::function<void(HWND dialog)> drive) {
  pending[SetTimer(nullptr, 0, 20, OnDriveTimer)] = {ThreadWindows(), std::move(drive)};
}

bool AllDriven() { return pending.empty(); }

void Type(HWND dialog, int controlId, const std::string& text) { SetDlgItemTextA(dialog, controlId, text.c_str()); }

void Click(HWND dialog, int controlId) { SendMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0); }

void Choose(HWND dialog, int controlId, int index) {
  HWND control = GetDlgItem(dialog, controlId);
  SendMessageA(control, IsList(control) ? LB_SETCURSEL : CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, IsList(control) ? LBN_SELCHANGE : CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
}

std::string Text(HWND dialog, int controlId) { return driver::TextAnsi(GetDlgItem(dialog, controlId)); }

std::string ComboText(HWND dialog, int controlId, int index) {
  char text[256] = "";
  SendDlgItemMessageA(dialog, controlId, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

int Selection(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return static_cast<int>(SendMessageA(control, IsList(control) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int controlId) { return IsWindowEnabled(GetDlgItem(dialog, controlId)); }

HWND HiddenOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  return owner;
}

void Screenshot(HWND dialog, const std::wstring& name) {
  // Tests run side by side on one screen: each picture has its own place (one of eight below
  // the calendar and away from the top left corner where new dialogs open), above every window.
  const size_t cell = std::hash<std::wstring>{}(name) % 8;
  SetWindowPos(dialog, HWND_TOPMOST, static_cast<int>(40 + cell % 4 * 470), static_cast<int>(420 + cell / 4 * 320), 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  MSG message;
  for (int i = 0; i < 10; ++i, Sleep(20)) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  driver::SaveScreenshot(dialog, name);
  SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

int LiveWindows() {
  int count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  for (HWND top : ThreadWindows()) EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace dialogs
