// A fresh data folder for one test: created empty under the system's temporary folder, made
// the program's DataFolder for the test's duration and removed with everything in it after.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "docs/data_folder.h"
#include "tests/common/test_files.h"

class TempDataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zanto-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern + "/";
    OverrideDataFolderForTesting(folder);
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string Path(const std::string& name) const { return folder + name; }

  // The shared file helpers, with names taken inside the folder.
  void WriteFile(const std::string& name, const std::string& bytes) const { ::WriteFile(Path(name), bytes); }
  std::string ReadFile(const std::string& name) const { return ::ReadFile(Path(name)); }

  // Names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder;
};
