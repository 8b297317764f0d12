// The notification list through the days: what is given out when, with what heading, and
// that nothing is given out twice, across midnight and across memo edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/notifications.h"
#include "temp_data_folder.h"

namespace {

const std::string kPrefix = "ZantoMemo";
// 明日 in Shift_JIS.
const std::string kTomorrow = "\x96\xbe\x93\xfa";

int At(int hour, int minute) { return hour * 60 + minute; }

struct Schedule {
  int year, month, day, start, lead;
  std::string message;
};

// One step of a day: a reload of the list, or a tick with the texts it must launch.
struct Step {
  enum Kind { Reload, Tick } kind;
  int year, month, day;
  ReloadReason reason;
  int minute;
  std::vector<std::string> launched;
};

Step ReloadOn(int year, int month, int day, ReloadReason reason, int minute = 0) {
  return Step{Step::Reload, year, month, day, reason, minute, {}};
}

Step TickAt(int minute, std::vector<std::string> launched = {}) {
  return Step{Step::Tick, 0, 0, 0, ReloadReason::AfterEdit, minute, std::move(launched)};
}

struct Story {
  const char* name;
  std::vector<Schedule> schedules;
  std::vector<Step> steps;
};

class NotificationListTest : public TempDataFolder {
 protected:
  void Store(const std::vector<Schedule>& schedules) {
    for (const Schedule& s : schedules) {
      DateNote note(s.year, s.month, s.day);
      DateNoteArray::LoadNote(kPrefix, note);
      note.Title = "memo";
      auto* schedule = new DateSchedule;
      schedule->time = s.start;
      schedule->Notice = s.lead;
      schedule->Message = s.message;
      note.schedules.push_back(schedule);
      ASSERT_EQ(DateNoteArray::SaveNote(kPrefix, note), 0);
    }
  }

  void Walk(const Story& story) {
    SCOPED_TRACE(story.name);
    TearDown();
    SetUp();
    ASSERT_NO_FATAL_FAILURE(Store(story.schedules));
    DateNote today;
    for (const Step& step : story.steps) {
      if (step.kind == Step::Reload) {
        ReloadDueList(today, kPrefix, step.year, step.month, step.day, step.reason, step.minute);
        continue;
      }
      std::vector<std::string> launched;
      const int count = CheckDueList(today.schedules, step.minute, kTomorrow,
                                     [&](const std::string& text) { launched.push_back(text); });
      EXPECT_EQ(launched, step.launched) << "tick at minute " << step.minute;
      EXPECT_EQ(count, static_cast<int>(launched.size()));
    }
  }
};

TEST_F(NotificationListTest, SchedulesAreGivenOutOnceAtTheirTime) {
  const ReloadReason first = ReloadReason::FirstDayChange, midnight = ReloadReason::DayChange,
                     edit = ReloadReason::AfterEdit;
  const std::vector<Story> stories = {
      {"lead 30: at 9:30, not before, not again at 10:00",
       {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 29)), TickAt(At(9, 30), {"[10:00] Meeting"}),
        TickAt(At(9, 30)), TickAt(At(10, 0))}},
      {"lead 0: at the start itself",
       {{2026, 3, 10, At(10, 0), 0, "Call"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 59)), TickAt(At(10, 0), {"[10:00] Call"})}},
      {"started at 9:45: at once",
       {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 45), {"[10:00] Meeting"}), TickAt(At(9, 46))}},
      {"started at 10:01: the start has passed, nothing",
       {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(10, 1)), TickAt(At(10, 2))}},
      {"0:10 tomorrow, lead 30: at 23:40 as tomorrow's, nothing after midnight",
       {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(23, 39)),
        TickAt(At(23, 40), {"[" + kTomorrow + "0:10] Train"}),
        ReloadOn(2026, 3, 11, midnight), TickAt(At(0, 0)), TickAt(At(0, 5)), TickAt(At(0, 10))}},
      {"started at 0:05 for a 0:10 schedule with lead 30: at once",
       {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {ReloadOn(2026, 3, 11, first), TickAt(At(0, 5), {"[0:10] Train"})}},
      {"1 January 0:10, lead 30: not on 31 December (next year's file), not after midnight",
       {{2027, 1, 1, At(0, 10), 30, "New year"}},
       {ReloadOn(2026, 12, 31, first), TickAt(At(23, 40)), TickAt(At(23, 59)),
        ReloadOn(2027, 1, 1, midnight), TickAt(At(0, 0)), TickAt(At(0, 9))}},
      {"an edit confirmed with OK gives out nothing that passed and nothing twice",
       {{2026, 3, 10, At(10, 0), 30, "A"}, {2026, 3, 10, At(9, 0), 30, "Gone"},
        {2026, 3, 10, At(11, 0), 30, "B"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 30), {"[10:00] A"}),
        ReloadOn(2026, 3, 10, edit, At(9, 30)), TickAt(At(9, 30)),
        ReloadOn(2026, 3, 10, edit, At(9, 45)), TickAt(At(9, 45)),
        TickAt(At(10, 30), {"[11:00] B"})}},
      {"two in one minute: two launches, the later entry first",
       {{2026, 3, 10, At(10, 0), 0, "First"}, {2026, 3, 10, At(10, 0), 0, "Second"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(10, 0), {"[10:00] Second", "[10:00] First"})}},
      {"notification off: never, whatever the time",
       {{2026, 3, 10, At(10, 0), ~30, "Quiet"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 30)), TickAt(At(10, 0))}},
      {"a line break and a percent sign pass unchanged",
       {{2026, 3, 10, At(9, 5), 0, "line1\r\n100%s"}},
       {ReloadOn(2026, 3, 10, first), TickAt(At(9, 5), {"[9:05] line1\r\n100%s"})}},
  };
  for (const Story& story : stories) Walk(story);
}

TEST_F(NotificationListTest, ReloadSetsTheDateAndKeepsOnlyDueEntries) {
  ASSERT_NO_FATAL_FAILURE(Store({{2026, 3, 10, At(0, 10), 30, "early"},
                                 {2026, 3, 10, At(12, 0), 30, "noon"},
                                 {2026, 3, 11, At(9, 0), 30, "tomorrow morning"}}));
  DateNote today;
  ReloadDueList(today, kPrefix, 2026, 3, 10, ReloadReason::FirstDayChange, 0);
  EXPECT_EQ(today.year * 10000 + today.month * 100 + today.date, 20260310);
  ASSERT_EQ(today.schedules.size(), 2u) << "tomorrow at 9:00 is due tomorrow, not today";
  EXPECT_EQ(today.schedules[0]->notifyAt, -20);

  // A later day change drops the entry whose notification lay before midnight.
  ReloadDueList(today, kPrefix, 2026, 3, 10, ReloadReason::DayChange, 0);
  ASSERT_EQ(today.schedules.size(), 1u);
  EXPECT_EQ(today.schedules[0]->Message, "noon");

  // No memo file for the year: an empty list, not a failure.
  ReloadDueList(today, kPrefix, 2030, 5, 1, ReloadReason::DayChange, 0);
  EXPECT_TRUE(today.schedules.empty());
  EXPECT_EQ(today.year, 2030);
}

}  // namespace
