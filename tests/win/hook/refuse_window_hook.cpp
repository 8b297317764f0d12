// A global CBT hook that makes the creation of the calendar's window fail in whichever
// process tries it, as a system short of window resources would: a test installs it for all
// threads and starts the real Zanto.exe, which then cannot make its window.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseCalendarWindow(int code, WPARAM wParam,
                                                                        LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (!IS_INTRESOURCE(create->lpszClass) && lstrcmpiA(create->lpszClass, "WindowClassZanto") == 0) {
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
