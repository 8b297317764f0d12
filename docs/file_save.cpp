#include "docs/file_save.h"

#include "docs/platform.h"

bool IsLeftoverTempName(const std::string& name) {
  const size_t mark = name.rfind(".tmp");
  if (mark == std::string::npos || mark == 0 || mark + 4 == name.size()) return false;
  return name.find_first_not_of("0123456789", mark + 4) == std::string::npos;
}

#ifdef _WIN32

namespace {

// Another program reading the file (a backup tool, a virus scanner, an editor peeking at the
// settings) makes the replacement fail for the moment it holds the file open: wait for it a
// little before giving up, so a click's save is not lost to a brief read.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMs = 20;

bool ReplaceTarget(const std::string& temp, const std::string& path) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == kReplaceAttempts) return false;
    Sleep(kReplaceRetryMs);
  }
}

}  // namespace

bool SaveFileAtomically(const std::string& path, const char* data, size_t size) {
  // A file the user made read-only is not replaced (Windows refuses to, some others do not).
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  std::string temp = path + ".tmp" + std::to_string(GetCurrentProcessId());
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  size_t written = 0;
  while (ok && written < size) {
    DWORD chunk = size - written > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size - written);
    DWORD done = 0;
    ok = WriteFile(file, data + written, chunk, &done, nullptr) && done == chunk;
    written += done;
  }
  ok = ok && FlushFileBuffers(file);
  CloseHandle(file);
  ok = ok && ReplaceTarget(temp, path);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

bool MoveFileAside(const std::string& path, const std::string& newPath) {
  return MoveFileExA(path.c_str(), newPath.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int RemoveLeftoverTempFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.tmp*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    // A save still writing holds its file without sharing, so the delete fails and it is kept.
    if (IsLeftoverTempName(found.cFileName) && DeleteFileA((folder + found.cFileName).c_str())) ++removed;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return removed;
}

#else

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool SaveFileAtomically(const std::string& path, const char* data, size_t size) {
  std::string temp = path + ".tmp" + std::to_string(getpid());
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  size_t written = 0;
  while (ok && written < size) {
    ssize_t done = write(fd, data + written, size - written);
    ok = done > 0;
    if (ok) written += static_cast<size_t>(done);
  }
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

bool MoveFileAside(const std::string& path, const std::string& newPath) {
  return std::rename(path.c_str(), newPath.c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int RemoveLeftoverTempFiles(const std::string& folder) {
  DIR* directory = opendir(folder.c_str());
  if (!directory) return 0;
  int removed = 0;
  while (const dirent* entry = readdir(directory)) {
    const std::string path = folder + entry->d_name;
    if (IsLeftoverTempName(entry->d_name) && FileExists(path) && unlink(path.c_str()) == 0) ++removed;
  }
  closedir(directory);
  return removed;
}

#endif
