// Shared by the loader fuzzers: a private data folder in memory-backed storage, and the
// fuzz input written there as a file, because the loaders read files by path.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// The folder lies under ZANTO_FUZZ_TMP when set (scripts/fuzz gives each run its own and
// removes it afterwards, whatever way a fuzzer ended), else under /dev/shm; a fuzzer that
// ends normally removes its folder itself.
inline const std::string& FuzzFolder() {
  static const std::string folder = [] {
    const char* parent = std::getenv("ZANTO_FUZZ_TMP");
    std::string pattern = std::string(parent && *parent ? parent : "/dev/shm") + "/zanto-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) std::abort();
    return pattern + "/";
  }();
  static const bool removedAtExit = std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(FuzzFolder(), ignored);
  }) == 0;
  (void)removedAtExit;
  return folder;
}

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

// Removes the files of the folder whose names contain part, e.g. the copies a loader kept
// aside of a file it could not read.
inline void RemoveFilesNamed(const std::string& folder, const std::string& part) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().find(part) == std::string::npos) continue;
    std::error_code ignored;
    std::filesystem::remove(entry.path(), ignored);
  }
}
