// The base of every dialog and dialog page of the calendar: one shared dialog procedure that
// finds the object of a dialog window, virtual handlers for the messages the dialogs use,
// embedding of a page at a marker static, and the small routines the dialogs share.
#pragma once

#include <windows.h>

#include <string>

// Sent by a page to its parent dialog: WPARAM is one of the ADN_ codes, LPARAM names the
// sender (a page index, 102 from the decoration page, 0 from a schedule page).
constexpr UINT WM_APPDLG_NOTIFY = WM_USER + 0x1002;
constexpr WPARAM ADN_VALID = 2;
constexpr WPARAM ADN_INVALID = 3;
constexpr WPARAM ADN_DELETE_SCHEDULE = 4;

// The dialog procedure of every dialog: routes the messages of a registered window to its
// object. Messages before WM_INITDIALOG and after WM_NCDESTROY get default handling.
INT_PTR CALLBACK AppDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The object registered for a dialog window, or null.
class AppDlg;
AppDlg* FindAppDlg(HWND hwnd);

// The whole text of a control (an empty string when there is no such control).
std::string GetDlgItemString(HWND dialog, int controlId);

class AppDlg {
 public:
  explicit AppDlg(int templateId) : templateId(templateId) {}
  AppDlg(const AppDlg&) = delete;
  AppDlg& operator=(const AppDlg&) = delete;

  // Creates the dialog modeless (a page, or a dialog a test drives) as a child or owned
  // window of parent; returns the dialog window, null on failure.
  virtual HWND Create(HWND parent);
  // Runs the dialog modally; 1 when the user confirmed with OK, 2 when cancelled, -1 when the
  // template could not be loaded.
  virtual INT_PTR DoModal(HWND parent);
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual INT_PTR OnCommand(WPARAM wParam, LPARAM lParam);
  virtual INT_PTR OnInitDialog();
  virtual INT_PTR OnOK();
  virtual INT_PTR OnCancel();
  virtual INT_PTR OnNcDestroy();
  virtual INT_PTR OnNotify(int controlId, NMHDR* header);
  // A brush for a static control, or null for the default colours.
  virtual HBRUSH OnCtlColorStatic(HDC dc, HWND control);
  // Fills a drop-down list with the ';'-separated choices of a string-table entry and
  // selects index (-1 selects nothing). A missing entry gives one empty item.
  virtual void FillCombo(int controlId, UINT stringId, int index);

  HWND hwnd = nullptr;
  HWND parent = nullptr;
  const int templateId;

 protected:
  // Not deleted through this class: pages and dialogs are members or stack objects of the
  // code that runs them, heap pages are deleted through their own class.
  ~AppDlg() = default;

  // Creates page as a child of this dialog with its top-left corner at the marker static
  // markerId (its size and place in the Z order unchanged) and shows it when show is set.
  HWND EmbedPage(AppDlg& page, int markerId, bool show = true);

  HWND Item(int controlId) const { return GetDlgItem(hwnd, controlId); }
  std::string ItemString(int controlId) const { return GetDlgItemString(hwnd, controlId); }
  void EnableItem(int controlId, bool enable) const { EnableWindow(Item(controlId), enable); }
  bool IsChecked(int controlId) const {
    return IsDlgButtonChecked(hwnd, controlId) == BST_CHECKED;
  }
  void SetChecked(int controlId, bool checked) const {
    CheckDlgButton(hwnd, controlId, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  int ComboSelection(int controlId) const {
    return static_cast<int>(SendDlgItemMessageA(hwnd, controlId, CB_GETCURSEL, 0, 0));
  }
  // Sends WM_APPDLG_NOTIFY with code and sender to the parent window.
  void NotifyParent(WPARAM code, LPARAM sender) const;
};

// The base of the pages of the display settings and of the pages that edit one settings item:
// Store writes the page's values into the item it edits.
class DlgDayDecoBase : public AppDlg {
 public:
  using AppDlg::AppDlg;

  // Writes the page's values into what it edits; returns 1.
  virtual int Store();

 protected:
  ~DlgDayDecoBase() = default;
};
