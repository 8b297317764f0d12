// The dialog that edits the list of decoration types: edit, new, delete and reordering on
// copies; OK replaces the list and writes it into the settings file, Cancel changes nothing.
//
// Use: set decoArray (normally the settings document's DayDecoDef), run DoModal; on 1 the list
// has been replaced and saved, and the caller recomputes and redraws the calendar.
#pragma once

#include <string>
#include <vector>

#include "calendar/day_deco.h"
#include "dialogs/app_dlg.h"

class DlgDecoArrayEdt : public AppDlg {
 public:
  DlgDecoArrayEdt();
  ~DlgDecoArrayEdt();

  CDayDecoArray* decoArray = nullptr;
  // Handed to the decoration dialog: clear hides the day conditions.
  bool showConditions = true;

 private:
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnOK() override;
  INT_PTR OnNcDestroy() override;

  void EditSelected();
  void AddNew();
  void DeleteSelected();
  // Swaps the selected entry with its neighbour at selection + step (-1 up, +1 down).
  void MoveSelected(int step);
  bool RunDayEdt(CDayDeco* deco);
  void InsertLine(int index, const CDayDeco& deco);
  void Select(int index);
  int Selection() const;
  void UpdateButtons();
  void SaveToFile() const;
  void FreeWorkList();

  // The user's own entries (all but "_default") stand first in the working list.
  int ownCount = 0;
  std::vector<CDayDeco*> workList;
  int entryCount = 0;
};

// What the list shows for a decoration: its name, "（標準）" for the standard one.
std::string DecoDisplayName(const CDayDeco& deco);
