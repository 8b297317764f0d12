// The power-saving stop (the pointer resting in a screen corner keeps the screen saver and
// power saving off) and the user's shortcuts run at suspend and resume.
#include "app/calendar_app.h"
#include "app/logic/power_save_stop.h"
#include "app/logic/shortcut_series.h"
#include "app/program_folder.h"
#include "app/resource_string.h"
#include "app/tick_clock.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace {

bool MonitorAt(int x, int y, RECT& monitor) {
  HMONITOR handle = MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST);
  if (!handle) return false;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(handle, &info)) {
    monitor = info.rcMonitor;
  } else {
    GetWindowRect(GetDesktopWindow(), &monitor);
  }
  return true;
}

}  // namespace

void CalendarApp::ToggleStopPowerSave() {
  options->EnableStopPWM = options->EnableStopPWM ? 0 : 1;
  powerSaveStop.enabled = options->EnableStopPWM;
  if (powerSaveStop.enabled) powerSaveStop.stamp = SecondOfDay(ReadTickTime());
  settings->SaveOption("EnableStopPWM");
  if (!powerSaveStop.enabled) return;
  MessageBoxA(nullptr, LoadResourceString(IDS_POWER_SAVE_NOTICE).c_str(),
              LoadResourceString(IDS_DISPLAY_NAME).c_str(), MB_ICONINFORMATION);
}

void CalendarApp::CheckPowerSave(const SYSTEMTIME& time) {
  if (!powerSaveStop.enabled) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  if (PowerSaveCheck(powerSaveStop, SecondOfDay(time), cursor.x, cursor.y, MonitorAt)) {
    // Once, without ES_CONTINUOUS: resets the system and display idle timers.
    SetThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
  }
}

void CalendarApp::OnPowerBroadcast(WPARAM event) {
  if (event == PBT_APMSUSPEND) RunShortcuts("Suspend%02d.lnk");
  if (event == PBT_APMRESUMEAUTOMATIC) RunShortcuts("Resume%02d.lnk");
}

void CalendarApp::RunShortcuts(const char* pattern) {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return;
  RunShortcutSeries(folder, pattern, [&](const std::string& path) -> intptr_t {
    // A missing file ends the series whatever the shell would answer for it.
    if (!PathFileExistsA(path.c_str())) return kShellFileNotFound;
    return reinterpret_cast<intptr_t>(
        ShellExecuteA(mainWindow, nullptr, path.c_str(), nullptr, nullptr, SW_SHOW));
  });
}
