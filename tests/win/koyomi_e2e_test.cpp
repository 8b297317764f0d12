// The old calendar through the real program, what no drawing test in this process can show:
// the program's string table, its settings file and its tooltip control together. The tips of
// the month shown carry the 暦 line under their holiday names, and a day type "大安" written
// into Settings.xml is drawn on the screen on exactly the 大安 days. Pictures:
// koyomi_calendar (the small line on), koyomi_tooltip (a day's tip) and koyomi_taian.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

// The project headers come first: the shell headers bring a COM XMLDocument of their own.
#include "calendar/koyomi.h"
#include "calendar/koyomi_text.h"
#include "calendar/koyomi_view.h"
#include "docs/data_folder.h"
#include "docs/xml_node.h"
#include "resources/zanto_resource.h"
#include "support/driver.h"
#include "support/steered_calendar.h"

namespace {

constexpr COLORREF kTaianMark = RGB(255, 0, 255);

int DaysInMonth(int year, int month) {
  return DayNumber(month == 12 ? year + 1 : year, month % 12 + 1, 1) - DayNumber(year, month, 1);
}

class KoyomiE2e : public steered::SteeredCalendarTest {
 protected:
  KoyomiE2e() : SteeredCalendarTest("zanto koyomi ", steered::SteeredCalendar::Data::kShippedSettings) {}

  // Adds to the shipped settings in the data folder: the small line on, and with taian a
  // day type "大安" with a square mark, first in the list.
  void EditSettings(bool taian) {
    XMLDocument doc;
    ASSERT_EQ(LoadXmlFile(doc, SettingsPath), 0);
    XMLElement* root = doc.RootElement();
    XMLElement* koyomi = root->InsertNewChildElement("KoyomiExpression");
    koyomi->InsertNewChildElement("CellLine")->InsertNewText("1");
    if (taian) {
      XMLElement* list = root->FirstChildElement("DayDecoDef");
      ASSERT_NE(list, nullptr);
      XMLElement* deco = doc.NewElement("DayDeco");
      deco->SetAttribute("name", "Taian");
      XMLElement* mark = deco->InsertNewChildElement("Mark");
      mark->InsertNewChildElement("Type")->InsertNewText("1");
      mark->InsertNewChildElement("Color")->InsertNewText(FormatHex(kTaianMark, 6).c_str());
      deco->InsertNewChildElement("Rokuyo")->InsertNewText("1");
      list->InsertFirstChild(deco);
    }
    ASSERT_EQ(SaveXmlFile(doc, SettingsPath), 0);
  }

  void Shot(const wchar_t* name) {
    UpdateWindow(window);
    zanto.WaitForIdle(5000);
    driver::SaveScreenshot(window, name);
  }

  // The screen rectangle of day's cell in the month shown.
  RECT CellOnScreen(int day) const {
    const int y = today.wYear, m = today.wMonth;
    // The pitch: a row from the 1st to the 8th; a column from two days side by side (of the
    // first seven, all neighbours but one are in the same row).
    const int h = DayCell(y, m, 8).y - DayCell(y, m, 1).y;
    int w = h * 100;
    for (int d = 1; d < 7; ++d) w = std::min<int>(w, std::abs(DayCell(y, m, d + 1).x - DayCell(y, m, d).x));
    POINT topLeft = DayCell(y, m, day);
    topLeft.x -= w / 2;
    topLeft.y -= h / 2;
    ClientToScreen(window, &topLeft);
    return RECT{topLeft.x, topLeft.y, topLeft.x + w, topLeft.y + h};
  }
};

TEST_F(KoyomiE2e, EveryTipOfTheMonthEndsWithItsKoyomiLine) {
  ASSERT_NO_FATAL_FAILURE(EditSettings(false));
  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  const int days = DaysInMonth(today.wYear, today.wMonth);
  const std::vector<std::string> tips = Tips();
  ASSERT_EQ(static_cast<int>(tips.size()), days) << "one tip for every day";
  // The names as the program reads them from its string table (linked into this test too).
  KoyomiView view;
  const KoyomiNames& names = view.Names();
  int named = 0;
  for (int day = 1; day <= days; ++day) {
    const std::string line = KoyomiTipLine(KoyomiOf(today.wYear, today.wMonth, day), names, true);
    ASSERT_FALSE(line.empty());
    const std::string& tip = tips[day - 1];
    EXPECT_EQ(tip.substr(tip.size() - std::min(tip.size(), line.size())), line) << day;
    // A holiday's name stays first, the line below it.
    if (tip != line) {
      EXPECT_EQ(tip.substr(0, 1), "[") << day;
      EXPECT_EQ(tip.substr(tip.size() - line.size() - 2, 2), "\r\n") << day;
      ++named;
    }
  }
  EXPECT_EQ(ToolCount(), named);
  Shot(L"koyomi_calendar");

  // The tip of the day under the pointer, as a user sees it.
  POINT point = DayCell(today.wYear, today.wMonth, today.wDay);
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
  Sleep(300);
  SetCursorPos(point.x + 1, point.y);
  Sleep(1500);
  // Around the day, kept on the screen: pixels beyond its edge cannot be read under Wine.
  RECT area = {point.x - 150, point.y - 110, point.x + 250, point.y + 60};
  OffsetRect(&area, std::min<LONG>(0, GetSystemMetrics(SM_CXSCREEN) - area.right),
             std::max<LONG>(0, -area.top));
  driver::SaveScreenArea(area, driver::ArtifactsFolder() + L"koyomi_tooltip.bmp");
  SetCursorPos(0, 0);
  CloseAndExpectExitCodeZero();
}

TEST_F(KoyomiE2e, ATaianDayTypeIsDrawnOnExactlyTheTaianDays) {
  ASSERT_NO_FATAL_FAILURE(EditSettings(true));
  SetClock(10, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  Tick();
  UpdateWindow(window);
  zanto.WaitForIdle(5000);
  Sleep(300);
  int taianDays = 0;
  for (int day = 1; day <= DaysInMonth(today.wYear, today.wMonth); ++day) {
    const bool taian = KoyomiOf(today.wYear, today.wMonth, day).rokuyo == kTaian;
    taianDays += taian;
    int marked = 0;
    for (DWORD pixel : driver::ScreenPixels(CellOnScreen(day))) {
      marked += (pixel & 0xFFFFFF) == 0xFF00FF;
    }
    EXPECT_EQ(marked > 20, taian) << day << ": " << marked << " mark pixels";
  }
  EXPECT_GE(taianDays, 4);
  Shot(L"koyomi_taian");
  CloseAndExpectExitCodeZero();
}

}  // namespace
