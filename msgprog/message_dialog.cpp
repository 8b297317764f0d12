#include "message_dialog.h"

#include "../resources/hoshiro_resource.h"

namespace {

// One dialog per process, so its layout state is process-wide.
struct DialogState {
  HINSTANCE instance = nullptr;
  bool recorded = false;
  RECT initialClient{};
  RECT initialWindow{};
  RECT textRect{};  // in client coordinates
  RECT okRect{};    // in client coordinates
};

DialogState state;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

RECT ChildRectInClient(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

void OnInitDialog(HWND dialog, const wchar_t* text) {
  HICON icon = LoadIconW(state.instance, MAKEINTRESOURCEW(IDI_HOSHIRO));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  GetClientRect(dialog, &state.initialClient);
  GetWindowRect(dialog, &state.initialWindow);
  state.textRect = ChildRectInClient(dialog, IDC_MESSAGE_TEXT);
  state.okRect = ChildRectInClient(dialog, IDOK);
  state.recorded = true;

  HICON information = LoadIconW(nullptr, IDI_INFORMATION);
  SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(information),
                      0);
  SetDlgItemTextW(dialog, IDC_MESSAGE_TEXT, text);
}

// The text area takes up every change of size; the OK button keeps its distance to the
// bottom-right corner.
void OnSize(HWND dialog, int clientWidth, int clientHeight) {
  int dx = clientWidth - Width(state.initialClient);
  int dy = clientHeight - Height(state.initialClient);
  const RECT& text = state.textRect;
  MoveWindow(GetDlgItem(dialog, IDC_MESSAGE_TEXT), text.left, text.top, Width(text) + dx,
             Height(text) + dy, TRUE);
  const RECT& ok = state.okRect;
  MoveWindow(GetDlgItem(dialog, IDOK), ok.left + dx, ok.top + dy, Width(ok), Height(ok), TRUE);
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, reinterpret_cast<const wchar_t*>(lParam));
      return TRUE;
    case WM_SIZE:
      // A maximised dialog is laid out like a restored one; a minimised one keeps its layout.
      if (state.recorded && (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED))
        OnSize(dialog, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {Width(state.initialWindow), Height(state.initialWindow)};
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

DialogResult RunMessageDialog(HINSTANCE instance, const std::wstring& text) {
  state.instance = instance;
  INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MESSAGE), nullptr,
                                   MessageDialogProc, reinterpret_cast<LPARAM>(text.c_str()));
  return result == -1 ? DialogResult::NotShown : DialogResult::Closed;
}
