// Where the calendar window stands on the monitors: the user's place ("WinPos"), moved onto
// the work area of the nearest monitor whenever the program gives the window a place.
#include <windows.h>

#include <vector>

#include "app/calendar_app.h"
#include "app/logic/window_placement.h"
#include "docs/settings.h"

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(MonitorArea{info.rcMonitor, info.rcWork});
  }
  return TRUE;
}

RECT PrimaryWorkArea() {
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

std::vector<MonitorArea> CalendarApp::Monitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    monitors.push_back(MonitorArea{screen, PrimaryWorkArea()});
  }
  return monitors;
}

RECT CalendarApp::WorkAreaNearWindow() const {
  RECT window = {};
  GetWindowRect(mainWindow, &window);
  const std::vector<MonitorArea> monitors = Monitors();
  const int nearest = NearestMonitor(window, monitors);
  return nearest >= 0 ? monitors[static_cast<size_t>(nearest)].work : PrimaryWorkArea();
}

POINT CalendarApp::PlaceOfWinPos() const {
  const POINT wanted = {options->WinPos.Left, options->WinPos.Top};
  return PlaceOnScreen(wanted, layout.clientWidth, layout.clientHeight, Monitors());
}

void CalendarApp::PlaceWindow(HWND insertAfter) {
  const POINT at = PlaceOfWinPos();
  const UINT order = insertAfter ? 0 : SWP_NOZORDER;
  SetWindowPos(mainWindow, insertAfter, at.x, at.y, layout.clientWidth, layout.clientHeight,
               order | SWP_NOACTIVATE);
}

void CalendarApp::PlaceFirstStart() {
  // A settings file without a position (the shipped one has none): the top right of the
  // primary monitor's work area, recorded as the user's place and home.
  if (options->WinPos.fromFile) return;
  const POINT corner = TopRightPosition(PrimaryWorkArea(), layout.clientWidth, false);
  options->WinPos.Left = corner.x;
  options->WinPos.Top = corner.y;
  options->WinPos.fromFile = true;
  settings->SaveOption("WinPos");
  if (options->HomePos.fromFile) return;
  options->HomePos.Left = corner.x;
  options->HomePos.Top = corner.y;
  options->HomePos.fromFile = true;
  settings->SaveOption("HomePos");
}
