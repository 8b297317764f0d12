// The power-saving corner with its once-a-minute reset, and the numbering of the shortcut
// files run at suspend and resume.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/power_save_stop.h"
#include "app/logic/shortcut_series.h"

namespace {

// Two monitors side by side; the nearest one answers.
bool TwoMonitors(int x, int, RECT& monitor) {
  monitor = x < 1920 ? RECT{0, 0, 1920, 1080} : RECT{1920, -200, 3200, 824};
  return true;
}

TEST(PowerSaveCorner, SeventeenColumnsAtTheLeftAndTopSixteenAtTheRightAndBottom) {
  const RECT primary = {0, 0, 1920, 1080};
  const struct {
    int x, y;
    bool in;
  } cases[] = {{16, 0, true},      {17, 0, false},      {0, 16, true},
               {0, 17, false},     {1904, 0, true},     {1903, 0, false},
               {1919, 1079, true}, {1919, 1063, false}, {960, 540, false}};
  for (const auto& c : cases)
    EXPECT_EQ(InScreenCorner(c.x, c.y, primary), c.in) << c.x << "," << c.y;
}

TEST(PowerSaveCorner, ResetsAbout58SecondsAfterThePointerCameToRestAndLeavingRestarts) {
  PowerSaveStop stop;
  stop.enabled = 1;
  stop.stamp = 1000;
  // A tick every 2 s, resting in the top-right corner of the primary monitor.
  std::vector<int> resets;
  for (int s = 1000; s <= 1130; s += 2) {
    if (PowerSaveCheck(stop, s, 1919, 0, TwoMonitors)) resets.push_back(s);
  }
  EXPECT_EQ(resets, (std::vector<int>{1058, 1116}));
  EXPECT_TRUE(PowerSaveCheck(stop, 1174, 1915, 3, TwoMonitors)) << "moving inside keeps the count";
  EXPECT_FALSE(PowerSaveCheck(stop, 1180, 960, 540, TwoMonitors));
  EXPECT_FALSE(PowerSaveCheck(stop, 1237, 1925, -195, TwoMonitors)) << "between the screens";
  EXPECT_TRUE(PowerSaveCheck(stop, 1238, 1925, -195, TwoMonitors)) << "58 s after leaving";
  stop.stamp = 86390;
  EXPECT_TRUE(PowerSaveCheck(stop, 48, 1925, -195, TwoMonitors)) << "counted across midnight";
  stop.enabled = 0;
  EXPECT_FALSE(PowerSaveCheck(stop, 5000, 1925, -195, TwoMonitors));
}

TEST(PowerSaveCorner, APointerAtTheOriginFromTheStartIsInACorner) {
  PowerSaveStop stop;
  stop.enabled = 1;
  int resets = 0;
  for (int s = 0; s <= 60; s += 2) resets += PowerSaveCheck(stop, s, 0, 0, TwoMonitors) ? 1 : 0;
  EXPECT_EQ(resets, 1);
}

TEST(ShortcutSeries, RunsEachNumberInTurnUntilTheFirstMissingOne) {
  // Present: 01, 02 (which fails to start) and 04.
  std::vector<std::string> opened;
  RunShortcutSeries("C:\\Z\\", "Suspend%02d.lnk", [&](const std::string& path) {
    opened.push_back(path);
    if (path.find("01") != std::string::npos || path.find("04") != std::string::npos)
      return intptr_t{42};
    return path.find("02") != std::string::npos ? intptr_t{31} : kShellFileNotFound;
  });
  EXPECT_EQ(opened, (std::vector<std::string>{"C:\\Z\\Suspend01.lnk", "C:\\Z\\Suspend02.lnk",
                                              "C:\\Z\\Suspend03.lnk"}));
  EXPECT_EQ(ShortcutPath("", "Resume%02d.lnk", 100), "Resume100.lnk");
}

}  // namespace
