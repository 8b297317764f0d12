#include "support/desktop.h"

#include <objbase.h>
#include <tlhelp32.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "support/driver.h"

namespace desktop {

namespace {

struct ClassSearch {
  const wchar_t* className;
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  const bool wanted = search->processId ? owner == search->processId : IsWindowVisible(window) != 0;
  if (wanted && lstrcmpW(name, search->className) == 0) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOfClass(const wchar_t* className, DWORD processId) {
  ClassSearch search{className, processId, {}};
  EnumWindows(CollectOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ProgramOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  wchar_t path[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  if (process && !QueryFullProcessImageNameW(process, 0, path, &size)) size = 0;
  if (process) CloseHandle(process);
  return process ? std::wstring(path, size) : std::wstring();
}

bool CreateShortcut(const std::string& linkPath, const std::string& target,
                    const std::string& arguments) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
               SUCCEEDED(link->SetPath(target.c_str())) &&
               SUCCEEDED(link->SetArguments(arguments.c_str())) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
               SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
  if (file) file->Release();
  if (link) link->Release();
  return saved;
}

std::string ShortcutTarget(const std::string& linkPath, std::string* workingFolder) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  char target[MAX_PATH] = "", folder[MAX_PATH] = "";
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(Wide(linkPath).c_str(), STGM_READ)) &&
      link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK &&
      SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
  if (file) file->Release();
  if (link) link->Release();
  if (workingFolder) *workingFolder = read ? folder : "";
  return read ? target : "";
}

void EndProgramsIn(const std::string& folder) {
  const std::wstring prefix = Wide(folder);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                 FALSE, entry.th32ProcessID);
    if (!process) continue;
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameW(process, 0, path, &size) && size >= prefix.size() &&
        CompareStringOrdinal(path, static_cast<int>(prefix.size()), prefix.c_str(),
                             static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

bool RemoveFolder(const std::string& folder) {
  std::string from = folder.substr(0, folder.find_last_not_of('\\') + 1);
  from.push_back('\0');  // the list of paths ends with two nulls
  return driver::WaitUntil(
      [&] {
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        if (PathFileExistsA(folder.c_str())) SHFileOperationA(&op);
        return !PathFileExistsA(folder.c_str());
      },
      10000, 200);
}

std::wstring Wide(const std::string& text) {
  const int size =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

}  // namespace desktop
