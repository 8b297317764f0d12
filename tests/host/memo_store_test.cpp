#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <tuple>
#include <string>
#include <vector>

#include "docs/memo_store.h"
#include "temp_data_folder.h"

namespace {

const std::string kPrefix = "ZantoMemo";

DateSchedule* NewSchedule(int time, int notice, const std::string& message) {
  auto* schedule = new DateSchedule;
  schedule->time = time;
  schedule->Notice = notice;
  schedule->Message = message;
  return schedule;
}

// One memo with its schedules, each given as {hour * 60 + minute, lead time}.
std::unique_ptr<DateNote> MakeNote(int year, int month, int date, const std::string& title,
                                   std::vector<std::pair<int, int>> schedules = {}) {
  auto note = std::make_unique<DateNote>(year, month, date);
  note->Title = title;
  for (const auto& s : schedules) note->schedules.push_back(NewSchedule(s.first, s.second, title));
  return note;
}

class MemoStoreTest : public TempDataFolder {
 protected:
  void Save(const std::unique_ptr<DateNote>& note) { ASSERT_EQ(DateNoteArray::SaveNote(kPrefix, *note), 0); }

  // Titles of the "DateNote" elements of a year file, in file order.
  std::vector<std::string> TitlesInFile(int year) {
    XMLDocument doc;
    EXPECT_EQ(LoadXmlFile(doc, MemoFilePath(kPrefix, year)), 0);
    std::vector<std::string> titles;
    for (XMLElement* e = doc.RootElement()->FirstChildElement("DateNote"); e; e = e->NextSiblingElement("DateNote")) {
      titles.push_back(e->FirstChildElement("Title")->GetText());
    }
    return titles;
  }

  std::vector<int> DueTimes(int year, int month, int date, int* result = nullptr) {
    DateNote today(year, month, date);
    int r = DateNoteArray::LoadDueSchedules(kPrefix, today);
    if (result) *result = r;
    std::vector<int> notifyAt;
    for (const DateSchedule* s : today.schedules) notifyAt.push_back(s->notifyAt);
    return notifyAt;
  }
};

TEST(MemoEscapes, LineBreaksBackslashesAndTabsSurviveTheRoundTrip) {
  const std::string message = "line1\r\na\\b";
  EXPECT_EQ(EscapeMessage(message), "line1\\crlf;a\\yen;b");
  EXPECT_EQ(UnescapeMessage(EscapeMessage(message)), message);

  // The text of an escape itself is not mistaken for one.
  EXPECT_EQ(EscapeMessage("\\tab;"), "\\yen;tab;");
  EXPECT_EQ(UnescapeMessage("\\yen;tab;"), "\\tab;");
  EXPECT_EQ(EscapeMessage("a\tb"), "a\\tab;b");
  EXPECT_EQ(UnescapeMessage("a\\tab;b\\crlf;"), "a\tb\r\n");
  // A lone LF is not a line break of the file format and stays as it is.
  EXPECT_EQ(EscapeMessage("a\nb"), "a\nb");
}

TEST(MemoEscapes, TheSecondByteOfADoubleByteCharacterIsNotABackslash) {
  // 表 is 0x95 0x5C in Shift_JIS.
  const std::string hyou = "\x95\x5c";
  EXPECT_EQ(EscapeMessage(hyou + "\\"), hyou + "\\yen;");
  EXPECT_EQ(UnescapeMessage(hyou + "tab;"), hyou + "tab;");
  EXPECT_EQ(UnescapeMessage(hyou + "yen;\\yen;"), hyou + "yen;\\");
  // A lead byte cut off at the end of a text is kept, not read past.
  EXPECT_EQ(EscapeMessage("a\x95"), "a\x95");
}

TEST(MemoTime, FileTimesAreHoursTimesHundredPlusMinutes) {
  EXPECT_EQ(TimeFromFile(930), 570);
  EXPECT_EQ(TimeToFile(570), 930);
  EXPECT_EQ(TimeToFile(5), 5);
  EXPECT_EQ(TimeToFile(1439), 2359);
  EXPECT_EQ(TimeFromFile(2359), 1439);
  // Values from a damaged file are read as hours and minutes, or held at the ends of the
  // range, instead of overflowing.
  EXPECT_EQ(TimeFromFile(INT32_MIN), -21474836 * 60 - 48);
  EXPECT_EQ(TimeToFile(INT32_MAX), INT32_MAX);
  EXPECT_EQ(TimeToFile(INT32_MIN), INT32_MIN);
  EXPECT_GT(NoteKey(INT32_MAX, INT32_MAX, INT32_MAX), NoteKey(2024, 12, 31));
}

TEST_F(MemoStoreTest, SchedulesAreWrittenAsTheFileFormatSays) {
  auto note = MakeNote(2024, 3, 5, "title");
  note->schedules.push_back(NewSchedule(5, 30, "line1\r\na\\b"));
  note->schedules.push_back(NewSchedule(570, ~30, "\t"));
  Save(note);

  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, Path("ZantoMemo2024.xml")), 0);
  EXPECT_EQ(Print(doc),
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><DateNoteTable>"
            "<DateNote year=\"2024\" month=\"3\" date=\"5\"><Title>title</Title><ScheduleTable>"
            "<Schedule><Message>line1\\crlf;a\\yen;b</Message><Time>5</Time><Notice>30</Notice></Schedule>"
            "<Schedule><Message>\\tab;</Message><Time>930</Time><Notice>-31</Notice></Schedule>"
            "</ScheduleTable></DateNote></DateNoteTable>");

  DateNote back(2024, 3, 5);
  ASSERT_EQ(DateNoteArray::LoadNote(kPrefix, back), 0);
  ASSERT_EQ(back.schedules.size(), 2u);
  EXPECT_EQ(back.schedules[0]->Message, "line1\r\na\\b");
  EXPECT_EQ(back.schedules[0]->time, 5);
  EXPECT_EQ(back.schedules[0]->notifyAt, -25);
  EXPECT_EQ(back.schedules[1]->Message, "\t");
  EXPECT_EQ(back.schedules[1]->time, 570);
  EXPECT_EQ(back.schedules[1]->Notice, ~30);
}

TEST_F(MemoStoreTest, SavingKeepsDateOrderReplacesInPlaceAndDeletes) {
  Save(MakeNote(2024, 3, 20, "20"));
  Save(MakeNote(2024, 3, 5, "5"));
  Save(MakeNote(2024, 3, 12, "12"));
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"5", "12", "20"}));

  Save(MakeNote(2024, 3, 12, "12 again", {{600, 10}}));
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"5", "12 again", "20"}));
  DateNote twelve(2024, 3, 12);
  DateNoteArray::LoadNote(kPrefix, twelve);
  EXPECT_EQ(twelve.schedules.size(), 1u);

  // A later and an earlier month, and a memo of another year in its own file.
  Save(MakeNote(2024, 12, 31, "eve"));
  Save(MakeNote(2024, 1, 1, "new year"));
  Save(MakeNote(2025, 1, 1, "next"));
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"new year", "5", "12 again", "20", "eve"}));
  EXPECT_EQ(TitlesInFile(2025), std::vector<std::string>{"next"});

  EXPECT_EQ(DateNoteArray::DeleteNote(kPrefix, 2024, 3, 12), 0);
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"new year", "5", "20", "eve"}));

  const std::string before = ReadFile("ZantoMemo2024.xml");
  EXPECT_EQ(DateNoteArray::DeleteNote(kPrefix, 2024, 3, 13), 0);
  EXPECT_EQ(ReadFile("ZantoMemo2024.xml"), before);

  EXPECT_NE(DateNoteArray::DeleteNote(kPrefix, 2023, 3, 13), 0) << "no file for that year";
  EXPECT_EQ(Files(), (std::vector<std::string>{"ZantoMemo2024.xml", "ZantoMemo2025.xml"}));
}

TEST_F(MemoStoreTest, SavingIntoAFileOfAnotherShapeKeepsWhatItDoesNotKnow) {
  WriteFile("ZantoMemo2024.xml",
            "<Memos><!-- mine --><DateNote year=\"2024\" month=\"3\" date=\"10\" extra=\"x\">"
            "<Title>old</Title><Other/></DateNote><Unknown/>"
            "<DateNote year=\"2024\" month=\"4\" date=\"1\"><Title>april</Title></DateNote></Memos>");
  Save(MakeNote(2024, 3, 10, "new"));
  Save(MakeNote(2024, 3, 1, "first"));
  Save(MakeNote(2024, 3, 31, "last"));
  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, Path("ZantoMemo2024.xml")), 0);
  EXPECT_EQ(Print(doc),
            "<Memos><!-- mine --><DateNote year=\"2024\" month=\"3\" date=\"1\"><Title>first</Title></DateNote>"
            "<DateNote year=\"2024\" month=\"3\" date=\"10\" extra=\"x\"><Title>new</Title></DateNote>"
            "<Unknown/><DateNote year=\"2024\" month=\"3\" date=\"31\"><Title>last</Title></DateNote>"
            "<DateNote year=\"2024\" month=\"4\" date=\"1\"><Title>april</Title></DateNote></Memos>");
}

TEST_F(MemoStoreTest, TheDaysOwnDecorationIsStoredOnlyWhenItHasAnAttribute) {
  Save(MakeNote(2024, 5, 1, "plain", {{60, 0}}));
  auto decorated = MakeNote(2024, 5, 2, "decorated", {{60, 0}});
  decorated->decoration.flags = kDecoColour;
  decorated->decoration.colour = RGB(0, 0, 255);
  Save(decorated);

  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, Path("ZantoMemo2024.xml")), 0);
  XMLElement* first = doc.RootElement()->FirstChildElement("DateNote");
  EXPECT_EQ(first->FirstChildElement("DayDeco"), nullptr);
  XMLElement* second = first->NextSiblingElement("DateNote");
  ASSERT_NE(second->FirstChildElement("DayDeco"), nullptr);
  EXPECT_STREQ(second->FirstChildElement()->Name(), "Title");
  EXPECT_STREQ(second->FirstChildElement()->NextSiblingElement()->Name(), "DayDeco");
  EXPECT_STREQ(second->LastChildElement()->Name(), "ScheduleTable");

  // Replacing the memo with an undecorated one drops the old decoration.
  Save(MakeNote(2024, 5, 2, "decorated"));
  DateNoteArray year;
  ASSERT_EQ(year.LoadYearTitles(kPrefix, 2024), 0);
  ASSERT_EQ(year.size(), 2u);
  EXPECT_EQ(year[1]->decoration.flags, 0u);
}

TEST_F(MemoStoreTest, LoadYearReadsEveryMemoOnceAndTitlesLeaveOutSchedules) {
  Save(MakeNote(2024, 2, 29, "leap", {{540, 30}, {600, 30}}));
  Save(MakeNote(2024, 1, 2, "second", {{0, 0}}));

  DateNoteArray memos;
  ASSERT_EQ(memos.LoadYear(kPrefix, 2024), 0);
  ASSERT_EQ(memos.size(), 2u);
  EXPECT_EQ(memos[0]->Title, "second");
  EXPECT_EQ(memos[1]->date, 29);
  EXPECT_EQ(memos[1]->schedules.size(), 2u);

  Save(MakeNote(2024, 3, 1, "added"));
  EXPECT_EQ(memos.LoadYear(kPrefix, 2024), 1) << "the year is already loaded";
  EXPECT_EQ(memos.size(), 2u);
  memos.loadedYear = 0;
  EXPECT_EQ(memos.LoadYear(kPrefix, 2024), 0);
  EXPECT_EQ(memos.size(), 3u);

  DateNoteArray titles;
  ASSERT_EQ(titles.LoadYearTitles(kPrefix, 2024), 0);
  ASSERT_EQ(titles.size(), 3u);
  EXPECT_EQ(titles[1]->Title, "leap");
  EXPECT_TRUE(titles[1]->schedules.empty());

  EXPECT_EQ(titles.LoadYearTitles(kPrefix, 2023), 1) << "no file";
  EXPECT_TRUE(titles.empty());
  EXPECT_EQ(titles.loadedYear, 2023);
}

TEST_F(MemoStoreTest, LoadNoteFillsOnlyTheMemoOfItsDay) {
  Save(MakeNote(2024, 6, 10, "ten", {{700, 5}}));
  DateNote missing(2024, 6, 11);
  EXPECT_EQ(DateNoteArray::LoadNote(kPrefix, missing), 0);
  EXPECT_EQ(missing.Title, "");
  EXPECT_TRUE(missing.schedules.empty());

  DateNote ten(2024, 6, 10);
  EXPECT_EQ(DateNoteArray::LoadNote(kPrefix, ten), 0);
  EXPECT_EQ(ten.Title, "ten");
  ASSERT_EQ(ten.schedules.size(), 1u);
  EXPECT_EQ(ten.schedules[0]->notifyAt, 695);

  DateNote otherYear(2030, 6, 10);
  EXPECT_EQ(DateNoteArray::LoadNote(kPrefix, otherYear), 1);
}

TEST_F(MemoStoreTest, MissingChildrenGiveMidnightAndNoLeadTime) {
  WriteFile("ZantoMemo2024.xml",
            "<T><DateNote year=\"2024\" month=\"7\" date=\"1\"><ScheduleTable>"
            "<Schedule><Message>m</Message></Schedule><Schedule><Time>1015</Time></Schedule>"
            "</ScheduleTable><ScheduleTable><Schedule/></ScheduleTable></DateNote></T>");
  DateNote note(2024, 7, 1);
  ASSERT_EQ(DateNoteArray::LoadNote(kPrefix, note), 0);
  ASSERT_EQ(note.schedules.size(), 2u) << "only the first ScheduleTable counts";
  EXPECT_EQ(note.schedules[0]->time, 0);
  EXPECT_EQ(note.schedules[0]->notifyAt, 0);
  EXPECT_EQ(note.schedules[1]->time, 615);
  EXPECT_EQ(note.schedules[1]->Notice, 0);
  EXPECT_EQ(note.schedules[1]->Message, "");
}

TEST_F(MemoStoreTest, DueSchedulesOfTodayAndOfTomorrowThatReachIntoToday) {
  Save(MakeNote(2024, 3, 10, "today", {{10, 30}, {720, 0}, {600, ~30}}));
  Save(MakeNote(2024, 3, 11, "tomorrow", {{20, 30}, {540, 30}, {5, ~60}}));
  Save(MakeNote(2024, 3, 12, "later", {{0, 100}}));

  DateNote today(2024, 3, 10);
  ASSERT_EQ(DateNoteArray::LoadDueSchedules(kPrefix, today), 0);
  ASSERT_EQ(today.schedules.size(), 3u);
  EXPECT_EQ(today.schedules[0]->notifyAt, -20) << "0:10 with 30 minutes stays in the list";
  EXPECT_EQ(today.schedules[1]->notifyAt, 720);
  EXPECT_EQ(today.schedules[2]->time, 1460);
  EXPECT_EQ(today.schedules[2]->notifyAt, 1430) << "11 March 0:20 is due at 23:50 today";
  EXPECT_EQ(today.schedules[2]->Message, "tomorrow");

  // Appends to what the note already holds.
  ASSERT_EQ(DateNoteArray::LoadDueSchedules(kPrefix, today), 0);
  EXPECT_EQ(today.schedules.size(), 6u);

  // From 11 March, 12 March 0:00 with a lead of 100 minutes is due at 22:20.
  EXPECT_EQ(DueTimes(2024, 3, 11), (std::vector<int>{-10, 510, 1340}));
  int result = 0;
  EXPECT_TRUE(DueTimes(2025, 3, 10, &result).empty());
  EXPECT_EQ(result, 1) << "no file for 2025";
}

TEST_F(MemoStoreTest, TomorrowIsTheRealNextDay) {
  // Each memo's schedule at 0:00 with 1 minute lead is due at 23:59 of the day before.
  for (auto [month, date] : std::vector<std::pair<int, int>>{{2, 29}, {3, 1}, {5, 1}, {5, 31}, {6, 1}, {12, 31}}) {
    Save(MakeNote(2024, month, date, "", {{0, 1}}));
  }
  Save(MakeNote(2023, 3, 1, "", {{0, 1}}));
  Save(MakeNote(2025, 1, 1, "", {{0, 1}}));

  EXPECT_EQ(DueTimes(2024, 2, 28), std::vector<int>{1439}) << "29 February in a leap year";
  EXPECT_EQ(DueTimes(2024, 2, 29), (std::vector<int>{-1, 1439}));
  EXPECT_EQ(DueTimes(2023, 2, 28), std::vector<int>{1439}) << "1 March after a common February";
  EXPECT_EQ(DueTimes(2024, 4, 30), std::vector<int>{1439}) << "30-day month";
  EXPECT_EQ(DueTimes(2024, 5, 30), std::vector<int>{1439}) << "31-day month";
  EXPECT_EQ(DueTimes(2024, 5, 31), (std::vector<int>{-1, 1439}));
  EXPECT_EQ(DueTimes(2024, 12, 31), std::vector<int>{-1}) << "1 January is in the next year's file";
}

TEST_F(MemoStoreTest, DueSchedulesNeedAValidDateFrom1970) {
  for (auto [y, m, d] : std::vector<std::tuple<int, int, int>>{
           {1969, 12, 31}, {2024, 0, 1}, {2024, 13, 1}, {2023, 2, 29}, {2024, 4, 31}, {2024, 1, 0}}) {
    DateNote note(y, m, d);
    EXPECT_THROW(DateNoteArray::LoadDueSchedules(kPrefix, note), std::invalid_argument) << y << "-" << m << "-" << d;
  }
  DateNote first(1970, 1, 1);
  EXPECT_EQ(DateNoteArray::LoadDueSchedules(kPrefix, first), 1);
}

TEST_F(MemoStoreTest, ABrokenYearFileIsKeptAsideBeforeAFreshOneIsWritten) {
  const std::string broken = "<DateNoteTable><DateNote year=\"2024\" month=\"1\" date=\"1\"><Title>pre";
  WriteFile("ZantoMemo2024.xml", broken);
  Save(MakeNote(2024, 8, 15, "new"));

  std::vector<std::string> files = Files();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], "ZantoMemo2024.xml");
  EXPECT_EQ(files[1].rfind("ZantoMemo2024.xml.broken-", 0), 0u) << files[1];
  EXPECT_EQ(ReadFile(files[1]), broken);
  EXPECT_EQ(TitlesInFile(2024), std::vector<std::string>{"new"});

  // A second failure within the same second keeps both broken files.
  WriteFile("ZantoMemo2024.xml", "garbage");
  Save(MakeNote(2024, 8, 16, "newer"));
  EXPECT_EQ(Files().size(), 3u);
  EXPECT_EQ(TitlesInFile(2024), std::vector<std::string>{"newer"});
}

TEST_F(MemoStoreTest, DamagedYearFilesNeverCrashALoader) {
  const std::vector<std::string> damaged = {
      "",
      "   ",
      "<DateNoteTable><DateNote year=\"2024\" month=\"1\" date=\"1\"><Title>x</Title>",
      "<?xml version=\"1.0\"?>",
      "\xff\xfe<\0x\0",
      "<T><DateNote year=\"2147483647\" month=\"2147483647\" date=\"-2147483648\">"
      "<ScheduleTable><Schedule><Time>2147483647</Time><Notice>-2147483648</Notice></Schedule>"
      "<Schedule><Time>-2147483648</Time><Notice>2147483647</Notice></Schedule></ScheduleTable></DateNote>"
      "<DateNote year=\"2024\" month=\"1\" date=\"1\"><ScheduleTable><Schedule><Time>99999999999</Time>"
      "<Notice>1</Notice></Schedule></ScheduleTable></DateNote><DateNote year=\"x\"/></T>",
  };
  for (const std::string& bytes : damaged) {
    WriteFile("ZantoMemo2024.xml", bytes);
    DateNoteArray memos;
    memos.LoadYear(kPrefix, 2024);
    memos.loadedYear = 0;
    memos.LoadYearTitles(kPrefix, 2024);
    DateNote note(2024, 1, 1);
    DateNoteArray::LoadNote(kPrefix, note);
    DateNote today(2024, 1, 1);
    DateNoteArray::LoadDueSchedules(kPrefix, today);
    DateNoteArray::DeleteNote(kPrefix, 2024, 1, 1);
    EXPECT_EQ(DateNoteArray::SaveNote(kPrefix, *MakeNote(2024, 1, 2, "ok")), 0);
    DateNote back(2024, 1, 2);
    EXPECT_EQ(DateNoteArray::LoadNote(kPrefix, back), 0);
    EXPECT_EQ(back.Title, "ok");
  }
}

TEST_F(MemoStoreTest, AReadableButDamagedFileStaysReadableAfterASave) {
  WriteFile("ZantoMemo2024.xml",
            "<T><DateNote year=\"2024\" month=\"1\" date=\"1\"><Title>kept</Title></DateNote></T>\n x>y</a>");
  Save(MakeNote(2024, 1, 2, "new"));
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"kept", "new"}));
  EXPECT_EQ(Files().size(), 1u);
}

TEST_F(MemoStoreTest, UnreadableYearFilesAreEmptyYearsAndAreNotRewrittenByDelete) {
  WriteFile("ZantoMemo2024.xml", "<T><DateNote");
  DateNoteArray memos;
  EXPECT_EQ(memos.LoadYear(kPrefix, 2024), 1);
  EXPECT_TRUE(memos.empty());
  int result = 0;
  EXPECT_TRUE(DueTimes(2024, 1, 1, &result).empty());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DateNoteArray::DeleteNote(kPrefix, 2024, 1, 1), 1);
  EXPECT_EQ(ReadFile("ZantoMemo2024.xml"), "<T><DateNote");
}

TEST_F(MemoStoreTest, AnotherPrefixNamesAnotherFile) {
  ASSERT_EQ(DateNoteArray::SaveNote("Memo", *MakeNote(2024, 1, 1, "x")), 0);
  EXPECT_EQ(Files(), std::vector<std::string>{"Memo2024.xml"});
  EXPECT_EQ(MemoFilePath("Memo", 2024), folder + "Memo2024.xml");
}

TEST(DateNote, AssignMakesAnIndependentCopyWithSchedules) {
  auto sourceNote = MakeNote(2024, 9, 9, "memo", {{100, 10}, {200, ~5}});
  DateNote& source = *sourceNote;
  source.schedules[0]->notifyAt = 90;
  source.schedules[1]->notifyAt = 195;
  source.decoration.flags = kDecoMark;
  source.decoration.markType = 2;
  auto copyNote = MakeNote(1999, 1, 1, "old", {{1, 1}, {2, 2}, {3, 3}});
  DateNote& copy = *copyNote;
  copy.Assign(source);
  EXPECT_EQ(copy.Key(), source.Key());
  EXPECT_EQ(copy.Title, "memo");
  EXPECT_EQ(copy.decoration.markType, 2);
  ASSERT_EQ(copy.schedules.size(), 2u);
  const struct {
    int time, notice, notifyAt;
  } kSchedules[] = {{100, 10, 90}, {200, ~5, 195}};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(copy.schedules[i]->time, kSchedules[i].time);
    EXPECT_EQ(copy.schedules[i]->Notice, kSchedules[i].notice);
    EXPECT_EQ(copy.schedules[i]->notifyAt, kSchedules[i].notifyAt);
    EXPECT_EQ(copy.schedules[i]->Message, "memo");
    EXPECT_NE(copy.schedules[i], source.schedules[i]);
  }
  copy.schedules[0]->Message = "changed";
  EXPECT_EQ(source.schedules[0]->Message, "memo");
  copy.Assign(copy);
  EXPECT_EQ(copy.schedules.size(), 2u);
}

}  // namespace

TEST_F(MemoStoreTest, ASetAsideFileIsNamedToTheCallerAndAReadableOneIsNeverMoved) {
  WriteFile("ZantoMemo2024.xml", "<T><DateNote");
  std::string setAside;
  ASSERT_EQ(DateNoteArray::SaveNote(kPrefix, *MakeNote(2024, 8, 15, "new"), &setAside), 0);
  ASSERT_EQ(Files().size(), 2u);
  EXPECT_EQ(setAside, Path(Files()[1]));
  EXPECT_EQ(ReadFile(Files()[1]), "<T><DateNote");

  setAside.clear();
  ASSERT_EQ(DateNoteArray::SaveNote(kPrefix, *MakeNote(2024, 8, 16, "next"), &setAside), 0);
  EXPECT_EQ(setAside, "");
  EXPECT_EQ(Files().size(), 2u);
  EXPECT_EQ(TitlesInFile(2024), (std::vector<std::string>{"new", "next"}));
}

TEST_F(MemoStoreTest, WrittenFilesEndEveryLineInCrLfAndTitleLineBreaksSurvive) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"one\r\ntwo", "one\r\ntwo"},
      {"lf\nonly", "lf\r\nonly"},
      {"\r\nfirst\r\n\r\nlast\r\n", "\r\nfirst\r\n\r\nlast\r\n"},
      {"plain", "plain"},
  };
  for (const auto& [title, expected] : cases) {
    Save(MakeNote(2024, 2, 3, title));
    const std::string bytes = ReadFile("ZantoMemo2024.xml");
    for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i << " in " << bytes;
    }
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos) << bytes;
    DateNote back(2024, 2, 3);
    ASSERT_EQ(DateNoteArray::LoadNote(kPrefix, back), 0);
    EXPECT_EQ(back.Title, expected);
    // Saved again as read, the file does not change.
    Save(MakeNote(2024, 2, 3, back.Title));
    EXPECT_EQ(ReadFile("ZantoMemo2024.xml"), bytes);
  }
}
