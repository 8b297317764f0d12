#include "support/unpack.h"

#include <windows.h>

#include <vector>

#include "support/driver.h"
#include "support/wine_host.h"

namespace driver {

namespace {

bool RunWindowsTar(const std::wstring& archive, const std::wstring& folder) {
  Process tar = Process::Start(L"tar.exe -xf " + Quoted(archive) + L" -C " + Quoted(folder));
  return tar.Started() && tar.Wait(kStartTimeoutMs) && tar.ExitCode() == 0;
}

}  // namespace

bool UnpackZip(const std::wstring& archive, const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  if (!CanRunLinux()) return RunWindowsTar(archive, folder);
  std::string from = UnixPath(archive);
  std::string to = UnixPath(folder);
  if (from.empty() || to.empty()) return false;
  return RunLinux({"python3", "-m", "zipfile", "-e", from, to});
}

}  // namespace driver
