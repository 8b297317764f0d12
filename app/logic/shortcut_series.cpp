#include "app/logic/shortcut_series.h"

#include <cstdio>

std::string ShortcutPath(const std::string& folder, const char* pattern, int n) {
  const int length = std::snprintf(nullptr, 0, pattern, n);
  if (length <= 0) return folder;
  std::string name(static_cast<size_t>(length), '\0');
  std::snprintf(&name[0], name.size() + 1, pattern, n);
  return folder + name;
}

int RunShortcutSeries(const std::string& folder, const char* pattern, const ShortcutOpener& open) {
  int found = 0;
  for (int n = 1;; ++n) {
    if (open(ShortcutPath(folder, pattern, n)) == kShellFileNotFound) return found;
    ++found;
  }
}
