// The heading in 和暦 through the real program: what no smaller test catches is that the eras of
// the holiday tables opened at start-up reach the heading the calendar draws. The personal table
// (Holidays02.xml) adds an era from 2031-01-01, and January 2031 then reads 未来元年1月 instead
// of 令和13年1月, with nothing but the heading changed (pictures era_heading_change_month of
// January 1989 and era_heading_sixth_era).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "docs/data_folder.h"
#include "support/steered_calendar.h"
#include "tests/common/test_files.h"

namespace {

class EraHeadingE2E : public steered::SteeredCalendarTest {
 protected:
  EraHeadingE2E() : SteeredCalendarTest("zanto era ", steered::SteeredCalendar::Data::kShippedSettings) {}

  // The heading in 和暦: gge年M月 for the shipped yyyy年M月.
  void SetUp() override {
    SteeredCalendarTest::SetUp();
    std::string settings = ReadFile(SettingsPath);
    const size_t at = settings.find("<Format>yyyy");
    ASSERT_NE(at, std::string::npos) << "the shipped heading picture";
    WriteFile(SettingsPath, settings.replace(at + 8, 4, "gge"));
  }

  // Steps from this month to year/month with the keys, as a user would.
  void Show(int year, int month) {
    const int years = year - today.wYear, months = month - today.wMonth;
    Send(WM_KEYDOWN, VK_SPACE, 1);
    if (years) Send(WM_KEYDOWN, years > 0 ? VK_DOWN : VK_UP, std::abs(years));
    if (months) Send(WM_KEYDOWN, months > 0 ? VK_RIGHT : VK_LEFT, std::abs(months));
    UpdateWindow(window);
    zanto.WaitForIdle(5000);
  }

  // January 2031 with the given era list in the personal table.
  std::vector<DWORD> January2031(const std::string& eras, bool pictures) {
    WriteFile(DataFolder + "Holidays02.xml", "<HolidayTable><Holidays/>" + eras + "</HolidayTable>");
    Start();
    Show(1989, 1);
    if (pictures) driver::SaveScreenshot(window, L"era_heading_change_month");
    Show(2031, 1);
    const std::vector<DWORD> pixels = driver::SettledWindowPixels(window);
    if (pictures) driver::SaveScreenshot(window, L"era_heading_sixth_era");
    width = driver::ClientRect(window).right;
    CloseAndExpectExitCodeZero();
    return pixels;
  }

  long width = 0;
};

TEST_F(EraHeadingE2E, AnEraAddedByAHolidayTableNamesItsFirstYearInTheHeading) {
  const std::vector<DWORD> reiwa = January2031("", false);
  const long reiwaWidth = width;
  // 未来, a sixth era.
  const std::vector<DWORD> mirai =
      January2031("<Eras><Era name=\"\x96\xa2\x97\x88\" year=\"2031\" month=\"1\" date=\"1\"/></Eras>", true);
  ASSERT_TRUE(width == reiwaWidth && mirai.size() == reiwa.size()) << "the window keeps its size";
  // The heading differs; the day grid, in the lower half, does not.
  const auto half = static_cast<std::ptrdiff_t>(mirai.size() / 2 / width * width);
  EXPECT_NE(std::vector<DWORD>(mirai.begin(), mirai.begin() + half),
            std::vector<DWORD>(reiwa.begin(), reiwa.begin() + half));
  EXPECT_EQ(std::vector<DWORD>(mirai.begin() + half, mirai.end()),
            std::vector<DWORD>(reiwa.begin() + half, reiwa.end()));
}

}  // namespace
