// The old calendar in the picture: the 暦 line of the day tips, the small line under the day
// numbers, drawn into memory by the program's own drawing code (the 大安 day type is drawn by the
// real program in koyomi_e2e_test).
#include <gtest/gtest.h>

#include <string>

#include "calendar/koyomi.h"
#include "render_fixture.h"

namespace render_test {
namespace {

// Shift_JIS texts of the program's string table.
const std::string kKyureki = "\x8b\x8c\x97\xef";                 // 旧暦
const std::string kTomobikiText = "\x97\x46\x88\xf8";                // 友引
const std::string kTaisetsuText = "\x91\xe5\x90\xe1";                // 大雪
const std::string kTaianText = "\x91\xe5\x88\xc0";                   // 大安
const std::string kLeap = "\x89\x5b";                            // 閏
const std::string kMonthWord = "\x8c\x8e", kDayWord = "\x93\xfa";  // 月, 日

class KoyomiRenderTest : public RenderTest {
 protected:
  // The text of the tip over day's cell; "-" when the day has none.
  std::string TipOf(int day) const {
    const RECT cell = CellOf(day);
    for (const Tool& tool : Tools(app.tooltip)) {
      if (EqualRect(&tool.rect, &cell)) return tool.text;
    }
    return "-";
  }
};

TEST_F(KoyomiRenderTest, EveryDayGetsTheKoyomiLineBelowItsHolidayAndMemo) {
  settings->KoyomiExpression.TipLine = 1;
  rules.push_back(NewFixedHoliday(12, 23, "Holiday"));
  AddMemo(2026, 12, 24, "memo");
  Show(2026, 12);

  ASSERT_EQ(Tools(app.tooltip).size(), 31u) << "with the line on, every day has a tip";
  EXPECT_EQ(TipOf(7), kKyureki + "10" + kMonthWord + "29" + kDayWord + " " + kTomobikiText + " " +
                          kTaisetsuText);
  EXPECT_EQ(TipOf(23).substr(0, 15), "[Holiday]\r\n" + kKyureki);
  EXPECT_EQ(TipOf(24).substr(0, 10), "memo\r\n" + kKyureki);

  // Without the names, the 大雪 goes; without the line, only the holiday and the memo stay.
  settings->KoyomiExpression.SekkiName = 0;
  app.Redraw();
  EXPECT_EQ(TipOf(7), kKyureki + "10" + kMonthWord + "29" + kDayWord + " " + kTomobikiText);
  settings->KoyomiExpression.TipLine = 0;
  app.Redraw();
  EXPECT_EQ(Tools(app.tooltip).size(), 2u);
  EXPECT_EQ(TipOf(24), "memo");

  // A leap month, and a month outside the old calendar's range: no line, never a wrong one.
  settings->KoyomiExpression.TipLine = 1;
  Navigate(2033, 12);
  EXPECT_EQ(TipOf(22), kKyureki + kLeap + "11" + kMonthWord + "1" + kDayWord + " " + kTaianText);
  Navigate(2101, 1);
  EXPECT_TRUE(Tools(app.tooltip).empty());
}

TEST_F(KoyomiRenderTest, TheSmallLineMakesTheCellsTallerAndShowsUnderEveryNumber) {
  constexpr COLORREF kLineColour = RGB(0, 128, 64);
  Layout(2026, 12);
  const CalendarLayout off = app.layout;
  settings->KoyomiExpression.CellLine = 1;
  settings->KoyomiExpression.Color = kLineColour;
  settings->KoyomiExpression.FontSize = 9;
  Show(2026, 12);
  const CalendarLayout on = app.layout;
  ASSERT_GT(on.subLineBox.h, 10);
  EXPECT_EQ(on.cellHeight, off.cellHeight + on.subLineBox.h);
  EXPECT_EQ(on.clientHeight, off.clientHeight + 6 * on.subLineBox.h);
  SaveCompose(L"koyomi_cell_line");

  // Every day has its line, in its colour, under the number and not over it; the 大雪 day
  // shows the term instead of its 六曜.
  auto lineOf = [&](int day) {
    const RECT cell = CellOf(day);
    return RECT{cell.left + on.subLineBox.x, cell.top + on.subLineBox.y,
                cell.left + on.subLineBox.x + on.subLineBox.w,
                cell.top + on.subLineBox.y + on.subLineBox.h};
  };
  for (int day = 1; day <= 31; ++day) {
    EXPECT_GT(CountColour(lineOf(day), kLineColour), 5) << day;
    const RECT number = {CellOf(day).left, CellOf(day).top, CellOf(day).right, lineOf(day).top};
    EXPECT_EQ(CountColour(number, kLineColour), 0) << day;
  }
  // 7 December is 友引 and 大雪; 1 December is 友引 too: the pictures of their lines differ.
  ASSERT_EQ(KoyomiOf(2026, 12, 1).rokuyo, kTomobiki);
  auto linePixels = [&](int day) {
    std::string bits;
    const RECT r = lineOf(day);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) bits += Pixel(x, y) == kLineColour ? '1' : '0';
    }
    return bits;
  };
  EXPECT_NE(linePixels(7), linePixels(1));
  ASSERT_EQ(KoyomiOf(2026, 12, 12).rokuyo, kTomobiki);
  EXPECT_EQ(linePixels(12), linePixels(1)) << "12 December is 友引 as well";

  // Off again: the cells are as before.
  settings->KoyomiExpression.CellLine = 0;
  Layout(2026, 12);
  EXPECT_EQ(app.layout.cellHeight, off.cellHeight);
  EXPECT_EQ(app.layout.subLineBox.h, 0);
}

}  // namespace
}  // namespace render_test
