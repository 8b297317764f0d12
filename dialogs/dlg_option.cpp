#include "dialogs/dlg_option.h"

#include "resources/zanto_resource.h"

namespace {

// Kept for the whole run so the dialog opens where the user left it.
int currentCategory = 2;

constexpr int kCategoryLabels[DlgOption::kCategories] = {IDC_OPT_LABEL_MONTH, IDC_OPT_LABEL_HEADER,
                                                         IDC_OPT_LABEL_DAY, IDC_OPT_BACK_BOX,
                                                         IDC_OPT_LABEL_KOYOMI};

constexpr COLORREF kChosenBack = 0xFFFFFF;
constexpr COLORREF kChosenText = 0xFF0000;
constexpr COLORREF kLabelBack = 0xC0C0C0;
constexpr COLORREF kBoxBack = 0xA0A0A0;
constexpr COLORREF kLabelText = 0x000012;

HBRUSH Paint(HDC dc, COLORREF text, CSolidBrush& brush) {
  SetBkColor(dc, brush.colour);
  SetTextColor(dc, text);
  return brush.brush;
}

}  // namespace

DlgOption::DlgOption(CMonthForm* monthForm, CHeaderForm* headerForm, CDayForm* dayForm,
                     CBackForm* backForm)
    : AppDlg(IDD_OPTION),
      monthForm_(monthForm),
      headerForm_(headerForm),
      dayForm_(dayForm),
      backForm_(backForm),
      formPages_{&monthPage_, &headerPage_, &dayPage_, &backPage_, &koyomiPage_} {}

int DlgOption::CurrentCategory() { return currentCategory; }

INT_PTR DlgOption::OnInitDialog() {
  monthCopy_.Assign(*monthForm_);
  headerCopy_.Assign(*headerForm_);
  dayCopy_.Assign(*dayForm_);
  backCopy_.Assign(*backForm_);
  if (koyomiForm) koyomiCopy_.Assign(*koyomiForm);

  CFontData* const fonts[3] = {&monthCopy_.Font, &headerCopy_.Font, &dayCopy_.Font};
  for (int i = 0; i < 3; ++i) {
    fontPages_[i].font = fonts[i];
    fontPages_[i].index = i;
    EmbedPage(fontPages_[i], IDC_OPT_MARKER, false);
  }
  whiteBrush_.SetColor(kChosenBack);
  lightBrush_.SetColor(kLabelBack);
  darkBrush_.SetColor(kBoxBack);

  monthPage_.form = &monthCopy_;
  headerPage_.form = &headerCopy_;
  dayPage_.form = &dayCopy_;
  backPage_.form = &backCopy_;
  koyomiPage_.form = &koyomiCopy_;
  EmbedPage(monthPage_, IDC_OPT_MARKER2, false);
  EmbedPage(headerPage_, IDC_OPT_MARKER2, false);
  EmbedPage(dayPage_, IDC_OPT_MARKER2, false);
  EmbedPage(backPage_, IDC_OPT_MARKER, false);
  EmbedPage(koyomiPage_, IDC_OPT_MARKER, false);

  ShowCategory(currentCategory, true);
  return FALSE;
}

INT_PTR DlgOption::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APPDLG_NOTIFY) return 0;
  if (wParam != ADN_VALID && wParam != ADN_INVALID) return 0;
  validity_.Set(static_cast<int>(lParam), wParam == ADN_VALID);
  EnableItem(IDOK, validity_.AllValid());
  return TRUE;
}

INT_PTR DlgOption::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != STN_CLICKED) return 0;
  for (int category = 0; category < kCategories; ++category) {
    if (LOWORD(wParam) != kCategoryLabels[category]) continue;
    SelectCategory(category);
    return TRUE;
  }
  return 0;
}

void DlgOption::SelectCategory(int category) {
  if (category == currentCategory) return;
  ShowCategory(currentCategory, false);
  currentCategory = category;
  ShowCategory(category, true);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void DlgOption::ShowCategory(int category, bool show) {
  const int command = show ? SW_SHOW : SW_HIDE;
  if (category < kFontCategories) {
    ShowWindow(fontPages_[category].hwnd, command);
    if (show) SetFocus(GetDlgItem(fontPages_[category].hwnd, IDC_FONT_PICK));
  }
  ShowWindow(formPages_[category]->hwnd, command);
}

HBRUSH DlgOption::OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == kCategoryLabels[currentCategory]) return Paint(dc, kChosenText, whiteBrush_);
  if (id == IDC_OPT_BACK_LABEL || id == IDC_OPT_UPPER_BOX) {
    if (currentCategory == kBackCategory) return Paint(dc, kChosenText, whiteBrush_);
    return Paint(dc, kLabelText, darkBrush_);
  }
  if (id == IDC_OPT_LABEL_MONTH || id == IDC_OPT_LABEL_HEADER || id == IDC_OPT_LABEL_DAY ||
      id == IDC_OPT_LABEL_KOYOMI) {
    return Paint(dc, kLabelText, lightBrush_);
  }
  if (id == IDC_OPT_BACK_BOX) return Paint(dc, kLabelText, darkBrush_);
  return nullptr;
}

INT_PTR DlgOption::OnOK() {
  for (ChildFont& page : fontPages_) page.StoreFont();
  for (DlgDayDecoBase* page : formPages_) page->Store();
  monthForm_->Assign(monthCopy_);
  headerForm_->Assign(headerCopy_);
  dayForm_->Assign(dayCopy_);
  backForm_->Assign(backCopy_);
  if (koyomiForm) koyomiForm->Assign(koyomiCopy_);
  EndDialog(hwnd, IDOK);
  return TRUE;
}
