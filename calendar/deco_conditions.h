// The three conditions the decoration editor offers (today, weekday, holiday), as positions
// in their choice lists, and how they map onto a decoration's check and mask words.
#pragma once

#include <cstdint>

struct DecoConditions {
  // 0 no condition, 1 today, 2 any day but today.
  int today = 0;
  // 0 no condition, 1 Saturday, 2 Sunday, 3 Monday to Friday.
  int weekday = 0;
  // 0 no condition, 1 national holiday, 2 substitute holiday, 3 other holiday, 4 no holiday,
  // 5 to 8 the personal and other tables 10 to 13.
  int holiday = 0;
};

// The choices that show a stored condition. A holiday condition the list cannot show reads
// as no condition.
DecoConditions ReadConditions(uint32_t check, uint32_t mask);

// The check and mask words of the chosen conditions (no condition adds nothing).
void WriteConditions(const DecoConditions& conditions, uint32_t& check, uint32_t& mask);
