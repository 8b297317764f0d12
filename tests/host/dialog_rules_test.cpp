// The numbers behind the memo editor's schedule pages and the display settings pages.
#include <gtest/gtest.h>

#include "app/logic/option_rules.h"
#include "app/logic/schedule_rules.h"

namespace {

TEST(ScheduleRules, FieldsBecomeStoredTimesAndComeBackUnchanged) {
  struct Case {
    ScheduleFields fields;
    int time, notice, notifyAt;
    bool ownDay;
  };
  const Case cases[] = {
      {{9, 0, 0, 30, true}, 540, 30, 510, true},
      {{0, 10, 0, 30, true}, 10, 30, -20, false},
      // Notification off keeps the complement of the lead time; the day never matters.
      {{0, 10, 0, 30, false}, 10, ~30, -20, true},
      {{23, 59, 23, 59, true}, 1439, 1439, 0, true},
      {{0, 0, 0, 0, false}, 0, ~0, 0, true},
      // A negative lead means none; it never flips the notification on or off.
      {{10, 0, 0, -5, true}, 600, 0, 600, true},
      {{10, 0, -1, 0, true}, 600, 0, 600, true},
      {{10, 0, 0, -5, false}, 600, ~0, 600, true},
  };
  for (const Case& c : cases) {
    const ScheduleTimes times = ScheduleFromFields(c.fields);
    EXPECT_EQ(times.time, c.time);
    EXPECT_EQ(times.notice, c.notice);
    EXPECT_EQ(times.notifyAt, c.notifyAt);
    EXPECT_EQ(NotifiesOnOwnDay(times), c.ownDay) << c.time << " " << c.notice;
    if (c.fields.leadHours < 0 || c.fields.leadMinutes < 0) continue;
    const ScheduleFields back = FieldsFromSchedule(times.time, times.notice);
    EXPECT_EQ(back.startHour, c.fields.startHour);
    EXPECT_EQ(back.startMinute, c.fields.startMinute);
    EXPECT_EQ(back.leadHours, c.fields.leadHours);
    EXPECT_EQ(back.leadMinutes, c.fields.leadMinutes);
    EXPECT_EQ(back.notify, c.fields.notify);
  }
}

TEST(ScheduleRules, TabsAreNumberedOnceAndDeletionSelectsTheOneBefore) {
  ScheduleCounter counter;
  EXPECT_EQ(counter.Next(), 1);
  EXPECT_EQ(counter.Next(), 2);
  EXPECT_EQ(counter.Next(), 3);
  EXPECT_EQ(counter.Next(), 4);

  const int cases[][3] = {{1, 2, 0}, {0, 2, 0}, {0, 0, -1}, {2, 2, 1}, {5, 3, 2}};
  for (const auto& c : cases) EXPECT_EQ(TabAfterDelete(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST(OptionRules, RangeChecksAndWeekTitles) {
  EXPECT_TRUE(IsValueValid(true, 300, 0, kSpaceMax));
  EXPECT_FALSE(IsValueValid(true, 301, 0, kSpaceMax));
  EXPECT_FALSE(IsValueValid(false, 0, 0, kSpaceMax));
  EXPECT_TRUE(IsValueValid(true, -16, -kAdjustLimit, kAdjustLimit));
  EXPECT_FALSE(IsValueValid(true, 17, -kAdjustLimit, kAdjustLimit));
  EXPECT_FALSE(IsValueValid(true, 9, 0, kShadowMax));

  const struct {
    const char* title;
    bool valid;
  } titles[] = {
      {"S M T W T F S", true},
      {"S M T W T F", false},
      {"S M T W  T F S", false},
      {"S M T W T F S ", false},
      {" S M T W T F", false},
      {"      ", false},
      // "\x93\xfa" is the Shift_JIS Sunday; "\x83\x5c" has a 0x5C trail byte, not a cut.
      {"\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x83\x5c", true},
      {"", false},
  };
  for (const auto& t : titles) EXPECT_EQ(IsWeekTitleValid(t.title), t.valid) << t.title;
}

TEST(OptionRules, BackgroundModesAndFillColour) {
  const int32_t disable[][2] = {
      {0, 0},
      {kNoWallpaper, 0},
      {kNoWallpaper | kNoTransparent, kNoFill},
      {kNoWallpaper | kNoFill, kNoTransparent},
      {kNoFill | kNoTransparent, kNoWallpaper},
      {kNoWallpaper | kNoFill | kNoTransparent, 0},
  };
  for (const auto& d : disable) EXPECT_EQ(ModeBitToDisable(d[0]), d[1]) << d[0];

  const struct {
    int32_t unavailable;
    bool own, radios, colour;
  } fills[] = {
      {0, true, true, true},
      {0, false, true, false},
      {kNoFill, true, false, false},
      {kNoWallpaper, true, true, true},
  };
  for (const auto& f : fills) {
    const FillControlStates states = FillRule(f.unavailable, f.own);
    EXPECT_EQ(states.radios, f.radios);
    EXPECT_EQ(states.colour, f.colour);
  }
  EXPECT_EQ(ColorBackFrom(true, 0x123456), 0x1000000);
  EXPECT_EQ(ColorBackFrom(false, 0x123456), 0x123456);
}

TEST(OptionRules, PagesReportChangesOnlyAndOkNeedsAllSix) {
  ReportedState state;
  EXPECT_FALSE(state.Changes(false));
  EXPECT_TRUE(state.Changes(true));
  EXPECT_FALSE(state.Changes(true));
  EXPECT_TRUE(state.Changes(false));

  PageValidity validity;
  for (int page = 0; page < PageValidity::kPages; ++page) {
    EXPECT_FALSE(validity.AllValid()) << page;
    validity.Set(page, true);
  }
  EXPECT_TRUE(validity.AllValid());
  validity.Set(4, false);
  EXPECT_FALSE(validity.AllValid());
  validity.Set(PageValidity::kPages, true);
  validity.Set(-1, true);
  EXPECT_FALSE(validity.AllValid());
  validity.Set(4, true);
  EXPECT_TRUE(validity.AllValid());
}

}  // namespace
