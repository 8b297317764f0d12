#include "dialogs/option_pages.h"

#include <commctrl.h>

#include "app/resource_string.h"
#include "calendar/month_heading.h"
#include "dialogs/pickers.h"
#include "docs/era_table.h"
#include "resources/zanto_resource.h"

namespace {

// Spacing up-downs: after a second of holding they step by ten.
void SetSpaceRange(HWND page, int spinId) {
  SendDlgItemMessageA(page, spinId, UDM_SETRANGE32, 0, kSpaceMax);
  UDACCEL accel = {1, 10};
  SendDlgItemMessageA(page, spinId, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

bool ReadChecked(HWND page, int editId, int low, int high, int* value = nullptr) {
  BOOL isNumber = FALSE;
  const int read = static_cast<int>(GetDlgItemInt(page, editId, &isNumber, TRUE));
  if (value) *value = read;
  return IsValueValid(isNumber != FALSE, read, low, high);
}

bool ReadUnsignedChecked(HWND page, int editId, UINT high) {
  BOOL isNumber = FALSE;
  const UINT read = GetDlgItemInt(page, editId, &isNumber, FALSE);
  return isNumber && read <= high;
}

// A combo box with nothing selected (the file held a value outside the choices) keeps the
// stored value rather than writing -1.
int32_t SelectionOr(int selection, int32_t stored) { return selection >= 0 ? selection : stored; }

HBRUSH PaintSwatch(HDC dc, CSolidBrush& brush) {
  SetBkColor(dc, brush.colour);
  SetTextColor(dc, brush.colour);
  return brush.brush;
}

}  // namespace

// ---- ChildMonthForm ----

ChildMonthForm::ChildMonthForm() : DlgDayDecoBase(IDD_MONTH_FORM) {}

INT_PTR ChildMonthForm::OnInitDialog() {
  SetSpaceRange(hwnd, IDC_FORM_SPACE_Y_SPIN);
  position_ = form->Position;
  format_ = form->Format;
  spaceY_ = form->SpaceY;
  color_ = static_cast<COLORREF>(form->Color);
  shadowColor_ = static_cast<COLORREF>(form->ShadowColor);
  colorBrush_.SetColor(color_);
  shadowBrush_.SetColor(shadowColor_);
  FillCombo(IDC_FORM_POSITION, IDS_CHOICE_POSITION, position_);
  SetChecked(IDC_FORM_GANNEN, form->Gannen != 0);
  forms_ = SplitString(LoadResourceString(IDS_HEADING_FORMS), ';');
  FillForms();
  SetDlgItemTextA(hwnd, IDC_FORM_FORMAT, format_.c_str());
  SendDlgItemMessageA(hwnd, IDC_FORM_FORMAT, EM_LIMITTEXT, kMaxFormatBytes, 0);
  SelectMatchingForm();
  SetDlgItemInt(hwnd, IDC_FORM_SPACE_Y, static_cast<UINT>(spaceY_), TRUE);
  return TRUE;
}

void ChildMonthForm::FillForms() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  CMonthForm sample;
  sample.Locale = form->Locale;
  sample.Gannen = IsChecked(IDC_FORM_GANNEN) ? 1 : 0;
  const int selected = ComboSelection(IDC_FORM_HEADING_FORMS);
  SendDlgItemMessageA(hwnd, IDC_FORM_HEADING_FORMS, CB_RESETCONTENT, 0, 0);
  std::vector<std::string> items;
  for (const std::string& picture : forms_) {
    sample.Format = picture;
    items.push_back(FormatMonthHeading(sample, EraTable::Instance(), today.wYear, today.wMonth));
  }
  items.push_back(LoadResourceString(IDS_HEADING_FREE_FORM));
  for (const std::string& item : items) {
    SendDlgItemMessageA(hwnd, IDC_FORM_HEADING_FORMS, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendDlgItemMessageA(hwnd, IDC_FORM_HEADING_FORMS, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void ChildMonthForm::SelectMatchingForm() {
  const std::string picture = ItemString(IDC_FORM_FORMAT);
  size_t matching = 0;
  while (matching < forms_.size() && forms_[matching] != picture) ++matching;
  SendDlgItemMessageA(hwnd, IDC_FORM_HEADING_FORMS, CB_SETCURSEL, matching, 0);
}

INT_PTR ChildMonthForm::OnCommand(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case MAKEWPARAM(IDC_FORM_PICK_COLOR, BN_CLICKED):
      color_ = PickColor(hwnd, color_, Item(IDC_FORM_COLOR), colorBrush_);
      return TRUE;
    case MAKEWPARAM(IDC_FORM_PICK_SHADOW_COLOR, BN_CLICKED):
      shadowColor_ = PickColor(hwnd, shadowColor_, Item(IDC_FORM_SHADOW_COLOR), shadowBrush_);
      return TRUE;
    case MAKEWPARAM(IDC_FORM_SPACE_Y, EN_UPDATE):
      NotifyParent(ReadChecked(hwnd, IDC_FORM_SPACE_Y, 0, kSpaceMax) ? ADN_VALID : ADN_INVALID,
                   index);
      return TRUE;
    case MAKEWPARAM(IDC_FORM_HEADING_FORMS, CBN_SELCHANGE): {
      const int chosen = ComboSelection(IDC_FORM_HEADING_FORMS);
      // The free picture keeps what the box holds, for the user to edit.
      if (chosen >= 0 && static_cast<size_t>(chosen) < forms_.size()) {
        SetDlgItemTextA(hwnd, IDC_FORM_FORMAT, forms_[chosen].c_str());
      } else {
        SetFocus(Item(IDC_FORM_FORMAT));
      }
      return TRUE;
    }
    case MAKEWPARAM(IDC_FORM_FORMAT, EN_CHANGE):
      SelectMatchingForm();
      return TRUE;
    case MAKEWPARAM(IDC_FORM_GANNEN, BN_CLICKED):
      FillForms();
      return TRUE;
    default:
      return 0;
  }
}

HBRUSH ChildMonthForm::OnCtlColorStatic(HDC dc, HWND control) {
  if (control == Item(IDC_FORM_COLOR)) return PaintSwatch(dc, colorBrush_);
  if (control == Item(IDC_FORM_SHADOW_COLOR)) return PaintSwatch(dc, shadowBrush_);
  return nullptr;
}

int ChildMonthForm::Store() {
  form->Position = SelectionOr(ComboSelection(IDC_FORM_POSITION), form->Position);
  form->Format = ItemString(IDC_FORM_FORMAT);
  form->Gannen = IsChecked(IDC_FORM_GANNEN) ? 1 : 0;
  form->SpaceY = static_cast<int32_t>(GetDlgItemInt(hwnd, IDC_FORM_SPACE_Y, nullptr, TRUE));
  form->Color = static_cast<int32_t>(color_);
  form->ShadowColor = static_cast<int32_t>(shadowColor_);
  return 1;
}

// ---- ChildHeaderForm ----

ChildHeaderForm::ChildHeaderForm() : DlgDayDecoBase(IDD_HEADER_FORM) {}

INT_PTR ChildHeaderForm::OnInitDialog() {
  SetSpaceRange(hwnd, IDC_FORM_SPACE_Y_SPIN);
  SendDlgItemMessageA(hwnd, IDC_FORM_WEEK_TITLE, EM_LIMITTEXT, 64, 0);
  flag_ = form->Flag;
  weekTitle_ = form->WeekTitle;
  spaceY_ = form->SpaceY;
  startDay_ = form->StartDayOfWeek;
  SetDlgItemTextA(hwnd, IDC_FORM_WEEK_TITLE, weekTitle_.c_str());
  FillCombo(IDC_FORM_WEEK_START, IDS_CHOICE_WEEK_START, startDay_);
  SetChecked(IDC_FORM_SHOW_TITLES, flag_ != 0);
  SetDlgItemInt(hwnd, IDC_FORM_SPACE_Y, static_cast<UINT>(spaceY_), FALSE);
  CheckTitle();
  return TRUE;
}

INT_PTR ChildHeaderForm::OnCommand(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case MAKEWPARAM(IDC_FORM_SPACE_Y, EN_UPDATE):
      CheckSpace();
      return TRUE;
    case MAKEWPARAM(IDC_FORM_WEEK_TITLE, EN_UPDATE):
      CheckTitle();
      return TRUE;
    default:
      return 0;
  }
}

int ChildHeaderForm::Store() {
  form->StartDayOfWeek = SelectionOr(ComboSelection(IDC_FORM_WEEK_START), form->StartDayOfWeek);
  form->Flag = IsChecked(IDC_FORM_SHOW_TITLES) ? 1 : 0;
  form->SpaceY = static_cast<int32_t>(GetDlgItemInt(hwnd, IDC_FORM_SPACE_Y, nullptr, FALSE));
  form->WeekTitle = weekTitle_;
  return 1;
}

void ChildHeaderForm::CheckSpace() {
  spaceValid_ = ReadUnsignedChecked(hwnd, IDC_FORM_SPACE_Y, kSpaceMax);
  ReportState();
}

void ChildHeaderForm::CheckTitle() {
  weekTitle_ = ItemString(IDC_FORM_WEEK_TITLE);
  titleValid_ = IsWeekTitleValid(weekTitle_);
  ReportState();
}

void ChildHeaderForm::ReportState() {
  const bool valid = spaceValid_ && titleValid_;
  if (reported_.Changes(valid)) NotifyParent(valid ? ADN_VALID : ADN_INVALID, index);
}

// ---- ChildDayForm ----

namespace {

struct DayField {
  int edit;
  int spin;
  int low;
  int high;
};

// Top, Left, Right, Bottom, SpaceX, SpaceY.
constexpr DayField kDayFields[] = {
    {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_TOP_SPIN, -kAdjustLimit, kAdjustLimit},
    {IDC_FORM_ADJUST_LEFT, IDC_FORM_ADJUST_LEFT_SPIN, -kAdjustLimit, kAdjustLimit},
    {IDC_FORM_ADJUST_RIGHT, IDC_FORM_ADJUST_RIGHT_SPIN, -kAdjustLimit, kAdjustLimit},
    {IDC_FORM_ADJUST_BOTTOM, IDC_FORM_ADJUST_BOTTOM_SPIN, -kAdjustLimit, kAdjustLimit},
    {IDC_FORM_SPACE_X, IDC_FORM_SPACE_X_SPIN, 0, kSpaceMax},
    {IDC_FORM_SPACE_Y, IDC_FORM_SPACE_Y_SPIN, 0, kSpaceMax},
};

}  // namespace

ChildDayForm::ChildDayForm() : DlgDayDecoBase(IDD_DAY_FORM) {}

int32_t* ChildDayForm::Field(int i) const {
  int32_t* const fields[kFields] = {&form->Adjust.Top,    &form->Adjust.Left, &form->Adjust.Right,
                                    &form->Adjust.Bottom, &form->SpaceX,      &form->SpaceY};
  return fields[i];
}

INT_PTR ChildDayForm::OnInitDialog() {
  for (const DayField& field : kDayFields) {
    if (field.high == kSpaceMax) {
      SetSpaceRange(hwnd, field.spin);
    } else {
      SendDlgItemMessageA(hwnd, field.spin, UDM_SETRANGE32, static_cast<WPARAM>(field.low),
                          field.high);
    }
  }
  for (int i = 0; i < kFields; ++i) {
    SetDlgItemInt(hwnd, kDayFields[i].edit, static_cast<UINT>(*Field(i)), TRUE);
  }
  return TRUE;
}

INT_PTR ChildDayForm::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != EN_UPDATE) return 0;
  for (int i = 0; i < kFields; ++i) {
    if (LOWORD(wParam) != kDayFields[i].edit) continue;
    CheckField(i);
    return TRUE;
  }
  return 0;
}

void ChildDayForm::CheckField(int i) {
  valid_[i] = ReadChecked(hwnd, kDayFields[i].edit, kDayFields[i].low, kDayFields[i].high);
  bool valid = true;
  for (bool fieldValid : valid_) valid = valid && fieldValid;
  if (reported_.Changes(valid)) NotifyParent(valid ? ADN_VALID : ADN_INVALID, index);
}

int ChildDayForm::Store() {
  for (int i = 0; i < kFields; ++i) {
    *Field(i) = static_cast<int32_t>(GetDlgItemInt(hwnd, kDayFields[i].edit, nullptr, TRUE));
  }
  return 1;
}

// ---- ChildBackProp ----

ChildBackProp::ChildBackProp()
    : DlgDayDecoBase(IDD_BACK_PROP),
      modeBoxes_{IDC_BACK_NO_WALLPAPER, IDC_BACK_NO_FILL, IDC_BACK_NO_TRANSPARENT} {}

INT_PTR ChildBackProp::OnInitDialog() {
  for (int bit = 0; bit < 3; ++bit) SetChecked(modeBoxes_[bit], (form->ModeUnavail >> bit) & 1);
  ApplyModeRule();
  const bool desktop = form->ColorBack == kDesktopColorBack;
  SetChecked(desktop ? IDC_BACK_DESKTOP_COLOR : IDC_BACK_OWN_COLOR, true);
  fillColor_ = desktop ? GetSysColor(COLOR_BACKGROUND) : static_cast<COLORREF>(form->ColorBack);
  ApplyFillRule();
  fillBrush_.SetColor(fillColor_);
  InvalidateRect(Item(IDC_BACK_SWATCH), nullptr, TRUE);
  return TRUE;
}

INT_PTR ChildBackProp::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  switch (LOWORD(wParam)) {
    case IDC_BACK_NO_WALLPAPER:
    case IDC_BACK_NO_TRANSPARENT:
      ApplyModeRule();
      return TRUE;
    case IDC_BACK_NO_FILL:
      ApplyModeRule();
      ApplyFillRule();
      return TRUE;
    case IDC_BACK_DESKTOP_COLOR:
    case IDC_BACK_OWN_COLOR:
      ApplyFillRule();
      return TRUE;
    case IDC_BACK_PICK_COLOR:
      fillColor_ = PickColor(hwnd, fillColor_, Item(IDC_BACK_SWATCH), fillBrush_);
      return TRUE;
    default:
      return 0;
  }
}

HBRUSH ChildBackProp::OnCtlColorStatic(HDC dc, HWND control) {
  return control == Item(IDC_BACK_SWATCH) ? PaintSwatch(dc, fillBrush_) : nullptr;
}

int ChildBackProp::Store() {
  form->ModeUnavail = TickedModes();
  form->ColorBack = ColorBackFrom(IsChecked(IDC_BACK_DESKTOP_COLOR), fillColor_);
  return 1;
}

int32_t ChildBackProp::TickedModes() const {
  int32_t modes = 0;
  for (int bit = 0; bit < 3; ++bit) {
    if (IsChecked(modeBoxes_[bit])) modes |= 1 << bit;
  }
  return modes;
}

void ChildBackProp::ApplyModeRule() {
  const int32_t disabled = ModeBitToDisable(TickedModes());
  for (int bit = 0; bit < 3; ++bit) EnableItem(modeBoxes_[bit], (disabled & (1 << bit)) == 0);
}

void ChildBackProp::ApplyFillRule() {
  const FillControlStates states = FillRule(TickedModes(), IsChecked(IDC_BACK_OWN_COLOR));
  EnableItem(IDC_BACK_DESKTOP_COLOR, states.radios);
  EnableItem(IDC_BACK_OWN_COLOR, states.radios);
  EnableItem(IDC_BACK_SWATCH, states.colour);
  EnableItem(IDC_BACK_PICK_COLOR, states.colour);
}
