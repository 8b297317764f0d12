// Finding windows of any process, the program behind a window, shortcut files and folders:
// what the end-to-end tests of the tray, menus, notifications and shortcuts need beside the
// driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace desktop {

// Visible top-level windows of the class, of every process.
std::vector<HWND> VisibleWindowsOfClass(const wchar_t* className);
// Top-level windows of the class owned by the process, shown or hidden.
std::vector<HWND> WindowsOfProcess(DWORD processId, const wchar_t* className);
// Full path of the program that owns the window; empty when it cannot be read.
std::wstring ProgramOf(HWND window);
// Writes a shortcut file (.lnk) that starts target with arguments.
bool CreateShortcut(const std::string& linkPath, const std::string& target,
                    const std::string& arguments);
// Removes a folder with everything in it; nothing when it does not exist.
void RemoveFolder(const std::string& folder);
bool Exists(const std::string& path);
// Between the test's ANSI code page (932) and UTF-16.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace desktop
