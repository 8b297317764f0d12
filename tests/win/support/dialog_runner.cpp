#include "support/dialog_runner.h"

#include <commctrl.h>

#include "dialogs/app_dlg.h"
#include "support/driver.h"

namespace dialog_test {

namespace {

struct ModalRun {
  AppDlg* dialog = nullptr;
  const std::function<void(HWND)>* script = nullptr;
  UINT_PTR timer = 0;
};
ModalRun* currentRun = nullptr;

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

void CALLBACK StartScript(HWND, UINT, UINT_PTR, DWORD) {
  ModalRun* run = currentRun;
  if (!run || !run->dialog->hwnd || !IsWindowVisible(run->dialog->hwnd)) return;
  KillTimer(nullptr, run->timer);
  currentRun = nullptr;
  HWND dialog = run->dialog->hwnd;
  (*run->script)(dialog);
  if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

MessageBoxAnswerer* currentAnswerer = nullptr;

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

Owner::Owner() {
  EnsureCommonControls();
  hwnd_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
}

Owner::~Owner() { DestroyWindow(hwnd_); }

INT_PTR RunModal(AppDlg& dialog, HWND owner, const std::function<void(HWND)>& script) {
  EnsureCommonControls();
  ModalRun run;
  run.dialog = &dialog;
  run.script = &script;
  run.timer = SetTimer(nullptr, 0, 10, StartScript);
  currentRun = &run;
  const INT_PTR result = dialog.DoModal(owner);
  if (currentRun == &run) {
    KillTimer(nullptr, run.timer);
    currentRun = nullptr;
  }
  return result;
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
  // Hidden until the box is gone, so it is answered once.
  ShowWindow(box, SW_HIDE);
}

void Type(HWND dialog, int id, const std::string& text) {
  SetWindowTextA(GetDlgItem(dialog, id), text.c_str());
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void ClickStatic(HWND dialog, int id) {
  HWND label = GetDlgItem(dialog, id);
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

std::string Text(HWND dialog, int id) { return driver::TextAnsi(GetDlgItem(dialog, id)); }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

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

void SaveDialogShot(HWND window, const wchar_t* name) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_TIMER) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  GdiFlush();
  Sleep(100);
  driver::SaveScreenshot(window, name);
}

}  // namespace dialog_test
