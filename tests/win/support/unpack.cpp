#include "support/unpack.h"

#include <windows.h>

#include <vector>

#include "support/driver.h"

namespace driver {

namespace {

using UnixFileName = char*(__cdecl*)(const wchar_t*);
using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);

template <typename Function>
Function WineExport(const char* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

bool RunWindowsTar(const std::wstring& archive, const std::wstring& folder) {
  Process tar = Process::Start(L"tar.exe -xf " + Quoted(archive) + L" -C " + Quoted(folder));
  return tar.Started() && tar.Wait(kStartTimeoutMs) && tar.ExitCode() == 0;
}

}  // namespace

std::string UnixPath(const std::wstring& windowsPath) {
  auto convert = WineExport<UnixFileName>("kernel32.dll", "wine_get_unix_file_name");
  if (!convert) return std::string(windowsPath.begin(), windowsPath.end());
  char* unix = convert(windowsPath.c_str());
  if (!unix) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

bool UnpackZip(const std::wstring& archive, const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  auto spawn = WineExport<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp");
  if (!spawn) return RunWindowsTar(archive, folder);
  std::string from = UnixPath(archive);
  std::string to = UnixPath(folder);
  if (from.empty() || to.empty()) return false;
  char python[] = "python3", module[] = "-m", zipfile[] = "zipfile", extract[] = "-e";
  std::vector<char*> argv = {python, module, zipfile, extract, from.data(), to.data(), nullptr};
  return spawn(argv.data(), 1) == 0;
}

}  // namespace driver
