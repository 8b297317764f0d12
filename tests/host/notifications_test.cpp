// The notification list through the days: what is given out when, with what heading, and
// that nothing is given out twice and nothing lost, across midnight, memo edits and sleep.
#include "app/logic/notifications.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/day_change.h"
#include "temp_data_folder.h"

namespace {

const std::string kTomorrow = "\x96\xbe\x93\xfa";  // 明日

int At(int hour, int minute) { return hour * 60 + minute; }

// A schedule on a day: start minute, lead time and message.
struct Schedule {
  int year, month, day, start, lead;
  std::string message;
};
// A tick on a date at a minute with what it launches; with edit set, a memo edit confirmed at
// that moment (the list read again) instead of a tick.
struct Step {
  int year, month, day, minute;
  std::vector<std::string> launched;
  bool edit = false;
};
Step Edit(int year, int month, int day, int minute) { return Step{year, month, day, minute, {}, true}; }

class NotificationListTest : public TempDataFolder {
 protected:
  void Save(const Schedule& s) {
    DateNote note(s.year, s.month, s.day);
    DateNoteArray::LoadNote("ZantoMemo", note);
    auto* schedule = new DateSchedule;
    schedule->time = s.start;
    schedule->Notice = s.lead;
    schedule->Message = s.message;
    note.schedules.push_back(schedule);
    ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
  }

  // The calendar's tick: at a new day what was due on the old list is given out, then the new
  // day's list is read; then the check. A step of a later day than the previous one is a tick
  // after a sleep when the days are not next to each other in the steps.
  void Walk(const char* story, const std::vector<Schedule>& schedules, const std::vector<Step>& steps,
            const std::vector<Schedule>& addedAtFirstEdit = {}) {
    SCOPED_TRACE(story);
    TearDown();
    SetUp();
    for (const Schedule& s : schedules) Save(s);
    DateNote today;
    ShownReminders shown;
    LocalDate seen;
    long long lastCheck = -1;
    bool added = false;
    for (const Step& step : steps) {
      const long long now = TimelineMinute(step.year, step.month, step.day, step.minute);
      std::vector<std::string> launched;
      const MessageLauncher launch = [&](const std::string& text) { launched.push_back(text); };
      if (step.edit) {
        for (const Schedule& s : added ? std::vector<Schedule>{} : addedAtFirstEdit) Save(s);
        added = true;
        ReloadDueList(today, "ZantoMemo", step.year, step.month, step.day, shown);
        continue;
      }
      if (CheckDayChange(seen, LocalDate{step.year, step.month, step.day}, 0, 0).reloadNotifications) {
        CheckDueList(today, now, EarliestStart(now, lastCheck), kTomorrow, launch, shown);
        ReloadDueList(today, "ZantoMemo", step.year, step.month, step.day, shown);
      }
      CheckDueList(today, now, EarliestStart(now, lastCheck), kTomorrow, launch, shown);
      lastCheck = now;
      EXPECT_EQ(launched, step.launched)
          << "tick on " << step.month << "/" << step.day << " at " << step.minute / 60 << ":" << step.minute % 60;
    }
  }
};

TEST_F(NotificationListTest, SchedulesAreGivenOutOnceAtTheirTime) {
  Walk("lead 30: at 9:30 only", {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {{2026, 3, 10, At(9, 0)}, {2026, 3, 10, At(9, 29)}, {2026, 3, 10, At(9, 30), {"[10:00] Meeting"}},
        {2026, 3, 10, At(9, 30)}, {2026, 3, 10, At(10, 0)}});
  Walk("lead 0: at the start", {{2026, 3, 10, At(10, 0), 0, "Call"}},
       {{2026, 3, 10, At(9, 59)}, {2026, 3, 10, At(10, 0), {"[10:00] Call"}}});
  Walk("started at 9:45: at once", {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {{2026, 3, 10, At(9, 45), {"[10:00] Meeting"}}, {2026, 3, 10, At(9, 46)}});
  Walk("started at 10:01: nothing", {{2026, 3, 10, At(10, 0), 30, "Meeting"}}, {{2026, 3, 10, At(10, 1)}});
  Walk("two in one minute: the later entry first",
       {{2026, 3, 10, At(10, 0), 0, "First"}, {2026, 3, 10, At(10, 0), 0, "Second"}},
       {{2026, 3, 10, At(10, 0), {"[10:00] Second", "[10:00] First"}}});
  Walk("notification off: never", {{2026, 3, 10, At(10, 0), ~30, "Quiet"}},
       {{2026, 3, 10, At(9, 30)}, {2026, 3, 10, At(10, 0)}});
  Walk("line breaks and percent signs pass unchanged", {{2026, 3, 10, At(9, 5), 0, "a\r\n100%s"}},
       {{2026, 3, 10, At(9, 5), {"[9:05] a\r\n100%s"}}});
}

TEST_F(NotificationListTest, MidnightGivesOutTomorrowsEarlySchedulesOnceAndDropsNoneDueAtMidnight) {
  Walk("0:10 tomorrow: at 23:40 as tomorrow's, not again after midnight", {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {{2026, 3, 10, At(23, 39)},
        {2026, 3, 10, At(23, 40), {"[" + kTomorrow + "0:10] Train"}},
        {2026, 3, 11, At(0, 0)},
        {2026, 3, 11, At(0, 10)}});
  Walk("tomorrow's 0:00 is 明日0:00, never 24:00", {{2026, 3, 11, At(0, 0), 30, "Ferry"}},
       {{2026, 3, 10, At(23, 30), {"[" + kTomorrow + "0:00] Ferry"}}, {2026, 3, 11, At(0, 0)}});
  Walk("due at exactly 0:00: given out at midnight", {{2026, 3, 11, At(0, 30), 30, "Bus"}},
       {{2026, 3, 10, At(23, 59)}, {2026, 3, 11, At(0, 0), {"[0:30] Bus"}}, {2026, 3, 11, At(0, 1)}});
  Walk("started at 0:05 for 0:10 with lead 30: at once", {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {{2026, 3, 11, At(0, 5), {"[0:10] Train"}}});
  // The year file of 31 December cannot see 1 January: its reminder comes at midnight, late
  // but not lost.
  Walk("1 January 0:10: at midnight", {{2027, 1, 1, At(0, 10), 30, "New year"}},
       {{2026, 12, 31, At(23, 40)}, {2027, 1, 1, At(0, 0), {"[0:10] New year"}}, {2027, 1, 1, At(0, 5)}});
}

TEST_F(NotificationListTest, AnEditGivesOutWhatIsStillToStartAndNothingTwice) {
  Walk("added at 9:45 for 10:00 with lead 30: at the next tick", {},
       {{2026, 3, 10, At(9, 40)}, Edit(2026, 3, 10, At(9, 45)), {2026, 3, 10, At(9, 45), {"[10:00] Meeting"}},
        Edit(2026, 3, 10, At(9, 50)), {2026, 3, 10, At(9, 50)}},
       {{2026, 3, 10, At(10, 0), 30, "Meeting"}});
  Walk("added after its start: never", {},
       {{2026, 3, 10, At(10, 1)}, Edit(2026, 3, 10, At(10, 1)), {2026, 3, 10, At(10, 1)}},
       {{2026, 3, 10, At(10, 0), 0, "Late"}});
  Walk("an edit repeats nothing shown, today's or tomorrow's",
       {{2026, 3, 10, At(10, 0), 30, "A"}, {2026, 3, 11, At(0, 10), 30, "Night"}, {2026, 3, 10, At(11, 0), 30, "B"}},
       {{2026, 3, 10, At(9, 30), {"[10:00] A"}},
        Edit(2026, 3, 10, At(9, 31)),
        {2026, 3, 10, At(9, 31)},
        {2026, 3, 10, At(10, 30), {"[11:00] B"}},
        {2026, 3, 10, At(23, 40), {"[" + kTomorrow + "0:10] Night"}},
        Edit(2026, 3, 10, At(23, 45)),
        {2026, 3, 10, At(23, 45)},
        {2026, 3, 11, At(0, 0)}});
}

TEST_F(NotificationListTest, AfterASleepWhatStartedAtMostAnHourAgoIsGivenOutOnce) {
  Walk("asleep 9:00 to 10:30", {{2026, 3, 10, At(9, 20), 10, "Old"}, {2026, 3, 10, At(10, 0), 30, "Recent"},
                                 {2026, 3, 10, At(11, 0), 15, "Later"}},
       {{2026, 3, 10, At(9, 0)}, {2026, 3, 10, At(10, 30), {"[10:00] Recent"}}, {2026, 3, 10, At(10, 31)},
        {2026, 3, 10, At(10, 45), {"[11:00] Later"}}});
  Walk("asleep over midnight: 23:30's [明日0:10] comes at waking as today's",
       {{2026, 3, 11, At(0, 10), 40, "Train"}, {2026, 3, 10, At(23, 50), 10, "Late call"}},
       {{2026, 3, 10, At(23, 0)}, {2026, 3, 11, At(0, 5), {"[0:10] Train", "[23:50] Late call"}},
        {2026, 3, 11, At(0, 6)}});
  Walk("asleep for days: nothing of the days passed", {{2026, 3, 12, At(8, 0), 30, "Gone"}},
       {{2026, 3, 10, At(22, 0)}, {2026, 3, 13, At(8, 0)}});
}

TEST(ShownReminders, ForgetsOnlyWhatStartedBeforeTheMinute) {
  ShownReminders shown;
  shown.Add(100, "a");
  shown.Add(160, "b");
  shown.Add(160, "c");
  shown.ForgetBefore(160);
  EXPECT_FALSE(shown.Contains(100, "a"));
  EXPECT_TRUE(shown.Contains(160, "b"));
  EXPECT_EQ(shown.Size(), 2u);
  EXPECT_EQ(TimelineMinute(1970, 1, 2, 1), 1441);
  EXPECT_EQ(TimelineMinute(2000, 3, 1, 0) - TimelineMinute(2000, 2, 28, 0), 2 * 1440) << "2000 is a leap year";
  EXPECT_EQ(TimelineMinute(2100, 3, 1, 0) - TimelineMinute(2100, 2, 28, 0), 1440);
}

}  // namespace
