#include "command_line.h"

#include <windows.h>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool StartsWithPath(std::wstring_view commandLine, std::wstring_view path) {
  if (path.empty() || commandLine.size() < path.size()) return false;
  if (commandLine.size() > path.size() && !IsBlank(commandLine[path.size()])) return false;
  return CompareStringOrdinal(commandLine.data(), static_cast<int>(path.size()), path.data(),
                              static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
}

bool EndsWith(std::wstring_view text, std::wstring_view end) {
  return text.size() > end.size() &&
         CompareStringOrdinal(text.data() + text.size() - end.size(), static_cast<int>(end.size()),
                              end.data(), static_cast<int>(end.size()), TRUE) == CSTR_EQUAL;
}

// Length of the program name at the start of the command line.
size_t ProgramNameLength(std::wstring_view commandLine, std::wstring_view modulePath) {
  if (!commandLine.empty() && commandLine.front() == L'"') {
    size_t close = commandLine.find(L'"', 1);
    return close == std::wstring_view::npos ? commandLine.size() : close + 1;
  }
  // The calendar may start us by our full path without quotes, and that path may contain
  // spaces; the system found the program all the same, so the name is the whole path.
  if (StartsWithPath(commandLine, modulePath)) return modulePath.size();
  // The system also finds us when the ".exe" was left out.
  constexpr std::wstring_view extension = L".exe";
  if (EndsWith(modulePath, extension)) {
    std::wstring_view stem = modulePath.substr(0, modulePath.size() - extension.size());
    if (StartsWithPath(commandLine, stem)) return stem.size();
  }
  size_t name = 0;
  while (name < commandLine.size() && !IsBlank(commandLine[name])) ++name;
  return name;
}

}  // namespace

std::wstring MessageText(std::wstring_view commandLine, std::wstring_view modulePath) {
  size_t start = ProgramNameLength(commandLine, modulePath);
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  return std::wstring(commandLine.substr(start));
}
