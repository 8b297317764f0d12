// The notification list through the days: what is given out when, with what heading, and
// that nothing is given out twice, across midnight and across memo edits.
#include "app/logic/notifications.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_data_folder.h"

namespace {

const std::string kTomorrow = "\x96\xbe\x93\xfa";  // 明日
constexpr ReloadReason kFirst = ReloadReason::FirstDayChange, kMidnight = ReloadReason::DayChange,
                       kEdit = ReloadReason::AfterEdit;

int At(int hour, int minute) { return hour * 60 + minute; }

// A schedule on a day: start minute, lead time and message.
struct Schedule {
  int year, month, day, start, lead;
  std::string message;
};
// A reload on a date (at a minute), or with day 0 a tick at a minute and what it launches.
struct Step {
  int year, month, day;
  ReloadReason reason;
  int minute;
  std::vector<std::string> launched;
};
Step Tick(int minute, std::vector<std::string> launched = {}) {
  return Step{0, 0, 0, kEdit, minute, std::move(launched)};
}

class NotificationListTest : public TempDataFolder {
 protected:
  void Walk(const char* story, const std::vector<Schedule>& schedules,
            const std::vector<Step>& steps) {
    SCOPED_TRACE(story);
    TearDown();
    SetUp();
    for (const Schedule& s : schedules) {
      DateNote note(s.year, s.month, s.day);
      DateNoteArray::LoadNote("ZantoMemo", note);
      auto* schedule = new DateSchedule;
      schedule->time = s.start;
      schedule->Notice = s.lead;
      schedule->Message = s.message;
      note.schedules.push_back(schedule);
      ASSERT_EQ(DateNoteArray::SaveNote("ZantoMemo", note), 0);
    }
    DateNote today;
    for (const Step& step : steps) {
      if (step.day) {
        ReloadDueList(today, "ZantoMemo", step.year, step.month, step.day, step.reason,
                      step.minute);
        continue;
      }
      std::vector<std::string> launched;
      CheckDueList(today.schedules, step.minute, kTomorrow,
                   [&](const std::string& text) { launched.push_back(text); });
      EXPECT_EQ(launched, step.launched) << "tick at minute " << step.minute;
    }
  }
};

TEST_F(NotificationListTest, SchedulesAreGivenOutOnceAtTheirTime) {
  const Step first = {2026, 3, 10, kFirst, 0, {}};
  Walk("lead 30: at 9:30 only", {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {first, Tick(At(9, 29)), Tick(At(9, 30), {"[10:00] Meeting"}), Tick(At(9, 30)),
        Tick(At(10, 0))});
  Walk("lead 0: at the start", {{2026, 3, 10, At(10, 0), 0, "Call"}},
       {first, Tick(At(9, 59)), Tick(At(10, 0), {"[10:00] Call"})});
  Walk("started at 9:45: at once", {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {first, Tick(At(9, 45), {"[10:00] Meeting"}), Tick(At(9, 46))});
  Walk("started at 10:01: nothing", {{2026, 3, 10, At(10, 0), 30, "Meeting"}},
       {first, Tick(At(10, 1))});
  Walk("0:10 tomorrow: at 23:40 as tomorrow's, not after midnight",
       {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {first,
        Tick(At(23, 39)),
        Tick(At(23, 40), {"[" + kTomorrow + "0:10] Train"}),
        {2026, 3, 11, kMidnight, 0, {}},
        Tick(At(0, 0)),
        Tick(At(0, 10))});
  Walk("started at 0:05 for 0:10 with lead 30: at once", {{2026, 3, 11, At(0, 10), 30, "Train"}},
       {{2026, 3, 11, kFirst, 0, {}}, Tick(At(0, 5), {"[0:10] Train"})});
  Walk("1 January 0:10: never", {{2027, 1, 1, At(0, 10), 30, "New year"}},
       {{2026, 12, 31, kFirst, 0, {}},
        Tick(At(23, 40)),
        {2027, 1, 1, kMidnight, 0, {}},
        Tick(At(0, 0))});
  Walk("an edit gives out nothing passed and nothing twice",
       {{2026, 3, 10, At(10, 0), 30, "A"},
        {2026, 3, 10, At(9, 0), 30, "Gone"},
        {2026, 3, 10, At(11, 0), 30, "B"}},
       {first,
        Tick(At(9, 30), {"[10:00] A"}),
        {2026, 3, 10, kEdit, At(9, 30), {}},
        Tick(At(9, 30)),
        {2026, 3, 10, kEdit, At(9, 45), {}},
        Tick(At(9, 45)),
        Tick(At(10, 30), {"[11:00] B"})});
  Walk("two in one minute: the later entry first",
       {{2026, 3, 10, At(10, 0), 0, "First"}, {2026, 3, 10, At(10, 0), 0, "Second"}},
       {first, Tick(At(10, 0), {"[10:00] Second", "[10:00] First"})});
  Walk("notification off: never", {{2026, 3, 10, At(10, 0), ~30, "Quiet"}},
       {first, Tick(At(9, 30)), Tick(At(10, 0))});
  Walk("line breaks and percent signs pass unchanged", {{2026, 3, 10, At(9, 5), 0, "a\r\n100%s"}},
       {first, Tick(At(9, 5), {"[9:05] a\r\n100%s"})});
}

}  // namespace
