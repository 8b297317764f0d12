// Entry point of the calendar: start-up, the windows, the message loop.
#include <windows.h>

#include "app/calendar_app.h"
#include "app/single_instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The libraries loaded on first use are named without a path: they come from the system
  // folder only, never from the folder of the program (often Downloads) or the current one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  AppInstance = instance;
  // The running calendar answers for a second start, before this one touches any file.
  const SingleInstance session;
  if (!session.First()) {
    SingleInstance::ShowRunningCalendar();
    return 0;
  }

  // The tray icon and the common controls come after the first paint (FinishStart): the
  // window shows without waiting for the shell or for the controls' library to load.
  const int result = CalendarApp::Instance().Initialize();
  if (result != 0) return result;
  // Without its window nothing could ever end the process: it would run on unseen.
  if (!CalendarApp::Instance().CreateWindows()) {
    CalendarApp::Destroy();
    return 1;
  }

  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) break;
    // An error leaves no message to handle; the loop simply waits for the next one.
    if (got == -1) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
