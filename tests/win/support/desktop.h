// Windows of any process, the program behind a window, shortcut files and folders: what the
// end-to-end tests of the tray, menus, notifications and shortcuts need beside the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace desktop {

// Top-level windows of the class: of the process (shown or hidden), or with processId 0 the
// shown ones of every process.
std::vector<HWND> WindowsOfClass(const wchar_t* className, DWORD processId = 0);
// Full path of the program that owns the window; empty when it cannot be read.
std::wstring ProgramOf(HWND window);
// Writes a shortcut file (.lnk) that starts target with arguments.
bool CreateShortcut(const std::string& linkPath, const std::string& target,
                    const std::string& arguments);
// The target and the working folder of a shortcut file; empty when it cannot be read.
std::string ShortcutTarget(const std::string& linkPath, std::string* workingFolder = nullptr);
// Removes a folder with everything in it, waiting a while for programs that still hold it;
// true when it is gone.
bool RemoveFolder(const std::string& folder);
// Ends every process started from a program in folder (a message program still starting when
// its test ended holds the folder) and waits until they are gone.
void EndProgramsIn(const std::string& folder);
// From the ANSI code page (932) to UTF-16.
std::wstring Wide(const std::string& text);

}  // namespace desktop
