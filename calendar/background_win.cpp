// The background behind the calendar: the wallpaper under the window, a fill colour, or the
// colour key through which the layered window lets the desktop show.
#include "app/calendar_app.h"
#include "calendar/gdi_guard.h"
#include "docs/settings.h"

namespace {

constexpr int kWallpaper = 0;
constexpr int kFill = 1;
constexpr int kTransparent = 2;
constexpr int kModes = 3;
constexpr int kAttempts = 5;
constexpr DWORD kPaintRetryMs = 100;
// ColorBack value that stands for the desktop colour.
constexpr int32_t kDesktopColour = 0x1000000;

// Leaves out the modes the user marked as not to be used; with all three marked the mode
// ends where it started.
int UsableMode(int mode, int32_t unavailable) {
  mode = ((mode % kModes) + kModes) % kModes;
  for (int i = 0; i < kModes && (unavailable & (1 << mode)); ++i) mode = (mode + 1) % kModes;
  return mode;
}

// The fill colour: the desktop colour stands in for 0x1000000 and for the all-bits value a
// settings file without "ColorBack" leaves, which is no colour at all.
COLORREF FillColour(int32_t colorBack) {
  if (colorBack == kDesktopColour || colorBack == -1) return GetSysColor(COLOR_BACKGROUND);
  return static_cast<COLORREF>(colorBack);
}

void FillBitmap(HDC dc, int width, int height, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  ObjectSelection selected(dc, brush.get());
  const RECT all = {0, 0, width, height};
  FillRect(dc, &all, brush.get());
}

bool PaintDesktopWithRetries(HDC dc) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) Sleep(kPaintRetryMs);
    if (PaintDesktop(dc)) return true;
  }
  return false;
}

RECT MonitorRect(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    return info.rcMonitor;
  }
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

// Copies the wallpaper under the window and notes four corner points of the part of the
// window that lies on its monitor, with their colours, for the tick to watch.
void CaptureWallpaper(CalendarApp& app, HDC dc) {
  if (!PaintDesktopWithRetries(dc)) return;
  BitBlt(app.backgroundDC, 0, 0, app.layout.clientWidth, app.layout.clientHeight, dc, 0, 0,
         SRCCOPY);
  RECT window = {};
  GetWindowRect(app.mainWindow, &window);
  const RECT monitor = MonitorRect(app.mainWindow);
  RECT visible = {};
  if (!IntersectRect(&visible, &monitor, &window)) return;
  const POINT corners[4] = {{visible.left, visible.top},
                            {visible.left, visible.bottom - 1},
                            {visible.right - 1, visible.bottom - 1},
                            {visible.right - 1, visible.top}};
  for (int i = 0; i < 4; ++i) {
    app.probeScreen[i] = corners[i];
    app.probeWindowPos[i] = POINT{corners[i].x - window.left, corners[i].y - window.top};
    app.probeColour[i] = GetPixel(dc, app.probeWindowPos[i].x, app.probeWindowPos[i].y);
  }
}

}  // namespace

void CalendarApp::PrepareBackground(HDC dc) {
  COptions& opts = *options;
  const CBackForm& back = settings->BackPaint;
  const LONG_PTR style = GetWindowLongPtrA(mainWindow, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED);

  opts.BackMode = UsableMode(opts.BackMode, back.ModeUnavail);
  if (opts.BackMode != kTransparent) CaptureWallpaper(*this, dc);

  const COLORREF key = static_cast<COLORREF>(opts.ColorTrans);
  if (opts.BackMode == kFill) {
    FillBitmap(backgroundDC, layout.clientWidth, layout.clientHeight, FillColour(back.ColorBack));
  } else if (opts.BackMode == kTransparent) {
    FillBitmap(backgroundDC, layout.clientWidth, layout.clientHeight, key);
  }

  SetWindowLongPtrA(mainWindow, GWL_EXSTYLE,
                    opts.BackMode == kTransparent ? style | WS_EX_LAYERED : style);
  if (opts.BackMode != kTransparent) return;
  ShowWindow(probeWindow, SW_HIDE);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (SetLayeredWindowAttributes(mainWindow, key, 255, LWA_COLORKEY | LWA_ALPHA)) break;
  }
}
