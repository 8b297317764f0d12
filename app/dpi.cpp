// Per-monitor DPI: the calendar draws at the scale of the monitor it stands on. The settings
// keep their lengths in 96-DPI pixels; the layout scales fonts, margins, buttons and shadows
// when it creates them, so the picture stays sharp instead of being stretched by the system.
#include "app/calendar_app.h"
#include "docs/settings.h"

void CalendarApp::FollowWindowDpi() {
  const int windowDpi = static_cast<int>(GetDpiForWindow(mainWindow));
  if (windowDpi == 0 || windowDpi == dpi) return;
  dpi = windowDpi;
  const RECT client = ComputeLayout();
  SetWindowPos(mainWindow, nullptr, 0, 0, client.right, client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CalendarApp::OnDpiChanged(int newDpi, const RECT& suggested) {
  if (newDpi <= 0 || newDpi == dpi) return;
  dpi = newDpi;
  ReleaseGdi();
  const RECT client = ComputeLayout();
  // The system's rectangle keeps the window where the user put it on the new monitor; the
  // size is ours, from the new layout.
  // The place the system suggests is where the user took the calendar: it is kept. While the
  // window is being dragged the cursor decides, and the drop saves the place.
  SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top, client.right, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (dragState == 0) {
    options->WinPos.Left = suggested.left;
    options->WinPos.Top = suggested.top;
    settings->SaveOption("WinPos");
    PlaceWindow();
  }
  CreateButtons();
  RefreshAll();
}
