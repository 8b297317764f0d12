#include "dialogs/child_font.h"

#include <commctrl.h>

#include "app/logic/option_rules.h"
#include "dialogs/pickers.h"
#include "resources/zanto_resource.h"

ChildFont::ChildFont() : AppDlg(IDD_CHILD_FONT) {}

INT_PTR ChildFont::OnInitDialog() {
  logFont_ = font->LogFont;
  shadow_ = font->Shadow;
  ShowFont();
  SendDlgItemMessageA(hwnd, IDC_FONT_SHADOW_SPIN, UDM_SETRANGE32, 0, kShadowMax);
  SetDlgItemInt(hwnd, IDC_FONT_SHADOW, static_cast<UINT>(shadow_), FALSE);
  return TRUE;
}

INT_PTR ChildFont::OnCommand(WPARAM wParam, LPARAM) {
  if (wParam == MAKEWPARAM(IDC_FONT_PICK, BN_CLICKED)) {
    if (PickFont(hwnd, logFont_)) ShowFont();
    return TRUE;
  }
  if (wParam == MAKEWPARAM(IDC_FONT_SHADOW, EN_UPDATE)) {
    CheckShadow();
    return TRUE;
  }
  return 0;
}

void ChildFont::StoreFont() {
  BOOL isNumber = FALSE;
  const UINT shadow = GetDlgItemInt(hwnd, IDC_FONT_SHADOW, &isNumber, FALSE);
  font->LogFont = logFont_;
  font->Shadow = shadow <= static_cast<UINT>(kShadowMax) ? static_cast<int>(shadow) : 0;
}

void ChildFont::ShowFont() {
  char face[LF_FACESIZE + 1] = {};
  lstrcpynA(face, logFont_.lfFaceName, LF_FACESIZE);
  SetDlgItemTextA(hwnd, IDC_FONT_FACE, face);
  SetDlgItemInt(hwnd, IDC_FONT_POINTS, static_cast<UINT>(FontPointSize(logFont_.lfHeight)), FALSE);
}

void ChildFont::CheckShadow() {
  BOOL isNumber = FALSE;
  const UINT shadow = GetDlgItemInt(hwnd, IDC_FONT_SHADOW, &isNumber, FALSE);
  const bool valid = isNumber && shadow <= static_cast<UINT>(kShadowMax);
  NotifyParent(valid ? ADN_VALID : ADN_INVALID, index);
}
