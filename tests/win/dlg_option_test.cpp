// The display settings dialog driven through its controls.
#include <windows.h>
#include <gtest/gtest.h>

#include "dialogs/dlg_option.h"
#include "docs/era_table.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_controls.h"

namespace {

using namespace dialogs;

// Shift_JIS: 日 月 火 水 木 金 土
const char* const kWeekTitles = "\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x93\x79";

// The four items as a user's settings file holds them.
struct Items {
  Items() {
    const int heights[] = {-16, -12, -13};
    CFontData* fonts[] = {&s.MonthExpression.Font, &s.HeaderExpression.Font, &s.DateExpression.Font};
    for (int i = 0; i < 3; ++i) {
      fonts[i]->LogFont.lfHeight = heights[i];
      fonts[i]->SetFaceName("IPAGothic");
      fonts[i]->Shadow = i;
    }
    s.MonthExpression.Format = "yyyy/MM";
    s.MonthExpression.Color = 0x0000FF;
    s.HeaderExpression.WeekTitle = kWeekTitles;
    s.HeaderExpression.Flag = 1;
    s.DateExpression.SpaceX = 3;
    s.BackPaint.ColorBack = 0x00FF00;
    s.BackPaint.ModeUnavail = 0;
  }
  DlgOption Dialog() {
    return DlgOption(&s.MonthExpression, &s.HeaderExpression, &s.DateExpression, &s.BackPaint);
  }
  INT_PTR Run(const std::function<void(HWND)>& script) {
    DlgOption dialog = Dialog();
    return RunModal(dialog, script);
  }
  CSettings s;
};

// The page of dialog that holds control id (the shown one when asked).
HWND Page(HWND dialog, int id, bool shownOnly = false) {
  for (HWND page = GetWindow(dialog, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
    if (GetDlgItem(page, id) && (!shownOnly || IsWindowVisible(page))) return page;
  }
  return nullptr;
}

// Background and text colour the dialog sets for a static, and its brush's colour.
std::vector<COLORREF> PaintOf(HWND dialog, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORSTATIC, (WPARAM)dc,
                                                     (LPARAM)GetDlgItem(dialog, id)));
  LOGBRUSH info = {};
  GetObjectA(brush, sizeof info, &info);
  std::vector<COLORREF> paint = {GetBkColor(dc), GetTextColor(dc), info.lbColor};
  DeleteDC(dc);
  return paint;
}

const std::vector<COLORREF> kChosen = {0xFFFFFF, 0xFF0000, 0xFFFFFF};
const std::vector<COLORREF> kLabel = {0xC0C0C0, 0x000012, 0xC0C0C0};
const std::vector<COLORREF> kBox = {0xA0A0A0, 0x000012, 0xA0A0A0};

TEST(DlgOption, CategoriesOpenOnDaysThenWhereTheUserLeft) {
  ASSERT_EQ(DlgOption::CurrentCategory(), 2);
  Items items;
  items.Run([](HWND dialog) {
    EXPECT_TRUE(Page(dialog, IDC_FORM_ADJUST_TOP, true));
    EXPECT_EQ(Text(Page(dialog, IDC_FONT_PICK, true), IDC_FONT_POINTS), "10");  // -13 pixels
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_LABEL_DAY), kChosen);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_LABEL_HEADER), kLabel);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_BACK_BOX), kBox);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_UPPER_BOX), kBox);
    ValidateRect(dialog, nullptr);
    ClickStatic(dialog, IDC_OPT_LABEL_DAY);
    EXPECT_FALSE(GetUpdateRect(dialog, nullptr, FALSE)) << "the current label repaints nothing";
    ClickStatic(dialog, IDC_OPT_LABEL_HEADER);
    EXPECT_TRUE(GetUpdateRect(dialog, nullptr, FALSE));
    EXPECT_FALSE(Page(dialog, IDC_FORM_ADJUST_TOP, true));
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_LABEL_DAY), kLabel);
  });
  items.Run([](HWND dialog) {
    EXPECT_TRUE(Page(dialog, IDC_FORM_WEEK_TITLE, true)) << "opens where the user left it";
    EXPECT_EQ(Text(Page(dialog, IDC_FONT_PICK, true), IDC_FONT_POINTS), "9");
    Screenshot(dialog, L"option_weekday");
    ClickStatic(dialog, IDC_OPT_LABEL_MONTH);
    EXPECT_EQ(Text(Page(dialog, IDC_FONT_PICK, true), IDC_FONT_POINTS), "12");
    Screenshot(dialog, L"option_month");
    ClickStatic(dialog, IDC_OPT_BACK_BOX);
    EXPECT_FALSE(Page(dialog, IDC_FONT_PICK, true)) << "no font page for the background";
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_BACK_LABEL), kChosen);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_UPPER_BOX), kChosen);
    HWND back = Page(dialog, IDC_BACK_NO_FILL, true);
    Click(back, IDC_BACK_NO_WALLPAPER);
    Click(back, IDC_BACK_NO_TRANSPARENT);
    Screenshot(dialog, L"option_background");
    ClickStatic(dialog, IDC_OPT_LABEL_DAY);
    Screenshot(dialog, L"option_day");
  });
  EXPECT_EQ(DlgOption::CurrentCategory(), 2);
}

TEST(DlgOption, OutOfRangeValuesDisableOkUntilCorrected) {
  const struct {
    int page, edit;
    const char *bad, *good;
  } cases[] = {{IDC_FONT_PICK, IDC_FONT_SHADOW, "9", "8"},
               {IDC_FORM_FORMAT, IDC_FORM_SPACE_Y, "301", "300"},
               {IDC_FORM_WEEK_TITLE, IDC_FORM_SPACE_Y, "301", "0"},
               {IDC_FORM_ADJUST_TOP, IDC_FORM_SPACE_Y, "x", "7"},
               {IDC_FORM_ADJUST_TOP, IDC_FORM_SPACE_X, "301", "300"},
               {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_TOP, "17", "16"},
               {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_RIGHT, "-17", "-16"},
               {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W T F", "S M T W T F S"},
               {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W  T F S", kWeekTitles},
               {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W T F S ", kWeekTitles}};
  Items items;
  items.s.HeaderExpression.WeekTitle = "S M T";
  items.Run([&](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, IDOK)) << "a stored title of three names";
    Type(Page(dialog, IDC_FORM_WEEK_TITLE), IDC_FORM_WEEK_TITLE, kWeekTitles);
    EXPECT_TRUE(Enabled(dialog, IDOK));
    for (const auto& c : cases) {
      Type(Page(dialog, c.page), c.edit, c.bad);
      EXPECT_FALSE(Enabled(dialog, IDOK)) << c.edit << " " << c.bad;
      Type(Page(dialog, c.page), c.edit, c.good);
      EXPECT_TRUE(Enabled(dialog, IDOK)) << c.edit << " " << c.good;
    }
  });
}

TEST(DlgOption, OkWritesTheEditsIntoTheItemsAndCancelNothing) {
  Items items;
  items.s.HeaderExpression.StartDayOfWeek = 5;  // outside the choices: kept as it is
  const auto edit = [](HWND dialog, int closeWith) {
    Type(Page(dialog, IDC_FONT_PICK, true), IDC_FONT_SHADOW, "7");
    HWND month = Page(dialog, IDC_FORM_FORMAT);
    Type(month, IDC_FORM_FORMAT, "yyyy-M");
    Choose(month, IDC_FORM_POSITION, 2);
    HWND header = Page(dialog, IDC_FORM_WEEK_TITLE);
    Type(header, IDC_FORM_WEEK_TITLE, "Su Mo Tu We Th Fr Sa");
    Click(header, IDC_FORM_SHOW_TITLES);
    HWND day = Page(dialog, IDC_FORM_ADJUST_TOP);
    Type(day, IDC_FORM_ADJUST_LEFT, "-4");
    Type(day, IDC_FORM_SPACE_X, "250");
    HWND back = Page(dialog, IDC_BACK_NO_FILL);
    Click(back, IDC_BACK_NO_WALLPAPER);
    Click(back, IDC_BACK_NO_TRANSPARENT);
    EXPECT_FALSE(Enabled(back, IDC_BACK_NO_FILL));
    Click(back, IDC_BACK_NO_WALLPAPER);
    EXPECT_TRUE(Enabled(back, IDC_BACK_NO_FILL));
    Click(back, IDC_BACK_NO_FILL);
    for (int id : {IDC_BACK_DESKTOP_COLOR, IDC_BACK_OWN_COLOR, IDC_BACK_SWATCH, IDC_BACK_PICK_COLOR})
      EXPECT_FALSE(Enabled(back, id)) << id;
    Click(back, IDC_BACK_NO_FILL);
    Click(back, IDC_BACK_DESKTOP_COLOR);
    EXPECT_FALSE(Enabled(back, IDC_BACK_PICK_COLOR));
    Click(dialog, closeWith);
  };
  EXPECT_EQ(items.Run([&](HWND dialog) { edit(dialog, IDCANCEL); }), IDCANCEL);
  EXPECT_EQ(items.s.DateExpression.Font.Shadow, 2);
  EXPECT_EQ(items.s.HeaderExpression.WeekTitle, kWeekTitles);
  EXPECT_EQ(items.s.BackPaint.ColorBack, 0x00FF00);

  EXPECT_EQ(items.Run([&](HWND dialog) { edit(dialog, IDOK); }), IDOK);
  const CSettings& s = items.s;
  EXPECT_EQ(s.DateExpression.Font.Shadow, 7);
  EXPECT_EQ(s.DateExpression.Font.LogFont.lfHeight, -13);
  EXPECT_EQ(s.MonthExpression.Font.Shadow, 0);
  EXPECT_EQ(s.MonthExpression.Format, "yyyy-M");
  EXPECT_EQ(s.MonthExpression.Position, 2);
  EXPECT_EQ(s.MonthExpression.Color, 0x0000FF);
  EXPECT_EQ(s.HeaderExpression.WeekTitle, "Su Mo Tu We Th Fr Sa");
  EXPECT_EQ(s.HeaderExpression.StartDayOfWeek, 5);
  EXPECT_EQ(s.HeaderExpression.Flag, 0);
  EXPECT_EQ(s.DateExpression.Adjust.Left, -4);
  EXPECT_EQ(s.DateExpression.SpaceX, 250);
  EXPECT_EQ(s.BackPaint.ModeUnavail, kNoTransparent);
  EXPECT_EQ(s.BackPaint.ColorBack, 0x1000000) << "the desktop colour, whatever the swatch shows";
}

TEST(DlgOption, HeadingFormsFillThePictureAndTheFreePictureStays) {
  // Shift_JIS pictures: yyyy年M月 and gge年（yyyy年）M月.
  const std::string western = "yyyy\x94\x4eM\x8c\x8e";
  const std::string eraFirst = "gge\x94\x4e\x81\x69yyyy\x94\x4e\x81\x6aM\x8c\x8e";
  SYSTEMTIME today;
  GetLocalTime(&today);
  Items items;
  items.s.MonthExpression.Format = western;
  items.Run([&](HWND dialog) {
    ClickStatic(dialog, IDC_OPT_LABEL_MONTH);
    HWND page = Page(dialog, IDC_FORM_HEADING_FORMS, true);
    ASSERT_TRUE(page);
    EXPECT_EQ(Selection(page, IDC_FORM_HEADING_FORMS), 0) << "the shipped picture is the first form";
    // Each form as this month reads in it; the last entry is the free picture.
    const std::string month = std::to_string(today.wMonth) + "\x8c\x8e";
    EXPECT_EQ(ComboText(page, IDC_FORM_HEADING_FORMS, 0), std::to_string(today.wYear) + "\x94\x4e" + month);
    EXPECT_EQ(ComboText(page, IDC_FORM_HEADING_FORMS, 1), EraYearText(EraTable(), today.wYear, today.wMonth, 1) + month);
    EXPECT_EQ(ComboText(page, IDC_FORM_HEADING_FORMS, 4), "\x8e\xa9\x97\x52\x8c\x60\x8e\xae");
    Choose(page, IDC_FORM_HEADING_FORMS, 2);
    EXPECT_EQ(Text(page, IDC_FORM_FORMAT), eraFirst);
    Screenshot(dialog, L"option_month_era_forms");
    Type(page, IDC_FORM_FORMAT, "ggee/MM");
    EXPECT_EQ(Selection(page, IDC_FORM_HEADING_FORMS), 4) << "a picture of the user's own";
    Choose(page, IDC_FORM_HEADING_FORMS, 4);
    EXPECT_EQ(Text(page, IDC_FORM_FORMAT), "ggee/MM") << "the free picture keeps what was typed";
    Type(page, IDC_FORM_FORMAT, eraFirst);
    EXPECT_EQ(Selection(page, IDC_FORM_HEADING_FORMS), 2);
    EXPECT_TRUE(Checked(page, IDC_FORM_GANNEN)) << "元年 is on by default";
    Click(page, IDC_FORM_GANNEN);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(items.s.MonthExpression.Format, eraFirst);
  EXPECT_EQ(items.s.MonthExpression.Gannen, 0);
}

TEST(DlgOption, OpeningAndCancellingFiftyTimesLeaksNothing) {
  Items items;
  // Modeless and never shown: hiding a shown window costs two seconds under Wine here.
  ExpectFiftyOpeningsLeakNothing([&] {
    DlgOption dialog = items.Dialog();
    dialog.Create(HiddenOwner());
    ClickStatic(dialog.hwnd, IDC_OPT_BACK_BOX);
    ClickStatic(dialog.hwnd, IDC_OPT_LABEL_DAY);
    SendMessageA(dialog.hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_GT(LiveWindows(), 8) << "dialog, seven pages and their controls";
    DestroyWindow(dialog.hwnd);
  });
}

}  // namespace
