#include "calendar/day_memo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A memo list in the order a file gave it, each memo titled by its day.
void Fill(DateNoteArray& memos, const std::vector<int>& days) {
  for (int day : days) {
    DateNote* note = new DateNote(2024, 1, day);
    note->Title = std::to_string(day);
    memos.push_back(note);
  }
}

TEST(DayMemo, MisplacedMemoHidesOnlyItself) {
  const struct {
    const char* name;
    std::vector<int> order;
    std::vector<int> missed;
  } cases[] = {
      {"in date order", {1, 5, 30, 31}, {}},
      {"31 written before 30", {1, 5, 31, 30}, {31}},
      {"a late memo written first", {31, 1, 5, 30}, {31}},
      {"an early memo written last", {5, 30, 31, 1}, {5, 30, 31}},
      {"no memos", {}, {}},
  };
  for (const auto& c : cases) {
    DateNoteArray memos;
    Fill(memos, c.order);
    for (int day = 1; day <= 31; ++day) {
      const DateNote* found = FindDayMemo(memos, 2024, 1, day);
      bool inList = false, missed = false;
      for (int d : c.order) inList = inList || d == day;
      for (int d : c.missed) missed = missed || d == day;
      if (!inList || missed) {
        EXPECT_EQ(found, nullptr) << c.name << ", day " << day;
        continue;
      }
      ASSERT_NE(found, nullptr) << c.name << ", day " << day;
      EXPECT_EQ(found->Title, std::to_string(day)) << c.name;
    }
  }
}

}  // namespace
