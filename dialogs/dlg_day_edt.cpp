#include "dialogs/dlg_day_edt.h"

#include "app/resource_string.h"
#include "calendar/deco_conditions.h"
#include "resources/zanto_resource.h"

namespace {

constexpr int kConditionControls[] = {IDC_TODAY_LABEL,   IDC_TODAY_COND,    IDC_WEEKDAY_LABEL,
                                      IDC_WEEKDAY_COND,  IDC_HOLIDAY_LABEL, IDC_HOLIDAY_COND,
                                      IDC_ROKUYO_LABEL,  IDC_ROKUYO_COND};

}  // namespace

DlgDayEdt::DlgDayEdt() : AppDlg(IDD_DAY_EDT) {}

INT_PTR DlgDayEdt::OnInitDialog() {
  page.deco = deco;
  page.name = deco->name;
  EmbedPage(page, IDC_MARKER);

  name = deco->name;
  std::string shownName = name;
  if (IsDefault()) {
    shownName = LoadResourceString(IDS_STANDARD_DECO);
    EnableItem(IDC_DECO_NAME, false);
    todayIndex = weekdayIndex = holidayIndex = rokuyoIndex = 0;
    EnableItem(IDC_TODAY_COND, false);
    EnableItem(IDC_WEEKDAY_COND, false);
    EnableItem(IDC_HOLIDAY_COND, false);
    EnableItem(IDC_ROKUYO_COND, false);
  } else {
    const DecoConditions conditions = ReadConditions(deco->check, deco->mask);
    todayIndex = conditions.today;
    weekdayIndex = conditions.weekday;
    holidayIndex = conditions.holiday;
    rokuyoIndex = deco->rokuyo;
  }
  SetDlgItemTextA(hwnd, IDC_DECO_NAME, shownName.c_str());
  CheckName();
  SendDlgItemMessageA(hwnd, IDC_DECO_NAME, EM_LIMITTEXT, kNameLimit, 0);
  FillCombo(IDC_TODAY_COND, IDS_CHOICE_TODAY, todayIndex);
  FillCombo(IDC_WEEKDAY_COND, IDS_CHOICE_WEEKDAY, weekdayIndex);
  FillCombo(IDC_HOLIDAY_COND, IDS_CHOICE_HOLIDAY, holidayIndex);
  FillCombo(IDC_ROKUYO_COND, IDS_CHOICE_ROKUYO, rokuyoIndex);
  if (!showConditions) HideConditions();
  SetFocus(Item(IDC_DECO_NAME));
  return TRUE;
}

void DlgDayEdt::HideConditions() {
  for (int id : kConditionControls) ShowWindow(Item(id), SW_HIDE);
}

INT_PTR DlgDayEdt::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_APPDLG_NOTIFY) return 0;
  if (wParam == ADN_VALID) pageHasContent = true;
  if (wParam == ADN_INVALID) pageHasContent = false;
  UpdateOk();
  return TRUE;
}

INT_PTR DlgDayEdt::OnCommand(WPARAM wParam, LPARAM) {
  if (wParam != MAKEWPARAM(IDC_DECO_NAME, EN_CHANGE)) return 0;
  CheckName();
  return TRUE;
}

void DlgDayEdt::CheckName() {
  const std::string candidate = ItemString(IDC_DECO_NAME);
  // The standard decoration keeps its name whatever its shown text resembles.
  nameValid = IsDefault() ||
              (!candidate.empty() && (candidate == deco->name || !NameTaken(candidate)));
  UpdateOk();
}

bool DlgDayEdt::NameTaken(const std::string& candidate) const {
  if (!workList) return false;
  for (const CDayDeco* other : *workList) {
    if (other->name == candidate) return true;
  }
  return false;
}

void DlgDayEdt::UpdateOk() { EnableItem(IDOK, nameValid && pageHasContent); }

INT_PTR DlgDayEdt::OnOK() {
  // Enter in the name edit must not get past a disabled OK button.
  if (!IsWindowEnabled(Item(IDOK))) return TRUE;
  page.Store();
  name = ItemString(IDC_DECO_NAME);
  todayIndex = ComboSelection(IDC_TODAY_COND);
  weekdayIndex = ComboSelection(IDC_WEEKDAY_COND);
  holidayIndex = ComboSelection(IDC_HOLIDAY_COND);
  rokuyoIndex = ComboSelection(IDC_ROKUYO_COND);
  deco->check = 0;
  deco->mask = 0;
  deco->rokuyo = 0;
  if (showConditions && !IsDefault()) {
    WriteConditions({todayIndex, weekdayIndex, holidayIndex}, deco->check, deco->mask);
    if (rokuyoIndex > 0 && rokuyoIndex < kRokuyoConditions) deco->rokuyo = rokuyoIndex;
  }
  if (!IsDefault()) deco->name = name;
  EndDialog(hwnd, IDOK);
  return TRUE;
}
