#include "dialogs/child_tab_sche.h"

#include <commctrl.h>

#include "resources/zanto_resource.h"

namespace {

// The four time fields with their up-downs and highest values; each takes two digits.
constexpr struct {
  int edit;
  int spin;
  int high;
} kTimeFields[] = {{IDC_SCHE_START_HOUR, IDC_SCHE_START_HOUR_SPIN, 23},
                   {IDC_SCHE_START_MINUTE, IDC_SCHE_START_MINUTE_SPIN, 59},
                   {IDC_SCHE_LEAD_HOUR, IDC_SCHE_LEAD_HOUR_SPIN, 23},
                   {IDC_SCHE_LEAD_MINUTE, IDC_SCHE_LEAD_MINUTE_SPIN, 59}};
constexpr int kTimeFieldDigits = 2;
// The page's reports to the editor carry this sender.
constexpr LPARAM kSender = 0;

// Room for a message: what the notification program shows, far below what a file can hold.
constexpr int kMessageLimit = 1023;

int ReadInt(HWND page, int id) {
  // Text that is not a number reads as 0.
  return static_cast<int>(GetDlgItemInt(page, id, nullptr, TRUE));
}

}  // namespace

ChildTabSche::ChildTabSche() : AppDlg(IDD_TAB_SCHE) {}

INT_PTR ChildTabSche::OnInitDialog() {
  for (const auto& field : kTimeFields) {
    SendDlgItemMessageA(hwnd, field.spin, UDM_SETRANGE32, 0, field.high);
    SendDlgItemMessageA(hwnd, field.edit, EM_LIMITTEXT, kTimeFieldDigits, 0);
  }
  SendDlgItemMessageA(hwnd, IDC_SCHE_MESSAGE, EM_LIMITTEXT, kMessageLimit, 0);
  fields_ = FieldsFromSchedule(schedule->time, schedule->Notice);
  message_ = schedule->Message;
  ShowNotify(fields_.notify);
  SetDlgItemInt(hwnd, IDC_SCHE_START_HOUR, static_cast<UINT>(fields_.startHour), TRUE);
  SetDlgItemInt(hwnd, IDC_SCHE_START_MINUTE, static_cast<UINT>(fields_.startMinute), TRUE);
  SetDlgItemInt(hwnd, IDC_SCHE_LEAD_HOUR, static_cast<UINT>(fields_.leadHours), TRUE);
  SetDlgItemInt(hwnd, IDC_SCHE_LEAD_MINUTE, static_cast<UINT>(fields_.leadMinutes), TRUE);
  SetChecked(IDC_SCHE_NOTIFY, fields_.notify);
  SetDlgItemTextA(hwnd, IDC_SCHE_MESSAGE, message_.c_str());
  return TRUE;
}

bool ChildTabSche::FieldsValid() const {
  for (const auto& field : kTimeFields) {
    // Disabled lead fields are not used while notification is off.
    if (!IsWindowEnabled(Item(field.edit))) continue;
    if (!TimeFieldValid(ItemString(field.edit).c_str(), field.high)) return false;
  }
  return true;
}

INT_PTR ChildTabSche::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) != IDC_SCHE_MESSAGE) {
    SendMessageA(Editor(), WM_APPDLG_NOTIFY, FieldsValid() ? ADN_VALID : ADN_INVALID, kSender);
    return TRUE;
  }
  switch (wParam) {
    case MAKEWPARAM(IDC_SCHE_NOTIFY, BN_CLICKED):
      ShowNotify(IsChecked(IDC_SCHE_NOTIFY));
      SendMessageA(Editor(), WM_APPDLG_NOTIFY, FieldsValid() ? ADN_VALID : ADN_INVALID, kSender);
      return TRUE;
    case MAKEWPARAM(IDC_SCHE_PASTE_MEMO, BN_CLICKED):
      PasteMemo();
      return TRUE;
    case MAKEWPARAM(IDC_SCHE_DELETE, BN_CLICKED):
      // The editor destroys and frees this page while handling the report: nothing of the
      // page may be touched after it.
      SendMessageA(Editor(), WM_APPDLG_NOTIFY, ADN_DELETE_SCHEDULE, 0);
      return TRUE;
    default:
      return 0;
  }
}

int ChildTabSche::Store() {
  fields_.startHour = ReadInt(hwnd, IDC_SCHE_START_HOUR);
  fields_.startMinute = ReadInt(hwnd, IDC_SCHE_START_MINUTE);
  fields_.leadHours = ReadInt(hwnd, IDC_SCHE_LEAD_HOUR);
  fields_.leadMinutes = ReadInt(hwnd, IDC_SCHE_LEAD_MINUTE);
  fields_.notify = IsChecked(IDC_SCHE_NOTIFY);
  message_ = ItemString(IDC_SCHE_MESSAGE);
  const ScheduleTimes times = ScheduleFromFields(fields_);
  schedule->time = times.time;
  schedule->Notice = times.notice;
  schedule->notifyAt = times.notifyAt;
  schedule->Message = message_;
  return NotifiesOnOwnDay(times) ? 1 : 0;
}

void ChildTabSche::ShowNotify(bool on) {
  for (int id : {IDC_SCHE_LEAD_HOUR, IDC_SCHE_LEAD_MINUTE, IDC_SCHE_LEAD_HOUR_SPIN,
                 IDC_SCHE_LEAD_MINUTE_SPIN}) {
    EnableItem(id, on);
  }
  ShowWindow(Item(IDC_SCHE_NOTIFY_OFF_NOTE), on ? SW_HIDE : SW_SHOW);
}

void ChildTabSche::PasteMemo() {
  const std::string memo = GetDlgItemString(Editor(), IDC_MEMO_TEXT);
  SendDlgItemMessageA(hwnd, IDC_SCHE_MESSAGE, EM_REPLACESEL, TRUE,
                      reinterpret_cast<LPARAM>(memo.c_str()));
}
