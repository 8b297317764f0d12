#include "support/dialog_controls.h"

#include <commctrl.h>

#include "dialogs/app_dlg.h"
#include "support/driver.h"

namespace dialogs {

namespace {

MessageBoxAnswerer* currentAnswerer = nullptr;

// A visible dialog window of this thread that belongs to no dialog object: a message box.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) || FindAppDlg(window)) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

INT_PTR RunModal(AppDlg& dialog, const std::function<void(HWND)>& script) {
  static const bool controlsReady = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)controlsReady;
  DriveNextDialog([&script](HWND window) {
    script(window);
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  });
  return dialog.DoModal(HiddenOwner());
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
  currentAnswerer = this;
  timer_ = SetTimer(nullptr, 0, 10, OnTimer);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  KillTimer(nullptr, timer_);
  currentAnswerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  MessageBoxAnswerer* self = currentAnswerer;
  if (!self) return;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  // A message box shows its text in the static 0xFFFF.
  self->texts_.push_back(driver::TextAnsi(GetDlgItem(box, 0xFFFF)));
  self->captions_.push_back(driver::TextAnsi(box));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED), 0);
  // Out of sight until it is gone, so it is answered once.
  ShowWindow(box, SW_HIDE);
}

void ClickStatic(HWND dialog, int controlId) {
  HWND label = GetDlgItem(dialog, controlId);
  SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void ClickTab(HWND tabs, int index) {
  RECT item = {};
  TabCtrl_GetItemRect(tabs, index, &item);
  const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(tabs, WM_LBUTTONUP, 0, point);
}

bool Checked(HWND dialog, int controlId) {
  return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED;
}

bool Visible(HWND dialog, int controlId) {
  return IsWindowVisible(GetDlgItem(dialog, controlId)) != FALSE;
}

std::vector<std::string> TabLabels(HWND tabs) {
  std::vector<std::string> labels;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    labels.push_back(text);
  }
  return labels;
}

}  // namespace dialogs
