#include "app/single_instance.h"

#include "app/calendar_app.h"

SingleInstance::SingleInstance() {
  mutex_ = CreateMutexA(nullptr, FALSE, InstanceMutexName());
  // A mutex that cannot be made at all (out of handles) is no reason to refuse the calendar.
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

void SingleInstance::ShowRunningCalendar() {
  HWND running = FindWindowA(WindowClassName.c_str(), nullptr);
  if (!running) return;
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  // This start came from the user, so it may hand the foreground on to the running calendar.
  if (process) AllowSetForegroundWindow(process);
  PostMessageA(running, WM_SHOWCALENDAR, 0, 0);
}
