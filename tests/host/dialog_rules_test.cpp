// The numbers behind the memo editor's schedule pages and the display settings pages.
#include <gtest/gtest.h>

#include "app/logic/option_rules.h"
#include "app/logic/schedule_rules.h"

TEST(ScheduleRules, TimeFieldsTakeTwoDigitsWithinTheClock) {
  const struct {
    const char* text;
    int highest;
    bool valid;
  } cases[] = {{"0", 23, true},   {"09", 23, true}, {"23", 23, true}, {"24", 23, false},
               {"25", 23, false}, {"59", 59, true}, {"60", 59, false}, {"", 59, false},
               {"-1", 23, false}, {"007", 59, false}, {"99999999999", 23, false}, {"1a", 59, false}};
  for (const auto& c : cases) EXPECT_EQ(TimeFieldValid(c.text, c.highest), c.valid) << c.text;
}

TEST(ScheduleRules, TypedFieldsBecomeStoredTimes) {
  const struct {
    ScheduleFields fields;
    int time, notice, notifyAt;
    bool ownDay;
  } cases[] = {
      {{9, 0, 0, 30, true}, 540, 30, 510, true},
      {{0, 10, 0, 30, true}, 10, 30, -20, false},
      {{0, 10, 0, 30, false}, 10, ~30, -20, true},  // off: the day never matters
      // A negative lead means none; it never flips the notification on or off.
      {{10, 0, 0, -5, true}, 600, 0, 600, true},
      {{10, 0, -1, 0, false}, 600, ~0, 600, true},
  };
  for (const auto& c : cases) {
    const ScheduleTimes times = ScheduleFromFields(c.fields);
    EXPECT_EQ(times.time, c.time);
    EXPECT_EQ(times.notice, c.notice);
    EXPECT_EQ(times.notifyAt, c.notifyAt);
    EXPECT_EQ(NotifiesOnOwnDay(times), c.ownDay) << c.time << " " << c.notice;
  }
  EXPECT_EQ(FieldsFromSchedule(600, ~75).leadMinutes, 15);
  // Asked on 1 January only, and only for a notification on the day before.
  EXPECT_TRUE(AsksYearBoundary(1, 1, false));
  EXPECT_FALSE(AsksYearBoundary(1, 1, true));
  EXPECT_FALSE(AsksYearBoundary(2, 1, false)) << "not on every 1st of a month";
  EXPECT_FALSE(AsksYearBoundary(1, 2, false));
  const int deletions[][3] = {{1, 2, 0}, {0, 2, 0}, {0, 0, -1}, {5, 3, 2}};
  for (const auto& d : deletions) EXPECT_EQ(TabAfterDelete(d[0], d[1]), d[2]);
}

TEST(OptionRules, WeekTitlesBackgroundModesAndReports) {
  const struct {
    const char* title;
    bool valid;
  } titles[] = {{"S M T W T F S", true},   {"S M T W T F", false}, {"S M T W  T F S", false},
                {"S M T W T F S X", false},
                {"S M T W T F S ", false}, {"      ", false},
                // Shift_JIS names; "\x83\x5c" has a 0x5C trail byte that does not cut.
                {"\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x83\x5c", true}};
  for (const auto& t : titles) EXPECT_EQ(IsWeekTitleValid(t.title), t.valid) << t.title;

  const int32_t disable[][2] = {{0, 0},
                                {kNoWallpaper, 0},
                                {kNoWallpaper | kNoTransparent, kNoFill},
                                {kNoFill | kNoTransparent, kNoWallpaper},
                                {kNoWallpaper | kNoFill | kNoTransparent, 0}};
  for (const auto& d : disable) EXPECT_EQ(ModeBitToDisable(d[0]), d[1]) << d[0];
  EXPECT_FALSE(FillRule(kNoFill, true).colour);
  EXPECT_FALSE(FillRule(kNoWallpaper, false).colour);

  ReportedState state;
  EXPECT_FALSE(state.Changes(false));
  EXPECT_TRUE(state.Changes(true));
  EXPECT_FALSE(state.Changes(true));
}
