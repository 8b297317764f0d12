#include "support/wine_host.h"

#include <windows.h>

namespace driver {

namespace {

using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
using UnixFileName = char*(__cdecl*)(const wchar_t*);

template <typename Function>
Function WineExport(const char* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

}  // namespace

std::string UnixPath(const std::wstring& windowsPath) {
  auto convert = WineExport<UnixFileName>("kernel32.dll", "wine_get_unix_file_name");
  if (!convert) {
    const int size = WideCharToMultiByte(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, windowsPath.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(size > 0 ? size - 1 : 0);
    return narrow;
  }
  char* unix = convert(windowsPath.c_str());
  if (!unix) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::string UnixPath(const std::string& windowsPath) {
  const int size = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], size);
  wide.resize(size > 0 ? size - 1 : 0);
  return UnixPath(wide);
}

bool RunLinux(std::vector<std::string> args, bool wait) {
  auto spawn = WineExport<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp");
  if (!spawn) return false;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  return spawn(argv.data(), wait ? 1 : 0) == 0;
}

bool CanRunLinux() { return WineExport<UnixSpawn>("ntdll.dll", "__wine_unix_spawnvp") != nullptr; }

}  // namespace driver
