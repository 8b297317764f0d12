#include "app/shell_com.h"

#include <windows.h>
#include <objbase.h>

void UseShellCom() {
  static bool started = false;
  if (started) return;
  started = true;
  // Kept until the process ends: the thread stays the shell's apartment from now on.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}
