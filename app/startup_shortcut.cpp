#include "app/startup_shortcut.h"

#include <vector>

// The project headers before the shell's: they bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "app/program_folder.h"
#include "app/shell_com.h"
// clang-format off
#include <shlobj.h>
#include <shlwapi.h>
// clang-format on

namespace startup_shortcut {
namespace {

std::string StartupFolder() {
  char folder[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE) || !folder[0]) return std::string();
  PathAddBackslashA(folder);
  return folder;
}

std::string ProgramPath() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path) : std::string();
}

// The same file whatever the spelling: long names, case and "." or ".." steps do not count.
std::string Normalised(const std::string& path) {
  char full[MAX_PATH] = "", longPath[MAX_PATH] = "";
  if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr)) return path;
  if (!GetLongPathNameA(full, longPath, MAX_PATH)) lstrcpynA(longPath, full, MAX_PATH);
  CharUpperA(longPath);
  return longPath;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
  return wide;
}

// The target of a shortcut file; empty when it cannot be read.
std::string TargetOf(const std::string& link) {
  UseShellCom();
  IShellLinkA* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell)))) {
    return std::string();
  }
  std::string target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    char path[MAX_PATH] = "";
    if (SUCCEEDED(file->Load(Wide(link).c_str(), STGM_READ)) &&
        shell->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) {
      target = path;
    }
    file->Release();
  }
  shell->Release();
  return target;
}

// The shortcut files of the Startup folder that point at the running program.
std::vector<std::string> LinksHere(const std::string& folder) {
  std::vector<std::string> links;
  const std::string program = Normalised(ProgramPath());
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return links;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string link = folder + found.cFileName;
    const std::string target = TargetOf(link);
    if (!target.empty() && Normalised(target) == program) links.push_back(link);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return links;
}

bool MakeLink(const std::string& link) {
  UseShellCom();
  IShellLinkA* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell)))) {
    return false;
  }
  bool saved = false;
  const std::string program = ProgramPath(), folder = ProgramFolder();
  IPersistFile* file = nullptr;
  if (!program.empty() && SUCCEEDED(shell->SetPath(program.c_str())) &&
      SUCCEEDED(shell->SetWorkingDirectory(folder.c_str())) &&
      SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    saved = SUCCEEDED(file->Save(Wide(link).c_str(), TRUE));
    file->Release();
  }
  shell->Release();
  return saved;
}

}  // namespace

std::string Path() {
  const std::string folder = StartupFolder();
  return folder.empty() ? folder : folder + ProgramName + ".lnk";
}

bool IsSet() {
  const std::string folder = StartupFolder();
  return !folder.empty() && !LinksHere(folder).empty();
}

bool Set(bool on) {
  const std::string folder = StartupFolder();
  if (folder.empty()) return false;
  if (on) return MakeLink(folder + ProgramName + ".lnk");
  bool removed = true;
  for (const std::string& link : LinksHere(folder)) removed = DeleteFileA(link.c_str()) && removed;
  return removed;
}

}  // namespace startup_shortcut
