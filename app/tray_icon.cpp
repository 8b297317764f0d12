// The calendar's icon in the notification area: added at start and whenever the shell
// restarts, removed with the window, and its clicks.
#include "app/calendar_app.h"
#include "app/menus.h"
#include "app/resource_string.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

#include <shellapi.h>

namespace {

constexpr UINT kTrayIconId = 1;
// At logon the shell may not be ready for a while: 16 attempts 4 seconds apart.
constexpr int kTrayAttempts = 16;
constexpr UINT kTrayRetryMs = 4000;

NOTIFYICONDATAA TrayIconData(HWND window) {
  NOTIFYICONDATAA data = {};
  // The whole structure of this (64-bit) program; the shell knows its size.
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAYICON;
  data.hIcon = static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_ZANTO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  lstrcpynA(data.szTip, LoadResourceString(IDS_DISPLAY_NAME).c_str(), sizeof data.szTip);
  return data;
}

}  // namespace

int CalendarApp::AddTrayIcon() {
  KillTimer(mainWindow, IDT_TRAY_RETRY);
  trayAttempts = 0;
  NOTIFYICONDATAA data = TrayIconData(mainWindow);
  ++trayAttempts;
  const BOOL added = Shell_NotifyIconA(NIM_ADD, &data);
  // Waiting here would freeze the calendar; a timer tries again while it paints and answers.
  if (!added) SetTimer(mainWindow, IDT_TRAY_RETRY, kTrayRetryMs, nullptr);
  return added;
}

void CalendarApp::RetryTrayIcon() {
  NOTIFYICONDATAA data = TrayIconData(mainWindow);
  ++trayAttempts;
  if (Shell_NotifyIconA(NIM_ADD, &data) || trayAttempts >= kTrayAttempts) {
    KillTimer(mainWindow, IDT_TRAY_RETRY);
  }
}

void CalendarApp::RemoveTrayIcon() {
  KillTimer(mainWindow, IDT_TRAY_RETRY);
  NOTIFYICONDATAA data = TrayIconData(mainWindow);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void CalendarApp::OnTrayIcon(LPARAM mouseMessage) {
  if (mouseMessage != WM_LBUTTONUP && mouseMessage != WM_RBUTTONUP) return;
  SetForegroundWindow(mainWindow);
  // While a dialog, a message box or a menu is open the calendar only comes to the front.
  if (currentDialog || modalDepth > 0) return;
  if (mouseMessage == WM_RBUTTONUP) {
    ShowTrayMenu(*this);
    return;
  }
  if (!options->AlwaysBottom) return;
  keepAtBottom = 0;
  SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  ShowWindow(probeWindow, SW_HIDE);
}
