#include <gtest/gtest.h>

#include "calendar/deco_conditions.h"

namespace {

struct Stored {
  uint32_t check;
  uint32_t mask;
  DecoConditions shown;
};

// What the editor shows for words found in settings files, including ones it never writes.
TEST(DecoConditions, StoredWordsShowTheirChoices) {
  const Stored cases[] = {
      {0, 0, {0, 0, 0}},
      {0x1, 0x1, {1, 0, 0}},
      {0, 0x1, {2, 0, 0}},
      {0x20, 0x20, {0, 1, 0}},
      {0x10, 0x10, {0, 2, 0}},
      {0, 0x30, {0, 3, 0}},
      {0x40, 0x40, {0, 3, 0}},
      {0x900, 0x900, {0, 0, 1}},
      {0xA00, 0xA00, {0, 0, 2}},
      {0xC00, 0xC00, {0, 0, 3}},
      {0, 0x0F00, {0, 0, 4}},
      {0x1000, 0x1000, {0, 0, 5}},
      {0x8000, 0x8000, {0, 0, 8}},
      // A holiday word of no row with day-off bits reads as no condition...
      {0x100, 0x100, {0, 0, 0}},
      // ...one without day-off bits as "no holiday".
      {0x3000, 0x3000, {0, 0, 4}},
      // Holiday and weekday bits are ignored while the mask does not test them.
      {0x920, 0x1, {2, 0, 0}},
      {0x1 | 0x20 | 0xA00, 0x1 | 0x20 | 0xA00, {1, 1, 2}},
  };
  for (const Stored& c : cases) {
    const DecoConditions shown = ReadConditions(c.check, c.mask);
    EXPECT_EQ(shown.today, c.shown.today) << std::hex << c.check << "/" << c.mask;
    EXPECT_EQ(shown.weekday, c.shown.weekday) << std::hex << c.check << "/" << c.mask;
    EXPECT_EQ(shown.holiday, c.shown.holiday) << std::hex << c.check << "/" << c.mask;
  }
}

TEST(DecoConditions, MondayToFridayTestsSaturdayAndSundayOnly) {
  uint32_t check = 0, mask = 0;
  WriteConditions({0, 3, 0}, check, mask);
  EXPECT_EQ(check, 0u);
  EXPECT_EQ(mask, 0x30u);
}

// Every choice the editor offers reads back as itself once written.
TEST(DecoConditions, EveryCombinationOfChoicesReadsBackUnchanged) {
  for (int today = 0; today < 3; ++today) {
    for (int weekday = 0; weekday < 4; ++weekday) {
      for (int holiday = 0; holiday < 9; ++holiday) {
        uint32_t check = 0, mask = 0;
        WriteConditions({today, weekday, holiday}, check, mask);
        EXPECT_EQ(check & ~mask, 0u) << "a check bit outside the mask never matches";
        const DecoConditions back = ReadConditions(check, mask);
        EXPECT_EQ(back.today, today);
        EXPECT_EQ(back.weekday, weekday);
        EXPECT_EQ(back.holiday, holiday);
      }
    }
  }
}

TEST(DecoConditions, ChoicesOutsideTheListsAddNothing) {
  uint32_t check = 0, mask = 0;
  WriteConditions({-1, 4, 9}, check, mask);
  EXPECT_EQ(check, 0u);
  EXPECT_EQ(mask, 0u);
}

}  // namespace
