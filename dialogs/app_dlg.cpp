#include "dialogs/app_dlg.h"

#include <map>
#include <vector>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "docs/xml_node.h"

namespace {

// Dialog window -> its object, from WM_INITDIALOG to WM_NCDESTROY. Used from the user
// interface thread only.
std::map<HWND, AppDlg*>& Registry() {
  static auto* registry = new std::map<HWND, AppDlg*>;
  return *registry;
}

}  // namespace

AppDlg* FindAppDlg(HWND hwnd) {
  auto found = Registry().find(hwnd);
  return found == Registry().end() ? nullptr : found->second;
}

INT_PTR CALLBACK AppDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dlg = reinterpret_cast<AppDlg*>(lParam);
    if (!dlg) return TRUE;
    Registry()[hwnd] = dlg;
    dlg->hwnd = hwnd;
    return dlg->OnInitDialog();
  }
  AppDlg* dlg = FindAppDlg(hwnd);
  if (!dlg) return FALSE;
  switch (message) {
    case WM_NOTIFY:
      return dlg->OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_NCDESTROY: {
      const INT_PTR result = dlg->OnNcDestroy();
      Registry().erase(hwnd);
      // The object may outlive its window (a modal dialog's object lives on after the loop).
      dlg->hwnd = nullptr;
      return result;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        dlg->OnOK();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        dlg->OnCancel();
        return TRUE;
      }
      return dlg->OnCommand(wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          dlg->OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default:
      return dlg->OnMessage(message, wParam, lParam);
  }
}

std::string GetDlgItemString(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> text(length + 1);
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data(), copied > 0 ? copied : 0);
}

HWND AppDlg::Create(HWND parentWindow) {
  parent = parentWindow;
  hwnd = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(templateId), parentWindow, AppDlgProc,
                            reinterpret_cast<LPARAM>(this));
  return hwnd;
}

INT_PTR AppDlg::DoModal(HWND parentWindow) {
  parent = parentWindow;
  return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(templateId), parentWindow, AppDlgProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR AppDlg::OnMessage(UINT, WPARAM, LPARAM) { return 0; }

INT_PTR AppDlg::OnCommand(WPARAM, LPARAM) { return 0; }

INT_PTR AppDlg::OnInitDialog() { return TRUE; }

INT_PTR AppDlg::OnOK() {
  EndDialog(hwnd, IDOK);
  return TRUE;
}

INT_PTR AppDlg::OnCancel() {
  EndDialog(hwnd, IDCANCEL);
  return TRUE;
}

INT_PTR AppDlg::OnNcDestroy() { return 0; }

INT_PTR AppDlg::OnNotify(int, NMHDR*) { return 0; }

HBRUSH AppDlg::OnCtlColorStatic(HDC, HWND) { return nullptr; }

void AppDlg::FillCombo(int controlId, UINT stringId, int index) {
  for (const std::string& choice : SplitString(LoadResourceString(stringId), ';')) {
    SendDlgItemMessageA(hwnd, controlId, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(choice.c_str()));
  }
  SendDlgItemMessageA(hwnd, controlId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

HWND AppDlg::EmbedPage(AppDlg& page, int markerId, bool show) {
  HWND pageWindow = page.Create(hwnd);
  if (!pageWindow) return nullptr;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (GetWindowPlacement(Item(markerId), &placement)) {
    SetWindowPos(pageWindow, nullptr, placement.rcNormalPosition.left,
                 placement.rcNormalPosition.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(pageWindow, show ? SW_SHOW : SW_HIDE);
  return pageWindow;
}

void AppDlg::NotifyParent(WPARAM code, LPARAM sender) const {
  SendMessageA(parent, WM_APPDLG_NOTIFY, code, sender);
}

int DlgDayDecoBase::Store() { return 1; }
