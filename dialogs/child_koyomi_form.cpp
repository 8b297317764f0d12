#include "dialogs/child_koyomi_form.h"

#include <commctrl.h>

#include "app/logic/option_rules.h"
#include "dialogs/pickers.h"
#include "resources/zanto_resource.h"

ChildKoyomiForm::ChildKoyomiForm() : DlgDayDecoBase(IDD_KOYOMI_FORM) {}

INT_PTR ChildKoyomiForm::OnInitDialog() {
  SendDlgItemMessageA(hwnd, IDC_KOYOMI_FONT_SIZE_SPIN, UDM_SETRANGE32, kKoyomiFontMin,
                      kKoyomiFontMax);
  SetChecked(IDC_KOYOMI_TIP_LINE, form->TipLine != 0);
  SetChecked(IDC_KOYOMI_CELL_LINE, form->CellLine != 0);
  SetChecked(IDC_KOYOMI_SEKKI_NAME, form->SekkiName != 0);
  color_ = static_cast<COLORREF>(form->Color);
  colorBrush_.SetColor(color_);
  // Filling the edit runs its check, which reports the page's state to the dialog.
  SetDlgItemInt(hwnd, IDC_KOYOMI_FONT_SIZE, static_cast<UINT>(form->FontSize), FALSE);
  return TRUE;
}

INT_PTR ChildKoyomiForm::OnCommand(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case MAKEWPARAM(IDC_KOYOMI_PICK_COLOR, BN_CLICKED):
      color_ = PickColor(hwnd, color_, Item(IDC_KOYOMI_COLOR), colorBrush_);
      return TRUE;
    case MAKEWPARAM(IDC_KOYOMI_FONT_SIZE, EN_UPDATE): {
      BOOL isNumber = FALSE;
      const int size = static_cast<int>(GetDlgItemInt(hwnd, IDC_KOYOMI_FONT_SIZE, &isNumber, FALSE));
      const bool valid = IsValueValid(isNumber != FALSE, size, kKoyomiFontMin, kKoyomiFontMax);
      NotifyParent(valid ? ADN_VALID : ADN_INVALID, index);
      return TRUE;
    }
    default:
      return 0;
  }
}

HBRUSH ChildKoyomiForm::OnCtlColorStatic(HDC dc, HWND control) {
  if (control != Item(IDC_KOYOMI_COLOR)) return nullptr;
  SetBkColor(dc, colorBrush_.colour);
  SetTextColor(dc, colorBrush_.colour);
  return colorBrush_.brush;
}

int ChildKoyomiForm::Store() {
  form->TipLine = IsChecked(IDC_KOYOMI_TIP_LINE) ? 1 : 0;
  form->CellLine = IsChecked(IDC_KOYOMI_CELL_LINE) ? 1 : 0;
  form->SekkiName = IsChecked(IDC_KOYOMI_SEKKI_NAME) ? 1 : 0;
  BOOL isNumber = FALSE;
  const int size = static_cast<int>(GetDlgItemInt(hwnd, IDC_KOYOMI_FONT_SIZE, &isNumber, FALSE));
  if (IsValueValid(isNumber != FALSE, size, kKoyomiFontMin, kKoyomiFontMax)) form->FontSize = size;
  form->Color = static_cast<int32_t>(color_);
  return 1;
}
