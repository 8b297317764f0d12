// The power-saving corner and its once-a-minute reset, and the numbering of the shortcut
// files run at suspend and resume.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/power_save_stop.h"
#include "app/logic/shortcut_series.h"

namespace {

RECT Rect(int left, int top, int right, int bottom) {
  RECT r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

const RECT kPrimary = Rect(0, 0, 1920, 1080);
const RECT kSecond = Rect(1920, -200, 3200, 824);

// Two monitors side by side; the nearest one answers.
bool TwoMonitors(int x, int, RECT& monitor) {
  monitor = x < 1920 ? kPrimary : kSecond;
  return true;
}

TEST(PowerSaveCorner, SeventeenColumnsAtTheLeftAndTopSixteenAtTheRightAndBottom) {
  struct Case {
    int x, y;
    RECT monitor;
    bool inCorner;
  };
  const Case cases[] = {
      {16, 0, kPrimary, true},      {17, 0, kPrimary, false},    {0, 16, kPrimary, true},
      {0, 17, kPrimary, false},     {1904, 0, kPrimary, true},   {1903, 0, kPrimary, false},
      {1919, 1079, kPrimary, true}, {1919, 1063, kPrimary, false}, {960, 0, kPrimary, false},
      {960, 540, kPrimary, false},  {1920, -200, kSecond, true}, {3199, 823, kSecond, true},
      {1936, 824, kSecond, true},   {1937, 824, kSecond, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InScreenCorner(c.x, c.y, c.monitor), c.inCorner) << c.x << "," << c.y;
  }
}

TEST(PowerSaveCorner, ResetsAfter58SecondsAndAboutEveryMinuteWhileThePointerRests) {
  PowerSaveStop stop;
  stop.enabled = 1;
  stop.stamp = 1000;
  int lookups = 0;
  auto monitors = [&](int x, int y, RECT& monitor) {
    ++lookups;
    return TwoMonitors(x, y, monitor);
  };
  // Ticks every 2 seconds with the pointer resting in the top-right corner.
  std::vector<int> resets;
  for (int s = 1000; s <= 1130; s += 2) {
    if (PowerSaveCheck(stop, s, 1919, 0, monitors)) resets.push_back(s);
  }
  EXPECT_EQ(resets, (std::vector<int>{1058, 1116}));
  EXPECT_EQ(lookups, 1) << "the monitor is looked up only when the pointer moves";

  // Moving inside the corner keeps the count; leaving it restarts the count.
  EXPECT_FALSE(PowerSaveCheck(stop, 1140, 1910, 5, monitors));
  EXPECT_TRUE(PowerSaveCheck(stop, 1174, 1915, 3, monitors));
  EXPECT_FALSE(PowerSaveCheck(stop, 1180, 960, 540, monitors));
  EXPECT_FALSE(PowerSaveCheck(stop, 1200, 0, 0, monitors));
  EXPECT_FALSE(PowerSaveCheck(stop, 1237, 0, 0, monitors));
  EXPECT_TRUE(PowerSaveCheck(stop, 1238, 0, 0, monitors)) << "58 s after the last check outside";

  // A rest across midnight counts on over 0:00.
  stop.stamp = 86390;
  EXPECT_FALSE(PowerSaveCheck(stop, 86398, 0, 0, monitors));
  EXPECT_TRUE(PowerSaveCheck(stop, 48, 0, 0, monitors));

  // Switched off: nothing, whatever the pointer does.
  stop.enabled = 0;
  stop.stamp = 0;
  EXPECT_FALSE(PowerSaveCheck(stop, 5000, 0, 0, monitors));
}

TEST(PowerSaveCorner, CornersOfEveryMonitorCount) {
  PowerSaveStop stop;
  stop.enabled = 1;
  // The top-left corner of the second monitor lies between the two screens.
  EXPECT_FALSE(PowerSaveCheck(stop, 0, 1925, -195, TwoMonitors));
  EXPECT_EQ(stop.inCorner, 1);
  EXPECT_TRUE(PowerSaveCheck(stop, 58, 1925, -195, TwoMonitors));
  // No monitor found: the last known rectangle stands.
  auto none = [](int, int, RECT&) { return false; };
  EXPECT_FALSE(PowerSaveCheck(stop, 60, 3199, 823, none));
  EXPECT_EQ(stop.inCorner, 1);
}

TEST(ShortcutSeries, RunsEachNumberInTurnUntilTheFirstMissingOne) {
  struct Case {
    std::vector<std::string> present;
    std::vector<std::string> failing;
    std::vector<std::string> opened;
  };
  const std::string folder = "C:\\Zanto\\";
  const Case cases[] = {
      {{}, {}, {"Suspend01.lnk"}},
      {{"Suspend01.lnk", "Suspend02.lnk"}, {}, {"Suspend01.lnk", "Suspend02.lnk", "Suspend03.lnk"}},
      // A gap ends the series: 03 is never reached.
      {{"Suspend01.lnk", "Suspend03.lnk"}, {}, {"Suspend01.lnk", "Suspend02.lnk"}},
      // One that exists but fails to start does not end it.
      {{"Suspend01.lnk", "Suspend02.lnk"}, {"Suspend01.lnk"},
       {"Suspend01.lnk", "Suspend02.lnk", "Suspend03.lnk"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> opened;
    const int found = RunShortcutSeries(folder, "Suspend%02d.lnk", [&](const std::string& path) {
      const std::string name = path.substr(folder.size());
      opened.push_back(name);
      for (const std::string& f : c.failing) if (f == name) return intptr_t{31};
      for (const std::string& p : c.present) if (p == name) return intptr_t{42};
      return kShellFileNotFound;
    });
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(found, static_cast<int>(c.opened.size()) - 1);
  }
  EXPECT_EQ(ShortcutPath(folder, "Resume%02d.lnk", 7), folder + "Resume07.lnk");
  EXPECT_EQ(ShortcutPath(folder, "Resume%02d.lnk", 100), folder + "Resume100.lnk");
}

}  // namespace
