// The power-saving stop (the pointer resting in a screen corner keeps the screen saver and
// power saving off) and the user's shortcuts run at suspend and resume.
#include "app/calendar_app.h"
#include "app/logic/power_save_stop.h"
#include "app/logic/shortcut_series.h"
#include "app/program_folder.h"
#include "app/resource_string.h"
#include "app/shell_com.h"
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
  powerSaveStop.positionKnown = 0;
  if (powerSaveStop.enabled) powerSaveStop.stamp = SecondOfDay(ReadTickTime());
  settings->SaveOption("EnableStopPWM");
  if (!powerSaveStop.enabled) return;
  ShowMessage(nullptr, LoadResourceString(IDS_POWER_SAVE_NOTICE),
              LoadResourceString(IDS_DISPLAY_NAME), MB_ICONINFORMATION);
}

void CalendarApp::CheckPowerSave(const SYSTEMTIME& time) {
  if (!powerSaveStop.enabled) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  if (PowerSaveCheck(powerSaveStop, SecondOfDay(time), cursor.x, cursor.y, MonitorAt)) {
    // Once, without ES_CONTINUOUS: resets the system and display idle timers.
    SetThreadExecutionState(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
    // The screen saver counts from the last input, which the execution state does not touch:
    // a mouse move of no distance is input that leaves the pointer where it rests.
    INPUT still = {};
    still.type = INPUT_MOUSE;
    still.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &still, sizeof still);
  }
}

void CalendarApp::OnPowerBroadcast(WPARAM event) {
  if (event == PBT_APMSUSPEND) RunShortcuts("Suspend%02d.lnk");
  if (event == PBT_APMRESUMEAUTOMATIC) RunShortcuts("Resume%02d.lnk");
}

void CalendarApp::RunShortcuts(const char* pattern) {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return;
  UseShellCom();
  RunShortcutSeries(folder, pattern, [&](const std::string& path) -> intptr_t {
    // Only a missing number ends the series: a shortcut whose target is gone answers "file
    // not found" too, and is skipped without an error window of the shell.
    if (!PathFileExistsA(path.c_str())) return kShellFileNotFound;
    SHELLEXECUTEINFOA run = {};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_FLAG_NO_UI;
    run.hwnd = mainWindow;
    run.lpFile = path.c_str();
    run.nShow = SW_SHOW;
    ShellExecuteExA(&run);
    return kShortcutHandedOver;
  });
}
