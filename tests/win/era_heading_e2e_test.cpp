// The heading in 和暦 through the real program: what no smaller test catches is that the eras of
// the holiday tables opened at start-up reach the heading the calendar draws. The user's own
// table (Holidays02.xml) adds an era from 2031-01-01; January 2031 then reads 未来元年1月
// instead of 令和13年1月, and nothing but the heading changes. Pictures: era_heading_reiwa (this
// month), era_heading_change_month (January 1989), era_heading_sixth_era (January 2031).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "docs/data_folder.h"
#include "support/driver.h"
#include "support/steered_calendar.h"
#include "tests/common/test_files.h"

namespace {

// Shift_JIS pictures: the shipped yyyy年M月 and gge年M月.
const std::string kShippedPicture = "<Format>yyyy\x94\x4eM\x8c\x8e</Format>";
const std::string kEraPicture = "<Format>gge\x94\x4eM\x8c\x8e</Format>";

std::string PersonalTable(const std::string& eras) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<HolidayTable><Version>1</Version>"
         "<Holidays><Holiday type=\"1\" kind=\"10\" name=\"x\"><Month>1</Month><Day>20</Day></Holiday>"
         "</Holidays>" + eras + "</HolidayTable>\r\n";
}

class EraHeadingE2E : public steered::SteeredCalendarTest {
 protected:
  EraHeadingE2E() : SteeredCalendarTest("zanto era ", steered::SteeredCalendar::Data::kShippedSettings) {}

  void SetUp() override {
    SteeredCalendarTest::SetUp();
    std::string settings = ReadFile(SettingsPath);
    const size_t at = settings.find(kShippedPicture);
    ASSERT_NE(at, std::string::npos) << "the shipped heading picture";
    settings.replace(at, kShippedPicture.size(), kEraPicture);
    WriteFile(SettingsPath, settings);
  }

  // Shows year/month from this month with the keys, as a user steps there.
  void Show(int year, int month) {
    Send(WM_KEYDOWN, VK_SPACE, MAKELPARAM(1, 0));
    const int years = year - today.wYear, months = month - today.wMonth;
    if (years) Send(WM_KEYDOWN, years > 0 ? VK_DOWN : VK_UP, MAKELPARAM(std::abs(years), 0));
    if (months) Send(WM_KEYDOWN, months > 0 ? VK_RIGHT : VK_LEFT, MAKELPARAM(std::abs(months), 0));
  }

  std::vector<DWORD> Look(const wchar_t* picture) {
    UpdateWindow(window);
    zanto.WaitForIdle(5000);
    std::vector<DWORD> pixels = driver::SettledWindowPixels(window);
    if (picture) driver::SaveScreenshot(window, picture);
    return pixels;
  }

  // January 2031 with the personal table given.
  std::vector<DWORD> January2031(const std::string& table, bool morePictures) {
    WriteFile(DataFolder + "Holidays02.xml", table);
    Start();
    if (morePictures) {
      Look(L"era_heading_reiwa");
      Show(1989, 1);
      Look(L"era_heading_change_month");
    }
    Show(2031, 1);
    const std::vector<DWORD> pixels = Look(morePictures ? L"era_heading_sixth_era" : nullptr);
    const RECT rect = driver::WindowRect(window);
    width = rect.right - rect.left;
    CloseAndExpectExitCodeZero();
    return pixels;
  }

  int width = 0;
};

TEST_F(EraHeadingE2E, AnEraAddedByAHolidayTableNamesItsFirstYearInTheHeading) {
  const std::vector<DWORD> reiwa = January2031(PersonalTable(""), false);
  const int reiwaWidth = width;
  // 未来, a sixth era.
  const std::vector<DWORD> mirai =
      January2031(PersonalTable("<Eras><Era name=\"\x96\xa2\x97\x88\" year=\"2031\" month=\"1\" date=\"1\"/></Eras>"),
                  true);
  ASSERT_EQ(width, reiwaWidth) << "the window keeps its size";
  ASSERT_EQ(mirai.size(), reiwa.size());
  // The heading differs; the day grid, from below the heading down, does not.
  const size_t gridStart = mirai.size() / 2 / static_cast<size_t>(width) * static_cast<size_t>(width);
  EXPECT_NE(std::vector<DWORD>(mirai.begin(), mirai.begin() + gridStart),
            std::vector<DWORD>(reiwa.begin(), reiwa.begin() + gridStart));
  EXPECT_EQ(std::vector<DWORD>(mirai.begin() + gridStart, mirai.end()),
            std::vector<DWORD>(reiwa.begin() + gridStart, reiwa.end()));
}

}  // namespace
