// What a leak test compares before and after: live GDI objects (counted the Wine way), windows,
// kernel handles and private bytes of this process.
#pragma once

#include <cstdint>
#include <string>

namespace driver {

struct ProcessFigures {
  int gdiObjects = 0;
  int windows = 0;
  // This process's entries in the system handle list; -1 when it cannot be read.
  long handles = -1;
  // GetProcessMemoryInfo's private usage, or under Wine the Linux data segment; 0 when unknown.
  uint64_t privateBytes = 0;
};

ProcessFigures ReadProcessFigures();
std::string Describe(const ProcessFigures& figures);

}  // namespace driver
