#include "support/dialog_controls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "dialogs/app_dlg.h"
#include "support/driver.h"

namespace dialogs {

namespace {

MessageBoxAnswerer* answerer = nullptr;

// A shown dialog window of this thread that belongs to no dialog object: a message box.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") || !IsWindowVisible(window) || FindAppDlg(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

INT_PTR RunModal(AppDlg& dialog, const std::function<void(HWND)>& script) {
  static const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  DriveNextDialog([&script](HWND window) {
    script(window);
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  });
  return dialog.DoModal(HiddenOwner());
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
  answerer = this;
  timer_ = SetTimer(nullptr, 0, 10, OnTimer);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  KillTimer(nullptr, timer_);
  answerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
  if (!box || !answerer) return;
  answerer->texts.push_back(driver::TextAnsi(GetDlgItem(box, 0xFFFF)));  // the text static
  answerer->captions.push_back(driver::TextAnsi(box));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(answerer->button_, BN_CLICKED), 0);
  ShowWindow(box, SW_HIDE);  // answered once
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

void ExpectFiftyOpeningsLeakNothing(const std::function<void()>& openAndCancel) {
  openAndCancel();  // first-use allocations (classes, fonts) are not leaks
  const int gdi = LiveGdiObjects();
  const int windows = LiveWindows();
  for (int i = 0; i < 50; ++i) openAndCancel();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(LiveWindows(), windows);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(LiveGdiObjects(), gdi + 1);
  DeleteObject(brush);
}

bool Checked(HWND dialog, int controlId) { return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED; }

bool Visible(HWND dialog, int controlId) { return IsWindowVisible(GetDlgItem(dialog, controlId)); }

std::vector<std::string> TabLabels(HWND tabs) {
  std::vector<std::string> labels;
  for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
    char text[64] = "";
    TCITEMA item = {TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    labels.push_back(text);
  }
  return labels;
}

}  // namespace dialogs
