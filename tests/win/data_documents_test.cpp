// The data documents on Windows itself: where the data folder is, and that settings and memo
// files are replaced and kept aside through the Windows file calls with Shift_JIS text intact.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "docs/data_folder.h"
#include "docs/file_save.h"
#include "docs/memo_store.h"
#include "docs/settings.h"
#include "tests/common/test_files.h"

namespace {

// 表示 (both trail bytes 0x5C) and 会議.
const std::string kHyouji = "\x95\x5c\x8e\xa6";
const std::string kKaigi = "\x89\xef\x8b\x63";

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class DataDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder = std::string(temp) + "zanto-docs-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    OverrideDataFolderForTesting(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string folder;
};

TEST(DataFolder, IsTheRoamingApplicationDataFolderOfTheProgram) {
  // The shell's folder of per-user roaming data, as the system also tells programs through the
  // environment. Read before any test points the folder elsewhere.
  char appData[MAX_PATH] = "";
  ASSERT_GT(GetEnvironmentVariableA("APPDATA", appData, MAX_PATH), 0u);
  EXPECT_EQ(DataFolder, std::string(appData) + "\\Quor\\Zanto\\");
  EXPECT_EQ(SettingsPath, DataFolder + "Settings.xml");
}

TEST_F(DataDocuments, MemosAreReplacedInPlaceAndABrokenYearFileIsKeptAside) {
  DateNote note(2024, 3, 12);
  note.Title = kHyouji;
  auto* schedule = new DateSchedule;
  schedule->Message = kHyouji + "\\" + kKaigi + "\r\n";
  note.schedules.push_back(schedule);
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
  note.Title = kKaigi;
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0) << "an existing file is replaced";
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"ZantoMemo2024.xml"});

  const std::string file = ReadFile(folder + "ZantoMemo2024.xml");
  EXPECT_NE(file.find("<Message>" + kHyouji + "\\yen;" + kKaigi + "\\crlf;</Message>"), std::string::npos);

  DateNote back(2024, 3, 12);
  ASSERT_EQ(DateNoteArray::LoadNote("ZantoMemo", back), 0);
  EXPECT_EQ(back.Title, kKaigi);
  ASSERT_EQ(back.schedules.size(), 1u);
  EXPECT_EQ(back.schedules[0]->Message, schedule->Message);

  WriteFile(folder + "ZantoMemo2024.xml", "<DateNoteTable><DateNote");
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
  std::vector<std::string> files = FilesIn(folder);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(ReadFile(folder + files[1]), "<DateNoteTable><DateNote");
  EXPECT_EQ(DateNoteArray::DeleteNote("ZantoMemo", 2024, 3, 12), 0);
}

TEST_F(DataDocuments, AnOptionIsWrittenIntoTheSettingsFileInPlace) {
  WriteFile(SettingsPath,
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<S><HeaderExpression><WeekTitle>" + kHyouji +
                "</WeekTitle></HeaderExpression><Options><AlwaysBottom>1</AlwaysBottom></Options></S>\r\n");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  EXPECT_EQ(settings.HeaderExpression.WeekTitle, kHyouji);
  settings.Options.AlwaysBottom = 0;
  ASSERT_EQ(settings.SaveOption("AlwaysBottom"), 0);
  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  EXPECT_EQ(back.Options.AlwaysBottom, 0);
  EXPECT_EQ(back.HeaderExpression.WeekTitle, kHyouji);
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Settings.xml"});
  EXPECT_EQ(back.HolidayInfo[2].Source, folder + "Holidays02.xml");
}

TEST_F(DataDocuments, ASaveWaitsBrieflyForAReaderThatHoldsTheFile) {
  // A reader that shares reading only: the file cannot be replaced while it is open.
  const std::string path = folder + "held.xml";
  WriteFile(path, "old");
  struct Case {
    const char* name;
    DWORD heldMs;
    bool saved;
  } kCases[] = {{"a brief read", 60, true}, {"a reader that never lets go", 2000, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread release([&] {
      Sleep(c.heldMs);
      CloseHandle(reader);
    });
    const bool saved = SaveFileAtomically(path, "new", 3);
    release.join();
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(ReadFile(path), c.saved ? "new" : "old") << "the old file stays when the save fails";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"held.xml"}) << "no temporary file is left";
    WriteFile(path, "old");
  }
}

}  // namespace
