#include "app/program_folder.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

constexpr DWORD kPathBufferSize = 1024;

}  // namespace

std::string ProgramFolder() {
  char path[kPathBufferSize] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, kPathBufferSize);
  // A cut-off path would name another folder.
  if (length == 0 || length >= kPathBufferSize - 1) return std::string();
  PathRemoveFileSpecA(path);
  PathAddBackslashA(path);
  return path;
}
