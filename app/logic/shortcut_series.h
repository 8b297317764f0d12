// The user's numbered shortcut files run when the computer suspends or resumes
// ("Suspend01.lnk", "Suspend02.lnk", ...): each number in turn until one is missing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The shell's answer for a file that does not exist.
constexpr intptr_t kShellFileNotFound = 2;
// What the calendar's opener answers for a shortcut that exists, whatever became of it.
constexpr intptr_t kShortcutHandedOver = 33;

// Opens one file and answers with the shell's result.
using ShortcutOpener = std::function<intptr_t(const std::string& path)>;

// folder + pattern with n as "%02d" (01 ... 99, then 100 and on).
std::string ShortcutPath(const std::string& folder, const char* pattern, int n);

// Opens folder + pattern for n = 1, 2, ... until the opener answers "file not found"; a
// shortcut that exists but fails to open does not end the series. Returns the number of
// shortcuts handed to the opener that were found.
int RunShortcutSeries(const std::string& folder, const char* pattern, const ShortcutOpener& open);
