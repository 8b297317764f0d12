// Where the window procedure hands over to the tray icon, the menus, the schedule
// notifications and the power events. None of these is built yet: each body below does
// nothing, so the calendar runs without a tray icon, menus, memo editor, notifications or
// power handling. The work that builds one of them moves its function out of this file.
#include "app/calendar_app.h"

int CalendarApp::AddTrayIcon() { return 0; }

void CalendarApp::RemoveTrayIcon() {}

void CalendarApp::OnTrayIcon(LPARAM) {}

void CalendarApp::OnMenuCommand(int) {}

void CalendarApp::ShowContextMenu(POINT) {}

void CalendarApp::OpenMemoEditor(POINT, WPARAM) {}

void CalendarApp::ReloadNotifications(const SYSTEMTIME&, bool) {}

void CalendarApp::CheckNotifications(const SYSTEMTIME&) {}

void CalendarApp::CheckPowerSave() {}

void CalendarApp::OnPowerBroadcast(WPARAM) {}
