// Schedule notifications: the list of what is due today, and the message program started
// for each schedule when its time comes.
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "app/logic/notifications.h"
#include "app/program_folder.h"
#include "app/resource_string.h"
#include "app/tick_clock.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr char kMessageProgram[] = "Hoshiro.exe";

// Starts the message program of the calendar's own folder, by its full path in quotes, so
// that neither a blank in the folder's name nor a Hoshiro.exe planted in the current folder
// or on the search path can take its place. The calendar never waits for it.
void LaunchMessageProgram(const std::string& text) {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return;
  std::string commandLine = "\"" + folder + kMessageProgram + "\" " + text;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

long long CalendarApp::TickMinute(const SYSTEMTIME& time) {
  return TimelineMinute(time.wYear, time.wMonth, time.wDay, MinuteOfDay(time));
}

void CalendarApp::ReloadNotifications(const SYSTEMTIME& date) {
  ReloadDueList(todayNote, options->MemoXml, date.wYear, date.wMonth, date.wDay, shownReminders);
}

void CalendarApp::GiveOutDueNotifications(const SYSTEMTIME& time) {
  const long long now = TickMinute(time);
  const long long earliest = EarliestStart(now, lastNotificationCheck);
  CheckDueList(todayNote, now, earliest, LoadResourceString(IDS_TOMORROW), LaunchMessageProgram,
               shownReminders);
  // Nothing that started before the earliest start is given out again: its record can go.
  shownReminders.ForgetBefore(earliest);
}

void CalendarApp::CheckNotifications(const SYSTEMTIME& time) {
  GiveOutDueNotifications(time);
  lastNotificationCheck = TickMinute(time);
}
