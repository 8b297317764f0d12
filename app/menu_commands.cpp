// The menu commands of both popups and the user's external entries.
#include "app/calendar_app.h"
#include "app/logic/window_placement.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

#include <shellapi.h>

namespace {

void HideProbe(const CalendarApp& app) { ShowWindow(app.probeWindow, SW_HIDE); }

RECT WorkAreaOf(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    return info.rcWork;
  }
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// Puts the window at "WinPos" above the others, redraws it there and saves the position.
void PlaceAtWinPos(CalendarApp& app) {
  app.keepAtBottom = 0;
  SetWindowPos(app.mainWindow, HWND_TOP, app.options->WinPos.Left, app.options->WinPos.Top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  HideProbe(app);
  app.RefreshAll();
  app.settings->SaveOption("WinPos");
}

void MoveToTopRight(CalendarApp& app) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const POINT at = TopRightPosition(WorkAreaOf(app.mainWindow), app.layout.clientWidth, ctrl);
  app.options->WinPos.Left = at.x;
  app.options->WinPos.Top = at.y;
  PlaceAtWinPos(app);
}

void MoveToHome(CalendarApp& app) {
  app.options->WinPos.Left = app.options->HomePos.Left;
  app.options->WinPos.Top = app.options->HomePos.Top;
  PlaceAtWinPos(app);
}

void SetHomeHere(CalendarApp& app) {
  RECT rect;
  GetWindowRect(app.mainWindow, &rect);
  app.options->WinPos.Left = app.options->HomePos.Left = rect.left;
  app.options->WinPos.Top = app.options->HomePos.Top = rect.top;
  app.settings->SaveOption("HomePos");
  app.settings->SaveOption("WinPos");
}

// The window's centre follows the cursor until the next left-button release drops it.
void StartMoveMode(CalendarApp& app) {
  app.keepAtBottom = 0;
  SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  HideProbe(app);
  app.dragState = 2;
  app.dragTicks = 0;
  app.grabPoint = POINT{app.layout.clientWidth / 2, app.layout.clientHeight / 2};
  SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
  SetTimer(app.mainWindow, IDT_DRAG, kDragPeriodMs, nullptr);
  SetCapture(app.mainWindow);
}

void ToggleAlwaysBottom(CalendarApp& app) {
  app.options->AlwaysBottom = app.options->AlwaysBottom ? 0 : 1;
  SetWindowPos(app.mainWindow, app.options->AlwaysBottom ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  HideProbe(app);
  app.settings->SaveOption("AlwaysBottom");
}

void OpenExternApp(const CalendarApp& app, size_t index) {
  const auto& apps = app.settings->ExternApps.Apps;
  if (index >= apps.size()) return;
  const CExternApp& entry = *apps[index];
  // No verb given: the shell's default action, as a double click in Explorer.
  const char* verb = entry.Verb.empty() ? nullptr : entry.Verb.c_str();
  ShellExecuteA(nullptr, verb, entry.File.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

void CalendarApp::OnMenuCommand(int id) {
  switch (id) {
    case IDM_EXIT: PostMessageA(mainWindow, WM_CLOSE, 0, 0); return;
    case IDM_TOP_RIGHT: MoveToTopRight(*this); return;
    case IDM_GO_HOME: MoveToHome(*this); return;
    case IDM_SET_HOME: SetHomeHere(*this); return;
    case IDM_MOVE: StartMoveMode(*this); return;
    case IDM_ALWAYS_BOTTOM: ToggleAlwaysBottom(*this); return;
    case IDM_STOP_POWER_SAVE: ToggleStopPowerSave(); return;
    case IDM_VERSION: ShowVersionDialog(); return;
    case IDM_DAY_TYPES: EditDayTypes(); return;
    case IDM_DISPLAY_SETTINGS: EditDisplaySettings(); return;
  }
  if (id >= IDM_FIRST_EXTERN_APP) OpenExternApp(*this, static_cast<size_t>(id - IDM_FIRST_EXTERN_APP));
}
