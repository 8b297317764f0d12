#include <gtest/gtest.h>

#include "calendar/deco_conditions.h"

namespace {

// Words from settings files read as the choices shown; every choice offered reads back as itself.
TEST(DecoConditions, StoredWordsShowTheirChoicesAndChoicesRoundTrip) {
  const uint32_t stored[][3] = {{0x1, 0x1, 100},    {0, 0x1, 200},       {0x10, 0x10, 20},   {0x40, 0x70, 30},
                                {0, 0x0F00, 4},     {0x8000, 0x8000, 8}, {0x100, 0x100, 0},  {0x3000, 0x3000, 4},
                                {0x921, 0x1, 100}};
  for (const auto& s : stored) {
    const DecoConditions c = ReadConditions(s[0], s[1]);
    EXPECT_EQ(c.today * 100 + c.weekday * 10 + c.holiday, static_cast<int>(s[2])) << std::hex << s[0] << "/" << s[1];
  }
  for (int choices = 0; choices < 300; ++choices) {
    const DecoConditions written{choices / 100, choices / 10 % 10, choices % 10};
    if (written.weekday > 3 || written.holiday > 8) continue;
    uint32_t check = 0, mask = 0;
    WriteConditions(written, check, mask);
    EXPECT_EQ(check & ~mask, 0u) << "a check bit outside the mask never matches";
    const DecoConditions c = ReadConditions(check, mask);
    EXPECT_EQ(c.today * 100 + c.weekday * 10 + c.holiday, choices);
  }
}

}  // namespace
