// Hoshiro: shows the notification text given on the command line until the user closes it.
#include <windows.h>

#include <string>

#include "command_line.h"
#include "message_dialog.h"

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Libraries loaded later by name come from the system folder only, never from the folder
  // the message program was started from.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  std::wstring text = MessageText(GetCommandLineW(), ModulePath());
  if (text.empty()) return 0;
  // A dialog that could not be shown lost the notification; say so to whoever waits for us.
  return RunMessageDialog(instance, text) == DialogResult::Closed ? 0 : 1;
}
