// The Linux side of a test run under Wine: Windows paths as Linux sees them, and Linux programs
// (a test server, mount, Python) started from a Windows test.
#pragma once

#include <string>
#include <vector>

namespace driver {

// A Windows path as Wine's drive mapping shows it in Linux: the path itself when not under
// Wine, empty when Wine cannot map it.
std::string UnixPath(const std::wstring& windowsPath);
// The same for a path in the ANSI code page.
std::string UnixPath(const std::string& windowsPath);
// Runs a Linux program through ntdll's __wine_unix_spawnvp; waits for it to end when wait is
// true. False when not under Wine, when it could not start, or (waited for) when it failed.
bool RunLinux(std::vector<std::string> args, bool wait = true);
// True under Wine, where RunLinux can start Linux programs.
bool CanRunLinux();

}  // namespace driver
