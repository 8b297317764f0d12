// The dialogs the menus open, run modally over the calendar, and what is done with their
// results.
#include "app/calendar_app.h"
#include "dialogs/dlg_deco_array_edt.h"
#include "dialogs/dlg_option.h"
#include "dialogs/dlg_version.h"
#include "docs/settings.h"

INT_PTR CalendarApp::RunDialog(AppDlg& dialog) {
  if (closePending) return IDCANCEL;
  // The tray menu stays closed while this is set.
  const ModalScope modal(*this);
  currentDialog = &dialog;
  const INT_PTR result = dialog.DoModal(mainWindow);
  currentDialog = nullptr;
  return result;
}

void CalendarApp::ShowVersionDialog() {
  DlgVersion dialog;
  RunDialog(dialog);
}

void CalendarApp::EditDayTypes() {
  DlgDecoArrayEdt dialog;
  dialog.decoArray = &settings->DayDecoDef;
  dialog.showConditions = true;
  // The dialog has written the list into the settings file itself.
  if (RunDialog(dialog) != 1) return;
  // Pictures of types that are gone need not stay decoded.
  ReleasePictures();
  Redraw();
  InvalidateRect(mainWindow, nullptr, TRUE);
}

void CalendarApp::EditDisplaySettings() {
  DlgOption dialog(&settings->MonthExpression, &settings->HeaderExpression,
                   &settings->DateExpression, &settings->BackPaint);
  dialog.koyomiForm = &settings->KoyomiExpression;
  if (RunDialog(dialog) != 1) return;
  // A file that cannot be read is left alone; the new look still applies for this session.
  settings->SaveDisplayForms();
  Relayout();
}

void CalendarApp::Relayout() {
  ReleaseGdi();
  ComputeLayout();
  // The new size may reach over the screen's edge: the top-left corner stays at "WinPos" as
  // far as the whole calendar stays visible.
  const POINT at = PlaceOfWinPos();
  MoveWindow(mainWindow, at.x, at.y, layout.clientWidth, layout.clientHeight, FALSE);
  CreateButtons();
  ShowWindow(mainWindow, SW_SHOW);
  RefreshAll();
}
