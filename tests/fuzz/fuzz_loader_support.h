// Shared by the loader fuzzers: a private data folder in memory-backed storage, and the
// fuzz input written there as a file, because the loaders read files by path.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline const std::string& FuzzFolder() {
  static const std::string folder = [] {
    std::string pattern = "/dev/shm/zanto-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) std::abort();
    return pattern + "/";
  }();
  return folder;
}

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);
}
