#include "support/dialog_support.h"

#include <map>
#include <set>
#include <vector>

#include "support/driver.h"

namespace dialogs {
namespace {

struct PendingDrive {
  std::set<HWND> known;
  std::function<void(HWND)> drive;
};

std::map<UINT_PTR, PendingDrive>& Pending() {
  static std::map<UINT_PTR, PendingDrive> pending;
  return pending;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsDialogWindow(HWND window) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  return std::string(className) == "#32770" && IsWindowVisible(window);
}

void CALLBACK OnDriveTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = Pending().find(id);
  if (found == Pending().end()) return;
  for (HWND window : ThreadWindows()) {
    if (!IsDialogWindow(window) || found->second.known.count(window)) continue;
    KillTimer(nullptr, id);
    std::function<void(HWND)> drive = std::move(found->second.drive);
    Pending().erase(found);
    drive(window);
    return;
  }
}

}  // namespace

void DriveNextDialog(std::function<void(HWND dialog)> drive) {
  PendingDrive pending;
  for (HWND window : ThreadWindows()) pending.known.insert(window);
  pending.drive = std::move(drive);
  const UINT_PTR id = SetTimer(nullptr, 0, 20, OnDriveTimer);
  Pending()[id] = std::move(pending);
}

bool AllDriven() { return Pending().empty(); }

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Type(HWND dialog, int controlId, const std::string& text) {
  SetDlgItemTextA(dialog, controlId, text.c_str());
  Pump();
}

void Click(HWND dialog, int controlId) {
  SendMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
  Pump();
}

void ChooseCombo(HWND dialog, int controlId, int index) {
  SendDlgItemMessageA(dialog, controlId, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
  Pump();
}

void ChooseListLine(HWND dialog, int controlId, int index) {
  SendDlgItemMessageA(dialog, controlId, LB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
  Pump();
}

std::string Text(HWND dialog, int controlId) {
  return driver::TextAnsi(GetDlgItem(dialog, controlId));
}

std::string ComboText(HWND dialog, int controlId, int index) {
  const LRESULT length = SendDlgItemMessageA(dialog, controlId, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return "<none>";
  std::vector<char> text(length + 1);
  SendDlgItemMessageA(dialog, controlId, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data());
}

int ComboCount(HWND dialog, int controlId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, controlId, CB_GETCOUNT, 0, 0));
}

int ComboSelection(HWND dialog, int controlId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, controlId, CB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int controlId) {
  return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE;
}

bool Checked(HWND dialog, int controlId) {
  return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED;
}

HWND HiddenOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  return owner;
}

void Screenshot(HWND dialog, const std::wstring& name) {
  SetWindowPos(dialog, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int i = 0; i < 10; ++i) {
    Pump();
    Sleep(20);
  }
  driver::SaveScreenshot(dialog, name);
}

int LiveGdiObjects() {
  int count = 0;
  for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  }
  return count;
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

}  // namespace

int LiveWindows() {
  int count = 0;
  EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace dialogs
