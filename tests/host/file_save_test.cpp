#include "docs/file_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_data_folder.h"

namespace {

TEST(LeftoverTempName, OnlyATargetNameWithTmpAndAProcessIdMatches) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"Settings.xml.tmp123", true},    {"ZantoMemo2024.xml.tmp7", true},
      {"Holidays00.xml.tmp4294967295", true},
      {"Settings.xml.tmp", false},      {"Settings.xml.tmp12a", false},
      {"notes.tmp", false},             {".tmp123", false},
      {"Settings.xml", false},          {"Settings.tmp123.xml", false},
      {"photo.tmpl", false},            {"Settings.xml.TMP123", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(IsLeftoverTempName(name), expected) << name;
}

using LeftoverTempFiles = TempDataFolder;

TEST_F(LeftoverTempFiles, TheStartRemovesOnlyThePatternOfTheProgramsOwnSaves) {
  for (const char* name : {"Settings.xml.tmp101", "Settings.xml.tmp102", "ZantoMemo2026.xml.tmp9",
                           "Settings.xml", "ZantoMemo2026.xml", "mine.tmp", "Settings.xml.tmp", "x.tmp1b"}) {
    WriteFile(name, "<a/>");
  }
  EXPECT_EQ(RemoveLeftoverTempFiles(folder), 3);
  EXPECT_EQ(Files(), (std::vector<std::string>{"Settings.xml", "Settings.xml.tmp", "ZantoMemo2026.xml",
                                               "mine.tmp", "x.tmp1b"}));
  EXPECT_EQ(RemoveLeftoverTempFiles(folder), 0);
  EXPECT_EQ(RemoveLeftoverTempFiles(folder + "missing/"), 0);
}

TEST_F(LeftoverTempFiles, AnAtomicSaveLeavesNoTemporaryFile) {
  ASSERT_TRUE(SaveFileAtomically(Path("a.xml"), "x\r\n", 3));
  ASSERT_FALSE(SaveFileAtomically(Path("missing/a.xml"), "x", 1));
  EXPECT_EQ(Files(), std::vector<std::string>{"a.xml"});
  EXPECT_EQ(ReadFile("a.xml"), "x\r\n");
}

}  // namespace
