#include "dialogs/child_day_deco_edt.h"

#include "dialogs/pickers.h"
#include "resources/zanto_resource.h"

namespace {

// One row of the page: its attribute bit and controls (0 where the row has none).
struct DecoRow {
  uint32_t bit;
  int standardBox;
  int typeCombo;
  UINT typeChoices;
  int swatch;
  int pathEdit;
  int button;
};

// Rows 0 to 3 have a colour (swatch), rows 2 to 4 a type; the image row has the path instead.
constexpr DecoRow kRows[ChildDayDecoEdt::kRowCount] = {
    {kDecoColour, IDC_STD_COLOUR, 0, 0, IDC_SWATCH_COLOUR, 0, IDC_PICK_COLOUR},
    {kDecoShadow, IDC_STD_SHADOW, 0, 0, IDC_SWATCH_SHADOW, 0, IDC_PICK_SHADOW},
    {kDecoFrame, IDC_STD_FRAME, IDC_FRAME_TYPE, IDS_CHOICE_FRAME, IDC_SWATCH_FRAME, 0,
     IDC_PICK_FRAME},
    {kDecoMark, IDC_STD_MARK, IDC_MARK_TYPE, IDS_CHOICE_MARK, IDC_SWATCH_MARK, 0, IDC_PICK_MARK},
    {kDecoImage, IDC_STD_IMAGE, IDC_IMAGE_TYPE, IDS_CHOICE_IMAGE, 0, IDC_IMAGE_PATH,
     IDC_PICK_IMAGE},
};
constexpr int kImageRow = 4;

int RowOfControl(int controlId, int DecoRow::*field) {
  for (int row = 0; row < ChildDayDecoEdt::kRowCount; ++row) {
    if (kRows[row].*field == controlId) return row;
  }
  return -1;
}

}  // namespace

ChildDayDecoEdt::ChildDayDecoEdt() : AppDlg(IDD_DAY_DECO_EDT) {}

INT_PTR ChildDayDecoEdt::OnInitDialog() {
  LoadRows();
  // The standard decoration is what the other rows fall back to; it cannot refer to itself.
  const bool isDefault = name == kDefaultDecoName;
  for (int row = 0; row < kRowCount; ++row) {
    EnableItem(kRows[row].standardBox, !isDefault);
    SetChecked(kRows[row].standardBox, standard[row]);
  }
  ShowPath(true);
  for (int row = 0; row < kRowCount; ++row) {
    if (kRows[row].typeCombo) FillCombo(kRows[row].typeCombo, kRows[row].typeChoices, type[row]);
  }
  for (int row = 0; row < kRowCount; ++row) ApplyRowState(row);
  return TRUE;
}

void ChildDayDecoEdt::LoadRows() {
  for (int row = 0; row < kRowCount; ++row) standard[row] = !(deco->flags & kRows[row].bit);
  type[2] = deco->frameLine;
  type[3] = deco->markType;
  type[4] = deco->imageType;
  colours[0] = deco->colour;
  colours[1] = deco->shadowColour;
  colours[2] = deco->frameColour;
  colours[3] = deco->markColour;
  for (int i = 0; i < kSwatchCount; ++i) brushes[i].SetColor(colours[i]);
  imagePath = deco->imagePath;
}

INT_PTR ChildDayDecoEdt::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code == BN_CLICKED) {
    const int boxRow = RowOfControl(id, &DecoRow::standardBox);
    if (boxRow >= 0) {
      ApplyRowState(boxRow);
      return TRUE;
    }
    const int buttonRow = RowOfControl(id, &DecoRow::button);
    if (buttonRow == kImageRow) {
      if (PickImageFile(hwnd, imagePath)) ShowPath(true);
      return TRUE;
    }
    if (buttonRow >= 0) {
      colours[buttonRow] = PickColor(hwnd, colours[buttonRow], Item(kRows[buttonRow].swatch),
                                     brushes[buttonRow]);
      return TRUE;
    }
  }
  if (code == CBN_SELCHANGE) {
    const int row = RowOfControl(id, &DecoRow::typeCombo);
    if (row >= 0) OnTypeChange(row);
    return TRUE;
  }
  if (code == EN_CHANGE && id == IDC_IMAGE_PATH && !fillingPath && type[kImageRow] > 0) {
    imagePath = ItemString(IDC_IMAGE_PATH);
    return TRUE;
  }
  return 0;
}

void ChildDayDecoEdt::ApplyRowState(int row) {
  const DecoRow& r = kRows[row];
  standard[row] = IsChecked(r.standardBox);
  if (r.typeCombo) {
    if (standard[row]) {
      // A type the list cannot show (a frame style from the file) is kept as it is.
      const int selection = ComboSelection(r.typeCombo);
      if (selection >= 0) type[row] = selection;
      SendDlgItemMessageA(hwnd, r.typeCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else {
      SendDlgItemMessageA(hwnd, r.typeCombo, CB_SETCURSEL, static_cast<WPARAM>(type[row]), 0);
    }
    EnableItem(r.typeCombo, !standard[row]);
  }
  EnableRowValues(row, !standard[row] && (!r.typeCombo || type[row] > 0));
  NotifyParent(AllStandard() ? ADN_INVALID : ADN_VALID, kSender);
}

void ChildDayDecoEdt::OnTypeChange(int row) {
  const int selection = ComboSelection(kRows[row].typeCombo);
  if (selection >= 0) type[row] = selection;
  EnableRowValues(row, type[row] > 0);
}

void ChildDayDecoEdt::EnableRowValues(int row, bool enable) {
  const DecoRow& r = kRows[row];
  if (r.swatch) {
    EnableItem(r.swatch, enable);
    InvalidateRect(Item(r.swatch), nullptr, TRUE);
  }
  if (r.pathEdit) {
    EnableItem(r.pathEdit, enable);
    ShowPath(enable);
  }
  EnableItem(r.button, enable);
}

void ChildDayDecoEdt::ShowPath(bool show) {
  fillingPath = true;
  SetDlgItemTextA(hwnd, IDC_IMAGE_PATH, show ? imagePath.c_str() : "");
  fillingPath = false;
}

int ChildDayDecoEdt::RowType(int row) const {
  const int selection = ComboSelection(kRows[row].typeCombo);
  return selection >= 0 ? selection : type[row];
}

bool ChildDayDecoEdt::AllStandard() const {
  for (bool s : standard) {
    if (!s) return false;
  }
  return true;
}

HBRUSH ChildDayDecoEdt::OnCtlColorStatic(HDC dc, HWND control) {
  const int row = RowOfControl(GetDlgCtrlID(control), &DecoRow::swatch);
  if (row < 0 || standard[row]) return nullptr;
  if (kRows[row].typeCombo && ComboSelection(kRows[row].typeCombo) <= 0) return nullptr;
  SetBkColor(dc, colours[row]);
  return brushes[row].brush;
}

int ChildDayDecoEdt::Store() {
  for (int row = 0; row < kRowCount; ++row) standard[row] = IsChecked(kRows[row].standardBox);
  deco->flags = 0;
  if (!standard[0]) deco->colour = colours[0];
  if (!standard[1]) deco->shadowColour = colours[1];
  if (!standard[2]) {
    deco->frameLine = RowType(2);
    deco->frameColour = colours[2];
  }
  if (!standard[3]) {
    deco->markType = RowType(3);
    deco->markColour = colours[3];
  }
  if (!standard[4]) {
    deco->imageType = RowType(4);
    deco->imagePath = imagePath;
  }
  for (int row = 0; row < kRowCount; ++row) {
    if (!standard[row]) deco->flags |= kRows[row].bit;
  }
  return 1;
}
