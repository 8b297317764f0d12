// Layout, heading, weekday row and grid geometry drawn into memory device contexts and read
// back pixel by pixel.
#include "render_fixture.h"

#include "calendar/blit_image.h"
#include "calendar/month_heading.h"
#include "docs/era_table.h"
#include "docs/xml_node.h"

#include <cstdlib>
#include <utility>

namespace render_test {
namespace {

TEST_F(RenderTest, HeadingBeforeTheSeventeenthCenturyKeepsItsYear) {
  settings->MonthExpression.Locale = 1033;
  settings->MonthExpression.Format = "yyyy/MM";
  EXPECT_EQ(app.FormatHeading(2025, 1), "2025/01");
  // The system formats no years before 1601: the year is written in and the date moved.
  EXPECT_EQ(app.FormatHeading(1590, 3), "1590/03");
  settings->MonthExpression.Format = "yyyy MMMM yyyy";
  EXPECT_EQ(app.FormatHeading(1582, 11), "1582 November 1582");
  // Japanese locale, Shift_JIS picture: 2025年 1月.
  settings->MonthExpression.Locale = 1041;
  settings->MonthExpression.Format = kHeadingPicture;
  EXPECT_EQ(app.FormatHeading(2025, 1), "2025\x94\x4e 1\x8c\x8e");
  // A locale the system does not know gives an empty heading.
  settings->MonthExpression.Locale = 0x7777;
  EXPECT_EQ(app.FormatHeading(2025, 1), "");
}

// Shift_JIS: 令和 昭和 平成 未来 年 月 元 ・ （ ）
const std::string kReiwa = "\x97\xdf\x98\x61", kShowa = "\x8f\xba\x98\x61", kHeisei = "\x95\xbd\x90\xac",
                  kNen = "\x94\x4e", kGatsu = "\x8c\x8e", kGan = "\x8c\xb3";

TEST_F(RenderTest, HeadingWritesTheEraItselfAndLeavesTheRestToTheSystem) {
  CMonthForm& form = settings->MonthExpression;
  for (int locale : {0x409, 1041}) {
    form.Locale = locale;
    form.Format = "gge" + kNen + "M" + kGatsu;
    EXPECT_EQ(app.FormatHeading(1989, 1), kShowa + "64" + kNen + "\x81\x45" + kHeisei + kGan + kNen + "1" + kGatsu);
    EXPECT_EQ(app.FormatHeading(1872, 12), "1872" + kNen + "12" + kGatsu) << "no era before 1873";
    form.Format = "MMMM gg";
    EXPECT_EQ(app.FormatHeading(2019, 5), (locale == 0x409 ? "May " : "5\x8c\x8e ") + kReiwa);
  }
  // The year codes give what the system's Gregorian calendar gives.
  for (int year : {1999, 2009, 2026}) {
    const SYSTEMTIME date = {static_cast<WORD>(year), 6, 0, 1, 0, 0, 0, 0};
    char system[64] = {};
    ASSERT_GT(GetDateFormatA(0x409, 0, &date, "y|yy|yyy|yyyy|yyyyy", system, sizeof system), 0);
    form.Format = "y|yy|yyy|yyyy|yyyyy|g";
    EXPECT_EQ(app.FormatHeading(year, 6), std::string(system) + "|" + (year < 2019 ? kHeisei : kReiwa));
  }
}

TEST_F(RenderTest, WindowIsWideEnoughForTheHeadingOfAMonthThatNamesTwoEras) {
  // 令和8年（2026年）12月: the widest heading of this picture is that of January 1989.
  settings->MonthExpression.Format = "gge" + kNen + "\x81\x69yyyy" + kNen + "\x81\x6aM" + kGatsu;
  Show(2026, 12);
  auto width = [&](int year, int month) {
    SIZE size = {};
    const std::string text = app.FormatHeading(year, month);
    GetTextExtentPoint32A(app.composeDC, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  };
  SelectObject(app.composeDC, settings->MonthExpression.Font.Handle);
  EXPECT_GT(width(1989, 1), width(2026, 12) + 40) << "a layout for this month alone would cut it";
  for (const YearMonth& change : EraTable::Instance().EraChangeMonths()) {
    EXPECT_LE(width(change.year, change.month), app.layout.clientWidth - 2 * app.layout.margin) << change.year;
  }
  Navigate(1989, 1);
  SaveCompose(L"render_era_change_month");
}

TEST_F(RenderTest, WindowHoldsButtonsHeadingWeekRowAndSixRows) {
  Show(2025, 1);
  const CalendarLayout& l = app.layout;
  // No button image: plain 24 x 20 buttons.
  EXPECT_FALSE(app.ownerDrawButtons);
  EXPECT_EQ(l.buttonBarHeight, 20);
  EXPECT_EQ(l.gridTop, l.margin + l.buttonBarHeight + l.headingHeight + l.weekRowHeight);
  // The sixth row ends at the bottom edge: nothing of it is cut off.
  EXPECT_EQ(l.gridTop + 6 * l.cellHeight, l.clientHeight);
  // Every column is as wide as a title plus its shadow (or wider for the numbers).
  EXPECT_GE(l.cellWidth, l.weekTitleWidth + settings->HeaderExpression.Font.Shadow);
  EXPECT_GE(l.clientWidth, 7 * l.cellWidth - l.numberBox.w / 2 + 2 * l.margin);
  SaveCompose(L"render_month_test_settings");

  // Without the weekday row the grid moves up and the window is shorter by the row.
  const int withRow = l.clientHeight;
  const int rowHeight = l.weekRowHeight + settings->HeaderExpression.Font.Shadow;
  settings->HeaderExpression.Flag = 0;
  Show(2025, 1);
  EXPECT_EQ(app.layout.clientHeight, withRow - rowHeight);
  EXPECT_EQ(app.layout.gridTop, l.margin + l.buttonBarHeight + l.headingHeight);
}

// Leftmost and rightmost column holding a pixel of colour in a band of rows.
std::pair<int, int> ColumnsOf(HDC dc, int width, int top, int bottom, COLORREF colour) {
  int first = width, last = -1;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < width; ++x) {
      if (GetPixel(dc, x, y) != colour) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  return {first, last};
}

TEST_F(RenderTest, HeadingIsPlacedLeftCentreOrRight) {
  settings->MonthExpression.Color = kRed;
  Show(2025, 1);
  const CalendarLayout& l = app.layout;
  const int top = l.margin + l.buttonBarHeight;
  auto columns = [&] {
    return ColumnsOf(app.composeDC, l.clientWidth, top, top + l.headingHeight + 2, kRed);
  };
  // Centred: as much room on either side, give or take the rounding of the glyphs.
  const auto centred = columns();
  ASSERT_GE(centred.second, centred.first);
  const int leftRoom = centred.first, rightRoom = l.clientWidth - 1 - centred.second;
  EXPECT_LE(std::abs(leftRoom - rightRoom), 4) << leftRoom << " " << rightRoom;
  EXPECT_GT(leftRoom, l.margin + 4);

  settings->MonthExpression.Position = 0;
  app.Redraw();
  const auto left = columns();
  EXPECT_LE(left.first, l.margin + 4);
  EXPECT_LT(left.first, centred.first);

  settings->MonthExpression.Position = 2;
  app.Redraw();
  const auto right = columns();
  // Glyphs keep a few pixels of bearing inside their box.
  EXPECT_GE(right.second, l.clientWidth - l.margin - 8);
  EXPECT_GT(right.first, centred.first);
  EXPECT_GT(right.second, centred.second);

  // A position outside 0 ... 2 from a hand-edited file still draws the heading (left).
  settings->MonthExpression.Position = 0x400;
  app.Redraw();
  EXPECT_EQ(columns().first, left.first);

  // The heading's shadow is drawn down and right of the text in its own colour.
  settings->MonthExpression.Position = 1;
  settings->MonthExpression.Font.Shadow = 2;
  settings->MonthExpression.ShadowColor = kBlue;
  Show(2025, 1);
  const RECT band = {0, top, app.layout.clientWidth, top + app.layout.headingHeight + 2};
  EXPECT_GT(CountColour(band, kBlue), 0);
  EXPECT_GT(CountColour(band, kRed), 0);
  const auto shadow =
      ColumnsOf(app.composeDC, app.layout.clientWidth, top, band.bottom, kBlue);
  EXPECT_GT(shadow.second, columns().second);
}

TEST_F(RenderTest, WeekRowTakesSundayColoursInItsLastColumnWhenMondayComesFirst) {
  CDayDeco* sunday = NewDeco(0x10, 0x10);
  sunday->flags = kDecoColour;
  sunday->colour = kRed;
  CDayDeco* saturday = NewDeco(0x20, 0x20);
  saturday->flags = kDecoColour | kDecoShadow;
  saturday->colour = kBlue;
  saturday->shadowColour = kGreen;
  AddDecoration(sunday);
  AddDecoration(saturday);
  settings->HeaderExpression.Font.Shadow = 1;

  auto titleBox = [&](int column) {
    const CalendarLayout& l = app.layout;
    const int top = l.gridTop - l.weekRowHeight - 1;
    const int left = l.margin + column * l.cellWidth;
    return RECT{left, top, left + l.cellWidth, l.gridTop};
  };

  Show(2025, 1);
  EXPECT_GT(CountColour(titleBox(0), kRed), 0);
  EXPECT_GT(CountColour(titleBox(6), kBlue), 0);
  EXPECT_GT(CountColour(titleBox(6), kGreen), 0);
  EXPECT_EQ(CountColour(titleBox(1), kRed) + CountColour(titleBox(1), kBlue), 0);

  settings->HeaderExpression.StartDayOfWeek = 1;
  Show(2025, 1);
  EXPECT_GT(CountColour(titleBox(6), kRed), 0);
  EXPECT_GT(CountColour(titleBox(5), kBlue), 0);
  EXPECT_EQ(CountColour(titleBox(0), kRed) + CountColour(titleBox(0), kBlue), 0);
  // The grid follows: Sunday 5 January stands in the last column, in red.
  EXPECT_EQ(app.layout.firstCellDay, -1);
  EXPECT_GT(CountColour(CellOf(5), kRed), 0);
  EXPECT_EQ(CellOf(5).left, app.layout.margin + 6 * app.layout.cellWidth);
  SaveCompose(L"render_monday_first");
}

TEST_F(RenderTest, MonthsTakeFourToSixRows) {
  // February 2015 starts on a Sunday and has 28 days: four full rows, nothing below.
  Show(2015, 2);
  const CalendarLayout& l = app.layout;
  EXPECT_EQ(l.firstCellDay, 1);
  const RECT fourRows = {0, l.gridTop, l.clientWidth, l.gridTop + 4 * l.cellHeight};
  const RECT below = {0, l.gridTop + 4 * l.cellHeight, l.clientWidth, l.clientHeight};
  EXPECT_GT(CountNot(fourRows, kWhite), 0);
  EXPECT_EQ(CountNot(below, kWhite), 0);
  EXPECT_GT(CountNot(CellOf(28), kWhite), 0);

  // January 2022 starts on a Saturday: 30 and 31 fill the sixth row.
  Navigate(2022, 1);
  EXPECT_EQ(app.layout.firstCellDay, -5);
  const RECT sixth = {0, l.gridTop + 5 * l.cellHeight, l.clientWidth, l.clientHeight};
  EXPECT_GT(CountNot(sixth, kWhite), 0);
  EXPECT_EQ(CellOf(30).top, l.gridTop + 5 * l.cellHeight);
  EXPECT_GT(CountNot(CellOf(31), kWhite), 0);
}

TEST_F(RenderTest, DayAtPointFindsTheDayUnderTheCursor) {
  Show(2025, 1);  // 1 January 2025 is a Wednesday: three blank cells first
  const CalendarLayout& l = app.layout;
  auto centre = [&](int day) {
    const RECT c = CellOf(day);
    return POINT{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
  };
  EXPECT_EQ(app.DayAtPoint(l.margin - 1, l.gridTop + 5), 0);  // in the left margin
  EXPECT_EQ(app.DayAtPoint(l.margin + 5, l.gridTop - 1), 0);  // on the weekday row
  EXPECT_EQ(app.DayAtPoint(centre(0).x, centre(0).y), 0);     // blank cell before the 1st
  EXPECT_EQ(app.DayAtPoint(centre(1).x, centre(1).y), 1);
  EXPECT_EQ(app.DayAtPoint(CellOf(1).left, CellOf(1).top), 1);
  EXPECT_EQ(app.DayAtPoint(centre(31).x, centre(31).y), 31);
  EXPECT_EQ(app.DayAtPoint(centre(32).x, centre(32).y), 0);  // blank cell after the 31st
  EXPECT_EQ(app.DayAtPoint(l.margin + 7 * l.cellWidth, centre(15).y), 0);

  // After navigation the grid of the new month counts.
  Navigate(2025, 2);  // Saturday the 1st
  EXPECT_EQ(app.DayAtPoint(centre(1).x, centre(1).y), 1);
  EXPECT_EQ(CellOf(1).left, l.margin + 6 * l.cellWidth);
  EXPECT_EQ(app.DayAtPoint(centre(28).x, centre(28).y), 28);
  EXPECT_EQ(app.DayAtPoint(centre(29).x, centre(29).y), 0);
}

TEST_F(RenderTest, ButtonStripSetsButtonSizeAndBarHeight) {
  const std::string strip = TempFolder() + "buttons.bmp";
  WriteBmp(strip, 5 * 22, 4 * 18, [](int, int) { return kWhite; });
  settings->Options.Buttons = strip;
  Layout(2025, 1);
  EXPECT_TRUE(app.ownerDrawButtons);
  EXPECT_EQ(app.buttonWidth, 22);
  EXPECT_EQ(app.buttonHeight, 18);
  EXPECT_EQ(app.layout.buttonBarHeight, 18);
  ASSERT_NE(app.buttonImage, nullptr);
  EXPECT_EQ(GetCurrentObject(app.buttonImageDC, OBJ_BITMAP), app.buttonImage);

  // A second layout (after the display settings change) replaces the strip it loaded.
  settings->Options.Buttons = TempFolder() + "missing.png";
  Layout(2025, 1);
  EXPECT_FALSE(app.ownerDrawButtons);
  EXPECT_EQ(app.buttonImage, nullptr);
  EXPECT_EQ(app.buttonWidth, 24);
  EXPECT_EQ(app.buttonHeight, 20);
  EXPECT_EQ(app.layout.buttonBarHeight, 20);

  // A strip too small to give each button a pixel counts as none.
  WriteBmp(strip, 4, 3, [](int, int) { return kWhite; });
  settings->Options.Buttons = strip;
  Layout(2025, 1);
  EXPECT_FALSE(app.ownerDrawButtons);
  EXPECT_EQ(app.buttonWidth, 24);
}

// A strip column: normal image red on the left half, pressed image blue on the left half,
// both with masks that let the background show on the right half.
COLORREF StripColour(int x, int y, int w, int h) {
  const bool left = (x % w) < w / 2;
  const int row = y / h;
  if (row == 1 || row == 3) return left ? kBlack : kWhite;
  if (!left) return kWhite;
  return row == 0 ? kRed : kBlue;
}

TEST_F(RenderTest, ImageButtonShowsPressedRowsOnlyWhileBeingPressed) {
  const int w = 20, h = 16;
  const std::string strip = TempFolder() + "strip.bmp";
  WriteBmp(strip, 5 * w, 4 * h, [&](int x, int y) { return StripColour(x, y, w, h); });
  settings->Options.Buttons = strip;
  Layout(2025, 1);
  FillBackground(kGreen);
  app.Redraw();

  ImageBtn button;
  button.backgroundDC = app.composeDC;
  button.imageDC = app.buttonImageDC;
  button.rect = RECT{30, 4, 30 + w, 4 + h};
  button.imageX = 2 * w;
  button.imageY = 0;

  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ displaced = SelectObject(target, bitmap);

  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.hDC = target;
  item.rcItem = RECT{0, 0, w, h};
  auto draw = [&](UINT action, UINT state) {
    item.itemAction = action;
    item.itemState = state;
    button.Draw(item);
  };

  draw(ODA_DRAWENTIRE, 0);
  EXPECT_EQ(GetPixel(target, 2, 2), kRed);
  EXPECT_EQ(GetPixel(target, w - 2, h - 2), kGreen);  // background behind the button

  draw(ODA_SELECT, ODS_SELECTED);
  EXPECT_EQ(GetPixel(target, 2, 2), kBlue);
  EXPECT_EQ(GetPixel(target, w - 2, 2), kGreen);

  // Released, or only a focus change while selected: the normal rows.
  draw(ODA_SELECT, 0);
  EXPECT_EQ(GetPixel(target, 2, 2), kRed);
  draw(ODA_FOCUS, ODS_SELECTED | ODS_FOCUS);
  EXPECT_EQ(GetPixel(target, 2, 2), kRed);

  SelectObject(target, displaced);
  DeleteObject(bitmap);
  DeleteDC(target);
}

// The default settings shipped with the program, as a new user first sees the calendar:
// holidays and Sundays red, Saturdays blue, other days white, today framed in orange.
TEST_F(RenderTest, ShippedSettingsMarkHolidaysWeekendsAndToday) {
  constexpr COLORREF kHolidayRed = RGB(255, 90, 90), kSaturdayBlue = RGB(110, 170, 255),
                     kPlainWhite = RGB(255, 255, 255), kTodayOrange = RGB(255, 200, 0);
  const std::wstring path = driver::ProgramPath(L"Settings.xml");
  char ansiPath[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansiPath, MAX_PATH, nullptr, nullptr);
  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, ansiPath), 0) << "the program folder holds no Settings.xml";
  settings = std::make_unique<CSettings>();
  ASSERT_EQ(settings->CXmlItemBase::Load(doc.FirstChildElement()), 0);
  app.settings = settings.get();
  app.options = &settings->Options;
  settings->Options.Buttons.clear();  // the strip lies beside the program, not here
  rules.push_back(NewFixedHoliday(1, 1, kGantan));
  app.homeYear = 2025;
  app.homeMonth = 1;
  app.homeDay = 15;
  // The shipped look is light text with dark shadows over the wallpaper: stand in a plain
  // desktop blue for it.
  const COLORREF desktop = RGB(58, 110, 165);
  Layout(2025, 1);
  FillBackground(desktop);
  app.Redraw();
  SaveCompose(L"render_default_month");

  // 1 January 2025 is a Wednesday and a holiday; the 4th a Saturday, the 5th a Sunday.
  const struct {
    int day;
    COLORREF text, absent;
  } kCases[] = {{1, kHolidayRed, kPlainWhite},   {2, kPlainWhite, kHolidayRed},
                {4, kSaturdayBlue, kHolidayRed}, {5, kHolidayRed, kSaturdayBlue},
                {6, kPlainWhite, kSaturdayBlue}, {15, kPlainWhite, kHolidayRed}};
  for (const auto& c : kCases) {
    // A frame may reach one pixel into the last row and column of the neighbouring cells.
    const RECT cell = CellOf(c.day);
    const RECT inner = {cell.left, cell.top, cell.right - 1, cell.bottom - 1};
    EXPECT_GT(CountColour(inner, c.text), 0) << "day " << c.day;
    EXPECT_EQ(CountColour(inner, c.absent), 0) << "day " << c.day;
    EXPECT_EQ(CountColour(inner, kTodayOrange) > 0, c.day == 15) << "day " << c.day;
  }
  const RECT box = MarkRectOf(15);
  for (POINT p : {POINT{box.left - 1, box.top - 1}, POINT{box.right, box.bottom},
                  POINT{box.left - 1, box.bottom}, POINT{box.right, box.top - 1}}) {
    EXPECT_EQ(Pixel(p.x, p.y), kTodayOrange) << "frame around today at " << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace render_test
