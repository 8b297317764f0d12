#include "dialogs/dlg_deco_array_edt.h"

#include <memory>

#include "app/resource_string.h"
#include "dialogs/dlg_day_edt.h"
#include "docs/data_folder.h"
#include "resources/zanto_resource.h"

std::string DecoDisplayName(const CDayDeco& deco) {
  return deco.name == kDefaultDecoName ? LoadResourceString(IDS_STANDARD_DECO) : deco.name;
}

DlgDecoArrayEdt::DlgDecoArrayEdt() : AppDlg(IDD_DECO_ARRAY_EDT) {}

DlgDecoArrayEdt::~DlgDecoArrayEdt() { FreeWorkList(); }

INT_PTR DlgDecoArrayEdt::OnInitDialog() {
  for (const CDayDeco* deco : *decoArray) {
    if (deco->name.empty()) continue;
    workList.push_back(new CDayDeco(*deco));
    InsertLine(entryCount++, *deco);
    if (deco->name != kDefaultDecoName) ++ownCount;
  }
  if (entryCount > 0) Select(0);
  UpdateButtons();
  return TRUE;
}

INT_PTR DlgDecoArrayEdt::OnCommand(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case MAKEWPARAM(IDC_EDIT_DECO, BN_CLICKED):
    case MAKEWPARAM(IDC_DECO_LIST, LBN_DBLCLK):
      EditSelected();
      return TRUE;
    case MAKEWPARAM(IDC_NEW_DECO, BN_CLICKED):
      AddNew();
      return TRUE;
    case MAKEWPARAM(IDC_DELETE_DECO, BN_CLICKED):
      DeleteSelected();
      return TRUE;
    case MAKEWPARAM(IDC_MOVE_UP, BN_CLICKED):
      MoveSelected(-1);
      return TRUE;
    case MAKEWPARAM(IDC_MOVE_DOWN, BN_CLICKED):
      MoveSelected(+1);
      return TRUE;
    case MAKEWPARAM(IDC_DECO_LIST, LBN_SELCHANGE):
    case MAKEWPARAM(IDC_DECO_LIST, LBN_SELCANCEL):
      UpdateButtons();
      return TRUE;
    default:
      return 0;
  }
}

void DlgDecoArrayEdt::EditSelected() {
  const int s = Selection();
  if (s < 0 || s >= entryCount) return;
  if (!RunDayEdt(workList[s])) return;
  SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_DELETESTRING, s, 0);
  InsertLine(s, *workList[s]);
  Select(s);
  UpdateButtons();
}

void DlgDecoArrayEdt::AddNew() {
  auto deco = std::make_unique<CDayDeco>();
  if (!RunDayEdt(deco.get())) return;
  workList.insert(workList.begin() + ownCount, deco.get());
  InsertLine(ownCount, *deco.release());
  Select(ownCount);
  ++ownCount;
  ++entryCount;
  UpdateButtons();
}

void DlgDecoArrayEdt::DeleteSelected() {
  const int s = Selection();
  // Only the user's own entries can go; the standard decoration stays.
  if (s < 0 || s >= ownCount) return;
  SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_DELETESTRING, s, 0);
  delete workList[s];
  workList.erase(workList.begin() + s);
  --ownCount;
  --entryCount;
  if (s < entryCount) {
    Select(s);
  } else if (entryCount > 0) {
    Select(entryCount - 1);
  }
  UpdateButtons();
}

void DlgDecoArrayEdt::MoveSelected(int step) {
  const int s = Selection();
  const int neighbour = s + step;
  // Moves stay among the user's own entries, above the standard decoration.
  if (s < 0 || s >= ownCount || neighbour < 0 || neighbour >= ownCount) return;
  CDayDeco* moved = workList[neighbour];
  workList.erase(workList.begin() + neighbour);
  workList.insert(workList.begin() + s, moved);
  SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_DELETESTRING, neighbour, 0);
  InsertLine(s, *moved);
  Select(neighbour);
  UpdateButtons();
}

bool DlgDecoArrayEdt::RunDayEdt(CDayDeco* deco) {
  DlgDayEdt dialog;
  dialog.deco = deco;
  dialog.workList = &workList;
  dialog.showConditions = showConditions;
  return dialog.DoModal(hwnd) == IDOK;
}

void DlgDecoArrayEdt::InsertLine(int index, const CDayDeco& deco) {
  const std::string text = DecoDisplayName(deco);
  SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_INSERTSTRING, index,
                      reinterpret_cast<LPARAM>(text.c_str()));
}

void DlgDecoArrayEdt::Select(int index) {
  SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_SETCURSEL, index, 0);
}

int DlgDecoArrayEdt::Selection() const {
  return static_cast<int>(SendDlgItemMessageA(hwnd, IDC_DECO_LIST, LB_GETCURSEL, 0, 0));
}

void DlgDecoArrayEdt::UpdateButtons() {
  const int s = Selection();
  const int n = ownCount;
  EnableItem(IDC_EDIT_DECO, s >= 0);
  EnableItem(IDC_DELETE_DECO, s >= 0 && s < n);
  EnableItem(IDC_MOVE_UP, s > 0 && s < n);
  EnableItem(IDC_MOVE_DOWN, s >= 0 && s < n - 1);
}

INT_PTR DlgDecoArrayEdt::OnOK() {
  decoArray->Clear();
  decoArray->insert(decoArray->end(), workList.begin(), workList.end());
  workList.clear();
  SaveToFile();
  EndDialog(hwnd, IDOK);
  return TRUE;
}

void DlgDecoArrayEdt::SaveToFile() const {
  // Read-modify-write: only the decoration list changes in the file; a file that cannot be
  // read or parsed is left as it is.
  XMLDocument doc;
  if (LoadXmlFile(doc, SettingsPath) != tinyxml2::XML_SUCCESS) return;
  XMLElement* root = doc.FirstChildElement();
  if (!root) return;
  decoArray->Save(root, nullptr);
  SaveXmlFile(doc, SettingsPath);
}

INT_PTR DlgDecoArrayEdt::OnNcDestroy() {
  FreeWorkList();
  return 0;
}

void DlgDecoArrayEdt::FreeWorkList() {
  while (!workList.empty()) {
    delete workList.back();
    workList.pop_back();
  }
  ownCount = 0;
  entryCount = 0;
}
