// The menu commands of both popups and the user's external entries.
#include "app/calendar_app.h"
#include "app/shell_com.h"
#include "app/startup_shortcut.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

#include <shellapi.h>

namespace {

void HideProbe(const CalendarApp& app) { ShowWindow(app.probeWindow, SW_HIDE); }

// Puts the window at "WinPos" (wholly on a screen) above the others, redraws it there and
// saves the position.
void PlaceAtWinPos(CalendarApp& app) {
  app.keepAtBottom = 0;
  app.PlaceWindow(HWND_TOP);
  HideProbe(app);
  app.RefreshAll();
  app.settings->SaveOption("WinPos");
}

void MoveToTopRight(CalendarApp& app) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const POINT at = TopRightPosition(app.WorkAreaNearWindow(), app.layout.clientWidth, ctrl);
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
  UseShellCom();
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
    case IDM_START_WITH_WINDOWS: startup_shortcut::Set(!startup_shortcut::IsSet()); return;
    case IDM_VERSION: ShowVersionDialog(); return;
    case IDM_DAY_TYPES: EditDayTypes(); return;
    case IDM_DISPLAY_SETTINGS: EditDisplaySettings(); return;
  }
  if (id >= IDM_FIRST_EXTERN_APP) OpenExternApp(*this, static_cast<size_t>(id - IDM_FIRST_EXTERN_APP));
}
