#include "dialogs/dlg_memo_edt.h"

#include <commctrl.h>

#include "app/resource_string.h"
#include "resources/zanto_resource.h"

namespace {

// Room for the memo text: it is a tooltip.
constexpr int kMemoLimit = 63;

// The string-table text with its one placeholder replaced: the texts are data, not formats.
std::string FillIn(unsigned stringId, const char* placeholder, const std::string& value) {
  std::string text = LoadResourceString(stringId);
  const size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace

DlgMemoEdt::DlgMemoEdt() : AppDlg(IDD_MEMO_EDT) {}

INT_PTR DlgMemoEdt::OnInitDialog() {
  SendDlgItemMessageA(hwnd, IDC_MEMO_TEXT, EM_LIMITTEXT, kMemoLimit, 0);
  tabs_ = Item(IDC_MEMO_TABS);
  work_.Assign(*note);

  decoPage_.deco = &work_.decoration;
  decoPage_.name.clear();
  EmbedPage(decoPage_, IDC_MEMO_MARKER);

  SetTitle();
  memoText_ = work_.Title;

  GetClientRect(tabs_, &pageRect_);
  pageRect_.left += 2;
  pageRect_.top += 20;
  pageRect_.right -= 4;
  pageRect_.bottom -= 4;
  MapWindowPoints(tabs_, hwnd, reinterpret_cast<POINT*>(&pageRect_), 2);
  for (size_t i = 0; i < work_.schedules.size(); ++i) AddPage(static_cast<int>(i));
  if (!pages_.empty()) ShowPage(0);
  // A time stored out of range (a hand-edited file) has to be mended before OK.
  UpdateOk();

  SetDlgItemTextA(hwnd, IDC_MEMO_TEXT, memoText_.c_str());
  SetFocus(Item(IDC_MEMO_TEXT));
  return FALSE;
}

void DlgMemoEdt::SetTitle() {
  SYSTEMTIME day = {};
  day.wYear = static_cast<WORD>(work_.year);
  day.wMonth = static_cast<WORD>(work_.month);
  day.wDay = static_cast<WORD>(work_.date);
  char date[256] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, date, sizeof date);
  SetWindowTextA(hwnd, FillIn(IDS_MEMO_CAPTION, "%s", date).c_str());
}

void DlgMemoEdt::AddPage(int index) {
  std::string label = FillIn(IDS_SCHEDULE_TAB, "%d", std::to_string(pageCounter_.Next()));
  auto page = std::make_unique<ChildTabSche>();
  page->schedule = work_.schedules[index];
  ChildTabSche* created = page.get();
  pages_.insert(pages_.begin() + index, std::move(page));

  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = label.data();
  SendMessageA(tabs_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));

  // A child of the dialog lying over the tab control, as property sheets have their pages, so
  // Tab goes from the editor's own fields into the page: placed just before the tab control
  // in the order of the dialog's controls, which also keeps it drawn above the tabs.
  created->Create(hwnd);
  SetWindowPos(created->hwnd, GetWindow(tabs_, GW_HWNDPREV), pageRect_.left, pageRect_.top,
               pageRect_.right - pageRect_.left, pageRect_.bottom - pageRect_.top,
               SWP_NOACTIVATE | SWP_NOREDRAW);
}

void DlgMemoEdt::ShowPage(int index) {
  for (size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i]->hwnd, static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }
}

int DlgMemoEdt::SelectedTab() const { return TabCtrl_GetCurSel(tabs_); }

INT_PTR DlgMemoEdt::OnNotify(int controlId, NMHDR* header) {
  if (controlId != IDC_MEMO_TABS || header->code != static_cast<UINT>(TCN_SELCHANGE)) return 0;
  ShowPage(SelectedTab());
  return TRUE;
}

INT_PTR DlgMemoEdt::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APPDLG_NOTIFY) return 0;
  if (wParam == ADN_DELETE_SCHEDULE) {
    DeleteSchedule();
    UpdateOk();
    return TRUE;
  }
  // The decoration page's reports (sender 102) do not matter here: an empty decoration is a
  // valid one. A schedule page (sender 0) reports its times.
  if (lParam != 0 || (wParam != ADN_VALID && wParam != ADN_INVALID)) return 0;
  UpdateOk();
  return TRUE;
}

void DlgMemoEdt::UpdateOk() const {
  bool valid = true;
  for (const auto& page : pages_) valid = valid && page->FieldsValid();
  EnableItem(IDOK, valid);
}

INT_PTR DlgMemoEdt::OnCommand(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case MAKEWPARAM(IDC_MEMO_ADD_SCHEDULE, BN_CLICKED):
      AddSchedule();
      return TRUE;
    case MAKEWPARAM(IDC_MEMO_DELETE_ALL, BN_CLICKED):
      work_.date = 0;
      return OnOK();
    default:
      return 0;
  }
}

void DlgMemoEdt::AddSchedule() {
  const int current = SelectedTab();
  const int index = current + 1;
  auto schedule = std::make_unique<DateSchedule>();
  schedule->Message.clear();
  schedule->time = 540;
  schedule->Notice = 30;
  schedule->notifyAt = 0;
  work_.schedules.insert(work_.schedules.begin() + index, schedule.get());
  schedule.release();
  AddPage(index);
  if (current >= 0) ShowWindow(pages_[current]->hwnd, SW_HIDE);
  TabCtrl_SetCurSel(tabs_, index);
  ShowPage(index);
  UpdateOk();
}

void DlgMemoEdt::DeleteSchedule() {
  const int current = SelectedTab();
  if (current < 0 || current >= static_cast<int>(pages_.size())) return;
  TabCtrl_DeleteItem(tabs_, current);
  DestroyWindow(pages_[current]->hwnd);
  pages_.erase(pages_.begin() + current);
  delete work_.schedules[current];
  work_.schedules.erase(work_.schedules.begin() + current);
  const int next = TabAfterDelete(current, static_cast<int>(pages_.size()));
  if (next < 0) return;
  TabCtrl_SetCurSel(tabs_, next);
  ShowPage(next);
}

INT_PTR DlgMemoEdt::OnOK() {
  memoText_ = ItemString(IDC_MEMO_TEXT);
  decoPage_.Store();
  if (memoText_.empty() && work_.decoration.flags == 0 && work_.schedules.empty()) work_.date = 0;
  if (work_.date != 0) {
    work_.Title = memoText_;
    if (!StoreSchedules()) return TRUE;
  }
  note->Assign(work_);
  EndDialog(hwnd, IDOK);
  return TRUE;
}

bool DlgMemoEdt::StoreSchedules() {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (!AsksYearBoundary(work_.month, work_.date, pages_[i]->Store() != 0)) continue;
    const std::string question = LoadResourceString(IDS_YEAR_BOUNDARY);
    const std::string caption = LoadResourceString(IDS_PROGRAM_NAME);
    if (MessageBoxA(hwnd, question.c_str(), caption.c_str(), MB_YESNO) == IDYES) continue;
    TabCtrl_SetCurSel(tabs_, static_cast<int>(i));
    ShowPage(static_cast<int>(i));
    return false;
  }
  return true;
}

INT_PTR DlgMemoEdt::OnNcDestroy() {
  // The page windows went with the dialog; the objects are ours to free.
  pages_.clear();
  return 0;
}
