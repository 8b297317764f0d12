#include "support/process_figures.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "support/dialog_support.h"
#include "support/gdi_objects.h"

namespace driver {
namespace {

struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT handleValue;
  void* object;
  ULONG access;
};

struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};

// The handles of this process, from the system's handle list (SystemHandleInformation):
// GetProcessHandleCount and the process's own handle count answer 0 under Wine.
long HandleCount() {
  using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
  constexpr int kSystemHandleInformation = 16;
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  for (ULONG size = 1 << 16; size <= (1u << 26); size *= 2) {
    std::vector<char> buffer(size);
    ULONG needed = 0;
    const LONG status = query(kSystemHandleInformation, buffer.data(), size, &needed);
    if (status == static_cast<LONG>(0xC0000004)) continue;  // STATUS_INFO_LENGTH_MISMATCH
    if (status != 0) return -1;
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < table->count; ++i) {
      if (table->entries[i].ownerPid == GetCurrentProcessId()) ++count;
    }
    return count;
  }
  return -1;
}

// Private memory: the process's own figure, or, where that answers 0 (Wine), the data segment
// the Linux kernel reports for the process behind it.
uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory) &&
      memory.PrivateUsage != 0) {
    return memory.PrivateUsage;
  }
  FILE* status = std::fopen("Z:\\proc\\self\\status", "r");
  if (!status) return 0;
  char line[256];
  uint64_t kilobytes = 0;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmData: %llu kB", reinterpret_cast<unsigned long long*>(&kilobytes)) == 1) break;
  }
  std::fclose(status);
  return kilobytes * 1024;
}

}  // namespace

ProcessFigures ReadProcessFigures() {
  ProcessFigures figures;
  figures.gdiObjects = LiveGdiObjects();
  figures.windows = dialogs::LiveWindows();
  figures.handles = HandleCount();
  figures.privateBytes = PrivateBytes();
  return figures;
}

std::string Describe(const ProcessFigures& figures) {
  return "GDI objects " + std::to_string(figures.gdiObjects) + ", windows " + std::to_string(figures.windows) +
         ", handles " + std::to_string(figures.handles) + ", private bytes " +
         std::to_string(figures.privateBytes);
}

}  // namespace driver
