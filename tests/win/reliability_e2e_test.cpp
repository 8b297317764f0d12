// The user's files under obstacles and kills, with the real calendar: a year file or the
// settings file that is locked by another program or read-only, a year file that does not
// parse, the leftovers of saves cut short, and the program killed in the middle of its saves.
// ZANTO_LONG_RUNS=1 makes the kill test run 300 kills instead of a few.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "docs/data_folder.h"
#include "docs/file_save.h"
#include "docs/memo_store.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/calendar_session.h"
#include "support/desktop.h"
#include "support/driver.h"
#include "support/wine_host.h"
#include "../common/test_files.h"

namespace {

using session::AllLinesEndInCrLf;
using session::StoredTitle;
using session::ThisYearsMemoFile;

bool LongRuns() {
  const char* value = std::getenv("ZANTO_LONG_RUNS");
  return value && *value && std::string(value) != "0";
}

// A message of the string table with its one "%s" filled in, as the program shows it.
std::string Message(unsigned id, const std::string& path) {
  char format[512] = "";
  LoadStringA(GetModuleHandleA(nullptr), id, format, sizeof format);
  char text[1024] = "";
  std::snprintf(text, sizeof text, format, path.c_str());
  return text;
}

// Shift_JIS of the memo texts the tests type.
const std::wstring kTyped = L"\u4e88\u5b9a Plan";  // 予定 Plan
const char kTypedAnsi[] = "\x97\x5c\x92\xe8 Plan";

std::vector<std::string> LeftoverTempFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((DataFolder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (IsLeftoverTempName(found.cFileName)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void SaveMemo(int day, const std::string& title) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  DateNote note(now.wYear, now.wMonth, day);
  note.Title = title;
  ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
}

// The switch "通常は最背面" was flipped once while the settings file could not be written, so
// the file still holds the value before it: the next flip writes that same value, the one
// after it writes the other, which must now be in the file.
void ExpectSettingsSavedAgain(session::CalendarSession& calendar, const std::string& before) {
  CSettings file;
  ASSERT_EQ(file.Load(), 0);
  const int stored = file.Options.AlwaysBottom;
  ASSERT_TRUE(calendar.Command(IDM_ALWAYS_BOTTOM));
  ASSERT_TRUE(calendar.Command(IDM_ALWAYS_BOTTOM));
  EXPECT_NE(ReadFile(SettingsPath), before);
  ASSERT_EQ(file.Load(), 0);
  EXPECT_EQ(file.Options.AlwaysBottom, stored ? 0 : 1);
}

class ReliabilityE2E : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(calendar.Prepare()); }
  void TearDown() override { calendar.CleanUp(); }

  session::CalendarSession calendar;
};

// What stands in the way of a save, put there and taken away again.
struct Obstacle {
  const char* name;
  HANDLE (*put)(const std::string& path);
  void (*remove)(const std::string& path, HANDLE held);
};

HANDLE Lock(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}
void Unlock(const std::string&, HANDLE held) { CloseHandle(held); }
HANDLE MakeReadOnly(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  return nullptr;
}
void MakeWritable(const std::string& path, HANDLE) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }

const Obstacle kObstacles[] = {
    {"locked by another program", Lock, Unlock},
    {"read-only", MakeReadOnly, MakeWritable},
};

TEST_F(ReliabilityE2E, ABlockedFileIsKeptWholeTheUserIsToldAndALaterSaveSucceeds) {
  for (const Obstacle& obstacle : kObstacles) {
    SCOPED_TRACE(obstacle.name);
    ASSERT_NO_FATAL_FAILURE(SaveMemo(3, "Kept"));
    ASSERT_NO_FATAL_FAILURE(SaveMemo(4, "Other"));
    ASSERT_TRUE(calendar.Start());
    const std::string memoFile = ThisYearsMemoFile();
    const std::string memoBytes = ReadFile(memoFile), settingsBytes = ReadFile(SettingsPath);
    const int tools = calendar.ToolCount();

    // The memo editor's OK on a blocked year file: told, nothing truncated, the calendar as before.
    HANDLE held = obstacle.put(memoFile);
    const session::EditResult blocked = calendar.EditMemo(3, kTyped, true);
    ASSERT_TRUE(blocked.editorShown);
    EXPECT_EQ(blocked.message, Message(IDS_MEMO_SAVE_FAILED, memoFile));
    EXPECT_EQ(calendar.ToolCount(), tools) << "the memos on disk are still shown";
    // A blocked settings file: the command is carried out, the file stays as it was.
    HANDLE heldSettings = obstacle.put(SettingsPath);
    ASSERT_TRUE(calendar.Command(IDM_ALWAYS_BOTTOM));
    obstacle.remove(SettingsPath, heldSettings);
    obstacle.remove(memoFile, held);
    EXPECT_EQ(ReadFile(SettingsPath), settingsBytes);
    EXPECT_EQ(ReadFile(memoFile), memoBytes);
    ASSERT_TRUE(calendar.Program().Running());

    // The obstacle gone, the same day is edited again and saved, the other memo untouched.
    std::wstring shown;
    const session::EditResult later = calendar.EditMemo(3, kTyped, false, &shown);
    EXPECT_EQ(shown, L"Kept");
    EXPECT_EQ(later.message, "");
    EXPECT_EQ(StoredTitle(3), kTypedAnsi);
    EXPECT_EQ(StoredTitle(4), "Other");
    EXPECT_TRUE(AllLinesEndInCrLf(ReadFile(memoFile)));
    ASSERT_NO_FATAL_FAILURE(ExpectSettingsSavedAgain(calendar, settingsBytes));
    EXPECT_TRUE(AllLinesEndInCrLf(ReadFile(SettingsPath)));
    calendar.CleanUp();
    ASSERT_TRUE(calendar.Prepare());
  }
}

// The data folder on a small file system of its own (a tmpfs mounted over it, which needs root
// as CI has it), filled to the last byte.
class FullDisk : public ReliabilityE2E {
 protected:
  void SetUp() override {
    ReliabilityE2E::SetUp();
    mountPoint = driver::UnixPath(DataFolder.substr(0, DataFolder.size() - 1));
    ASSERT_FALSE(mountPoint.empty()) << "runs under Wine only";
    mounted = driver::RunLinux({"mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", mountPoint});
    ULARGE_INTEGER total = {};
    GetDiskFreeSpaceExA(DataFolder.c_str(), nullptr, &total, nullptr);
    if (!mounted || total.QuadPart > (1u << 20)) GTEST_SKIP() << "no tmpfs could be mounted (root needed)";
  }
  void TearDown() override {
    calendar.CleanUp();
    if (mounted) driver::RunLinux({"umount", "-l", mountPoint});
  }

  // Fills the disk with a file of its own; true once a write no longer fits.
  bool Fill() {
    HANDLE filler = CreateFileA((DataFolder + "filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (filler == INVALID_HANDLE_VALUE) return false;
    const std::string block(4096, 'x');
    DWORD written = 0;
    bool full = false;
    for (int i = 0; i < 1024 && !full; ++i) {
      full = !WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) || written == 0;
    }
    for (DWORD size = 512; size > 0; size /= 2) {
      while (WriteFile(filler, block.data(), size, &written, nullptr) && written == size) {
      }
    }
    CloseHandle(filler);
    return full;
  }

  std::string mountPoint;
  bool mounted = false;
};

TEST_F(FullDisk, AFullDiskKeepsEveryFileWholeAndTheSaveAfterRoomIsMadeSucceeds) {
  ASSERT_TRUE(CopyFileW((driver::ProgramFolder() + L"Settings.xml").c_str(), desktop::Wide(SettingsPath).c_str(), FALSE));
  ASSERT_NO_FATAL_FAILURE(SaveMemo(3, "Kept"));
  ASSERT_TRUE(calendar.Start());
  const std::string memoFile = ThisYearsMemoFile();
  const std::string memoBytes = ReadFile(memoFile), settingsBytes = ReadFile(SettingsPath);
  ASSERT_TRUE(Fill());

  const session::EditResult full = calendar.EditMemo(3, std::wstring(2000, L'x'), true);
  EXPECT_EQ(full.message, Message(IDS_MEMO_SAVE_FAILED, memoFile));
  ASSERT_TRUE(calendar.Command(IDM_ALWAYS_BOTTOM));
  EXPECT_EQ(ReadFile(memoFile), memoBytes);
  EXPECT_EQ(ReadFile(SettingsPath), settingsBytes);
  EXPECT_TRUE(LeftoverTempFiles().empty()) << "a failed save takes its temporary file away";
  ASSERT_TRUE(calendar.Program().Running());

  ASSERT_TRUE(DeleteFileA((DataFolder + "filler").c_str()));
  EXPECT_EQ(calendar.EditMemo(3, kTyped).message, "");
  EXPECT_EQ(StoredTitle(3), kTypedAnsi);
  ASSERT_NO_FATAL_FAILURE(ExpectSettingsSavedAgain(calendar, settingsBytes));
}

TEST_F(ReliabilityE2E, AYearFileThatDoesNotParseIsSetAsideNamedOnceAndTheMemoSaved) {
  const std::string memoFile = ThisYearsMemoFile();
  const std::string damaged = "<DateNoteTable><DateNote year=\"2000\" month=\"1\" date=\"1\"><Title>half";
  WriteFile(memoFile, damaged);
  ASSERT_TRUE(calendar.Start());
  const session::EditResult first = calendar.EditMemo(5, kTyped, true);
  ASSERT_TRUE(first.editorShown);
  const std::string prefix = Message(IDS_MEMO_SET_ASIDE, "");
  ASSERT_EQ(first.message.compare(0, prefix.size(), prefix), 0) << first.message;
  const std::string asideName = first.message.substr(prefix.size());
  EXPECT_EQ(asideName.rfind(memoFile + ".broken-", 0), 0u) << asideName;
  EXPECT_EQ(ReadFile(asideName), damaged) << "kept aside as it was";
  EXPECT_EQ(StoredTitle(5), kTypedAnsi);

  const session::EditResult second = calendar.EditMemo(6, L"Next");
  EXPECT_EQ(second.message, "") << "told once";
  EXPECT_EQ(StoredTitle(5), kTypedAnsi);
  EXPECT_EQ(StoredTitle(6), "Next");
  EXPECT_EQ(ReadFile(asideName), damaged);
}

TEST_F(ReliabilityE2E, TheLeftoversOfSavesCutShortGoAtTheNextStartAndNothingElse) {
  const std::vector<std::string> leftovers = {"Settings.xml.tmp4242", "ZantoMemo2026.xml.tmp17"};
  const std::vector<std::string> others = {"Notes.tmp", "Settings.xml.tmp", "Plan.tmp12x", "ZantoMemo2026.xml"};
  for (const std::string& name : leftovers) WriteFile(DataFolder + name, "<DateNoteTable/>");
  for (const std::string& name : others) WriteFile(DataFolder + name, "<DateNoteTable/>");
  ASSERT_TRUE(calendar.Start());
  for (const std::string& name : leftovers) EXPECT_FALSE(FileExists(DataFolder + name)) << name;
  for (const std::string& name : others) EXPECT_TRUE(FileExists(DataFolder + name)) << name;
}

// The calendar is killed at random moments of its saves (bursts of option commands, the memo
// editor's OK). After each kill every file parses, every memo whose save had returned holds
// its text, and the next start removes what the killed save left.
TEST_F(ReliabilityE2E, KilledInTheMiddleOfItsSavesNoFileIsLostOrUnreadable) {
  const int kills = LongRuns() ? 300 : 2;
  std::srand(GetTickCount());
  std::map<int, std::string> confirmed;
  std::map<int, std::set<std::string>> pending;
  int filesChecked = 0, leftoversSeen = 0, memoKills = 0;
  for (int i = 0; i < kills; ++i) {
    SCOPED_TRACE("kill " + std::to_string(i));
    leftoversSeen += static_cast<int>(LeftoverTempFiles().size());
    ASSERT_TRUE(calendar.Start());
    EXPECT_TRUE(LeftoverTempFiles().empty()) << "removed at the start";

    const int day = 1 + i % 14;
    const std::string text = "Memo " + std::to_string(i);
    ASSERT_EQ(calendar.EditMemo(day, desktop::Wide(text)).message, "");
    confirmed[day] = text;
    pending.erase(day);

    for (int n = 0; n < 20; ++n) driver::Post(calendar.Window(), WM_COMMAND, IDM_ALWAYS_BOTTOM, 0);
    if (i % 2 == 1) {
      const int late = 15 + i % 13;
      const std::string lateText = "Pending " + std::to_string(i);
      pending[late].insert(lateText);
      ASSERT_TRUE(calendar.PostMemoEdit(late, desktop::Wide(lateText)));
      ++memoKills;
    }
    Sleep(static_cast<DWORD>(std::rand() % 40));
    calendar.Program().Terminate();
    ASSERT_TRUE(calendar.Program().Wait(driver::kStartTimeoutMs));

    XMLDocument settings, memos;
    EXPECT_EQ(LoadXmlFile(settings, SettingsPath), 0) << "settings parse";
    EXPECT_EQ(LoadXmlFile(memos, ThisYearsMemoFile()), 0) << "memos parse";
    filesChecked += 2;
    for (const auto& [savedDay, savedText] : confirmed) EXPECT_EQ(StoredTitle(savedDay), savedText);
    for (const auto& [lateDay, texts] : pending) {
      const std::string stored = StoredTitle(lateDay);
      EXPECT_TRUE(stored.empty() || texts.count(stored)) << stored;
    }
  }
  std::printf("kill test: %d kills (%d during a memo save), %d files checked, %d leftover temporary "
              "files found and removed by the next start, %zu memos confirmed intact\n",
              kills, memoKills, filesChecked, leftoversSeen, confirmed.size());
}

}  // namespace
