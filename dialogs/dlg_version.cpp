#include "dialogs/dlg_version.h"

#include <shellapi.h>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "app/shell_com.h"
#include "resources/zanto_resource.h"

namespace {

constexpr COLORREF kLinkColour = 0xFF0000;

}  // namespace

void OpenInBrowser(HWND owner, const char* address) {
  UseShellCom();
  ShellExecuteA(owner, "open", address, "", "", SW_SHOW);
}

DlgVersion::DlgVersion() : AppDlg(IDD_VERSION), openLink(OpenInBrowser) {}

DlgVersion::~DlgVersion() { DeleteFonts(); }

INT_PTR DlgVersion::OnInitDialog() {
  version = LoadResourceString(IDS_VERSION);
  linkFont = DeriveFont(IDC_WEB_LINK, [](LOGFONTA& font) { font.lfUnderline = TRUE; });
  SetDlgItemTextA(hwnd, IDC_WEB_LINK, WebSiteAddress);
  titleFont = DeriveFont(IDC_PROGRAM_TITLE, [](LOGFONTA& font) {
    font.lfHeight = 16;
    font.lfWeight = 900;
    font.lfItalic = TRUE;
  });
  SetDlgItemTextA(hwnd, IDC_VERSION_TEXT, version.c_str());
  return TRUE;
}

HFONT DlgVersion::DeriveFont(int controlId, void (*change)(LOGFONTA& font)) {
  auto current = reinterpret_cast<HFONT>(SendDlgItemMessageA(hwnd, controlId, WM_GETFONT, 0, 0));
  if (!current) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA font = {};
  GetObjectA(current, sizeof font, &font);
  change(font);
  HFONT derived = CreateFontIndirectA(&font);
  SendDlgItemMessageA(hwnd, controlId, WM_SETFONT, reinterpret_cast<WPARAM>(derived), FALSE);
  return derived;
}

INT_PTR DlgVersion::OnCommand(WPARAM wParam, LPARAM) {
  if (wParam != MAKEWPARAM(IDC_WEB_LINK, STN_CLICKED)) return 0;
  openLink(hwnd, WebSiteAddress);
  return TRUE;
}

HBRUSH DlgVersion::OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id != IDC_WEB_LINK && id != IDC_PROGRAM_TITLE) return nullptr;
  // Answering with the dialog's own background keeps the blue text on the usual face colour.
  SetTextColor(dc, kLinkColour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

INT_PTR DlgVersion::OnNcDestroy() {
  DeleteFonts();
  return 0;
}

void DlgVersion::DeleteFonts() {
  if (linkFont) DeleteObject(linkFont);
  if (titleFont) DeleteObject(titleFont);
  linkFont = titleFont = nullptr;
}
