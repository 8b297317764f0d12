// One calendar per user session: a second start (a shortcut in the Startup folder and a start
// by hand are enough) would show a second window over the first, a second tray icon, every
// reminder twice, and two programs would write the same files.
#pragma once

#include <windows.h>

// The name of the session's mutex, in the "Local\" namespace: each user signed in to the PC
// has a calendar of their own. Kept alone in its file: the calendar's test build, which tests
// start side by side, names one of its own for each process.
const char* InstanceMutexName();

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when no other calendar runs in this session; this one then holds the mutex until it
  // ends.
  bool First() const { return first_; }

  // Asks the calendar that runs to come to the front (showing it if it was hidden). Touches
  // no file. Does nothing when its window is not there yet (it is still starting).
  static void ShowRunningCalendar();

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};
