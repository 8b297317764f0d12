// "Windows の起動時に開始": a shortcut to this Zanto.exe in the user's Startup folder starts the
// calendar at every sign-in. No registry entry and no elevation: the user's own folder only.
#pragma once

#include <string>

namespace startup_shortcut {

// The shortcut the calendar makes: the Startup folder's "Zanto.lnk"; empty when the folder
// cannot be found.
std::string Path();

// True when a shortcut in the Startup folder points at the running program (one that points
// at another copy of Zanto.exe does not count).
bool IsSet();

// Makes (or points here) the calendar's shortcut, working folder the program folder; or
// removes every shortcut of the Startup folder that points at the running program. True when
// the folder holds what was asked for afterwards.
bool Set(bool on);

}  // namespace startup_shortcut
