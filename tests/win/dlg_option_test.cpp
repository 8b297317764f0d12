// The display settings dialog driven through its controls: categories, the checks that gate
// OK, the background rules, what OK writes back, and that opening it leaks nothing.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dlg_option.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_controls.h"

namespace {

using namespace dialogs;

// Shift_JIS: 日 月 火 水 木 金 土
const char* const kWeekTitles = "\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x93\x79";
// Shift_JIS: 曜日
const char* const kWeekdayLabel = "\x97\x6a\x93\xfa";

void SetFont(CFontData& font, int height, int shadow) {
  font.LogFont = LOGFONTA{};
  font.LogFont.lfHeight = height;
  font.LogFont.lfWeight = FW_NORMAL;
  font.LogFont.lfCharSet = SHIFTJIS_CHARSET;
  font.SetFaceName("IPAGothic");
  font.Shadow = shadow;
}

// The four items as a user's settings file would hold them.
struct Items {
  Items() {
    SetFont(settings.MonthExpression.Font, -16, 1);
    settings.MonthExpression.Format = "yyyy/MM";
    settings.MonthExpression.Position = 1;
    settings.MonthExpression.Color = 0x0000FF;
    settings.MonthExpression.ShadowColor = 0x808080;
    settings.MonthExpression.SpaceY = 4;
    SetFont(settings.HeaderExpression.Font, -12, 0);
    settings.HeaderExpression.WeekTitle = kWeekTitles;
    settings.HeaderExpression.Flag = 1;
    settings.HeaderExpression.SpaceY = 2;
    SetFont(settings.DateExpression.Font, -13, 2);
    settings.DateExpression.SpaceX = 3;
    settings.DateExpression.SpaceY = 5;
    settings.DateExpression.Adjust.Top = -2;
    settings.BackPaint.ColorBack = 0x00FF00;
    settings.BackPaint.ModeUnavail = 0;
  }
  DlgOption Dialog() {
    return DlgOption(&settings.MonthExpression, &settings.HeaderExpression,
                     &settings.DateExpression, &settings.BackPaint);
  }
  CSettings settings;
};

struct PageSearch {
  int controlId;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindPage(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<PageSearch*>(param);
  if (GetParent(child) == nullptr || !GetDlgItem(child, search->controlId)) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(child)) return TRUE;
  search->found = child;
  return FALSE;
}

// The page of dialog that holds control controlId (the visible one when asked).
HWND Page(HWND dialog, int controlId, bool visibleOnly = false) {
  PageSearch search = {controlId, visibleOnly, nullptr};
  EnumChildWindows(dialog, FindPage, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int VisibleFontPages(HWND dialog) {
  int count = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, IDC_FONT_PICK) && IsWindowVisible(child)) ++count;
  }
  return count;
}

std::string VisibleFontPoints(HWND dialog) {
  return Text(Page(dialog, IDC_FONT_PICK, true), IDC_FONT_POINTS);
}

bool OkEnabled(HWND dialog) { return Enabled(dialog, IDOK); }

struct LabelPaint {
  COLORREF back;
  COLORREF text;
  COLORREF brush;
};

// How the dialog asks a static to be painted.
LabelPaint PaintOf(HWND dialog, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
  LOGBRUSH info = {};
  if (brush) GetObjectA(brush, sizeof info, &info);
  LabelPaint paint = {GetBkColor(dc), GetTextColor(dc), brush ? info.lbColor : CLR_INVALID};
  DeleteDC(dc);
  return paint;
}

TEST(DlgOption, OpensOnDaysThenWhereTheUserLeftIt) {
  ASSERT_EQ(DlgOption::CurrentCategory(), 2);
  Items items;
  DlgOption first = items.Dialog();
  RunModal(first, [](HWND dialog) {
    EXPECT_TRUE(Page(dialog, IDC_FORM_ADJUST_TOP, true)) << "day page shown";
    EXPECT_FALSE(Page(dialog, IDC_FORM_WEEK_TITLE, true));
    EXPECT_EQ(VisibleFontPages(dialog), 1);
    EXPECT_EQ(VisibleFontPoints(dialog), "10");  // -13 pixels
    EXPECT_TRUE(OkEnabled(dialog));

    const LabelPaint chosen = PaintOf(dialog, IDC_OPT_LABEL_DAY);
    EXPECT_EQ(chosen.back, 0xFFFFFFu);
    EXPECT_EQ(chosen.text, 0xFF0000u);
    EXPECT_EQ(chosen.brush, 0xFFFFFFu);
    const LabelPaint other = PaintOf(dialog, IDC_OPT_LABEL_HEADER);
    EXPECT_EQ(other.back, 0xC0C0C0u);
    EXPECT_EQ(other.text, 0x000012u);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_BACK_BOX).brush, 0xA0A0A0u);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_UPPER_BOX).brush, 0xA0A0A0u);

    // The current label again: nothing changes, nothing is repainted.
    ValidateRect(dialog, nullptr);
    ClickStatic(dialog, IDC_OPT_LABEL_DAY);
    EXPECT_FALSE(GetUpdateRect(dialog, nullptr, FALSE));

    ClickStatic(dialog, IDC_OPT_LABEL_HEADER);
    EXPECT_TRUE(GetUpdateRect(dialog, nullptr, FALSE));
    EXPECT_TRUE(Page(dialog, IDC_FORM_WEEK_TITLE, true));
    EXPECT_FALSE(Page(dialog, IDC_FORM_ADJUST_TOP, true));
    EXPECT_EQ(VisibleFontPoints(dialog), "9");  // -12 pixels
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_LABEL_HEADER).text, 0xFF0000u);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_LABEL_DAY).back, 0xC0C0C0u);
    EXPECT_EQ(Text(dialog, IDC_OPT_LABEL_HEADER), kWeekdayLabel);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });

  EXPECT_EQ(DlgOption::CurrentCategory(), 1);
  DlgOption second = items.Dialog();
  RunModal(second, [](HWND dialog) {
    EXPECT_TRUE(Page(dialog, IDC_FORM_WEEK_TITLE, true));
    EXPECT_EQ(VisibleFontPages(dialog), 1);
    ClickStatic(dialog, IDC_OPT_BACK_BOX);
    EXPECT_TRUE(Page(dialog, IDC_BACK_NO_FILL, true));
    EXPECT_EQ(VisibleFontPages(dialog), 0);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_BACK_LABEL).text, 0xFF0000u);
    EXPECT_EQ(PaintOf(dialog, IDC_OPT_UPPER_BOX).brush, 0xFFFFFFu);
    ClickStatic(dialog, IDC_OPT_BACK_LABEL);  // the label on the box does not answer clicks
    EXPECT_TRUE(Page(dialog, IDC_BACK_NO_FILL, true));
    ClickStatic(dialog, IDC_OPT_LABEL_MONTH);
    EXPECT_TRUE(Page(dialog, IDC_FORM_FORMAT, true));
    EXPECT_EQ(VisibleFontPoints(dialog), "12");  // -16 pixels
    ClickStatic(dialog, IDC_OPT_LABEL_DAY);
  });
  EXPECT_EQ(DlgOption::CurrentCategory(), 2);
}

TEST(DlgOption, OutOfRangeValuesDisableOkUntilCorrected) {
  struct Case {
    int pageControl;  // a control that identifies the page
    int edit;
    const char* bad;
    const char* good;
  };
  const Case cases[] = {
      {IDC_FONT_PICK, IDC_FONT_SHADOW, "9", "8"},
      {IDC_FONT_PICK, IDC_FONT_SHADOW, "", "0"},
      {IDC_FORM_FORMAT, IDC_FORM_SPACE_Y, "301", "300"},
      {IDC_FORM_WEEK_TITLE, IDC_FORM_SPACE_Y, "301", "0"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_SPACE_Y, "301", "7"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_SPACE_X, "301", "300"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_SPACE_X, "x", "1"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_TOP, "17", "16"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_LEFT, "17", "-16"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_RIGHT, "-17", "-16"},
      {IDC_FORM_ADJUST_TOP, IDC_FORM_ADJUST_BOTTOM, "17", "0"},
      {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W T F", "S M T W T F S"},
      {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W  T F S", kWeekTitles},
      {IDC_FORM_WEEK_TITLE, IDC_FORM_WEEK_TITLE, "S M T W T F S ", kWeekTitles},
  };
  Items items;
  DlgOption dialog = items.Dialog();
  RunModal(dialog, [&](HWND window) {
    ASSERT_TRUE(OkEnabled(window));
    for (const Case& c : cases) {
      HWND page = Page(window, c.pageControl);
      ASSERT_TRUE(page) << c.edit;
      Type(page, c.edit, c.bad);
      EXPECT_FALSE(OkEnabled(window)) << c.edit << " " << c.bad;
      Type(page, c.edit, c.good);
      EXPECT_TRUE(OkEnabled(window)) << c.edit << " " << c.good;
    }
    // Two faults on one page: mending one is not enough.
    HWND header = Page(window, IDC_FORM_WEEK_TITLE);
    Type(header, IDC_FORM_WEEK_TITLE, "S M T");
    Type(header, IDC_FORM_SPACE_Y, "999");
    Type(header, IDC_FORM_WEEK_TITLE, kWeekTitles);
    EXPECT_FALSE(OkEnabled(window));
    Type(header, IDC_FORM_SPACE_Y, "1");
    EXPECT_TRUE(OkEnabled(window));
  });
}

TEST(DlgOption, AnInvalidStoredTitleKeepsOkDisabledFromTheStart) {
  Items items;
  items.settings.HeaderExpression.WeekTitle = "S M T W T F";
  DlgOption dialog = items.Dialog();
  RunModal(dialog, [](HWND window) {
    EXPECT_FALSE(OkEnabled(window));
    Type(Page(window, IDC_FORM_WEEK_TITLE), IDC_FORM_WEEK_TITLE, "a b c d e f g");
    EXPECT_TRUE(OkEnabled(window));
  });
}

TEST(DlgOption, BackgroundModesAndFillColourFollowTheBoxes) {
  Items items;
  DlgOption dialog = items.Dialog();
  const INT_PTR result = RunModal(dialog, [](HWND window) {
    HWND back = Page(window, IDC_BACK_NO_FILL);
    EXPECT_TRUE(Checked(back, IDC_BACK_OWN_COLOR));
    EXPECT_TRUE(Enabled(back, IDC_BACK_PICK_COLOR));
    Click(back, IDC_BACK_NO_WALLPAPER);
    Click(back, IDC_BACK_NO_TRANSPARENT);
    EXPECT_FALSE(Enabled(back, IDC_BACK_NO_FILL));
    EXPECT_TRUE(Enabled(back, IDC_BACK_NO_WALLPAPER));
    Click(back, IDC_BACK_NO_WALLPAPER);
    EXPECT_TRUE(Enabled(back, IDC_BACK_NO_FILL));

    Click(back, IDC_BACK_NO_FILL);
    EXPECT_FALSE(Enabled(back, IDC_BACK_NO_WALLPAPER)) << "fill and transparent ticked";
    for (int id : {IDC_BACK_DESKTOP_COLOR, IDC_BACK_OWN_COLOR, IDC_BACK_SWATCH,
                   IDC_BACK_PICK_COLOR}) {
      EXPECT_FALSE(Enabled(back, id)) << id;
    }
    Click(back, IDC_BACK_NO_FILL);
    EXPECT_TRUE(Enabled(back, IDC_BACK_OWN_COLOR));
    Click(back, IDC_BACK_DESKTOP_COLOR);
    EXPECT_TRUE(Enabled(back, IDC_BACK_OWN_COLOR));
    EXPECT_FALSE(Enabled(back, IDC_BACK_PICK_COLOR));
    EXPECT_FALSE(Enabled(back, IDC_BACK_SWATCH));
    Click(window, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(items.settings.BackPaint.ColorBack, 0x1000000);
  EXPECT_EQ(items.settings.BackPaint.ModeUnavail, 0x4);
}

TEST(DlgOption, OkWritesEveryPageIntoTheLiveItemsAndCancelNothing) {
  Items items;
  const auto edit = [](HWND window) {
    HWND font = Page(window, IDC_FONT_PICK, true);
    Type(font, IDC_FONT_SHADOW, "7");
    HWND month = Page(window, IDC_FORM_FORMAT);
    Type(month, IDC_FORM_FORMAT, "yyyy-M");
    Type(month, IDC_FORM_SPACE_Y, "12");
    SendDlgItemMessageA(month, IDC_FORM_POSITION, CB_SETCURSEL, 2, 0);
    HWND header = Page(window, IDC_FORM_WEEK_TITLE);
    Type(header, IDC_FORM_WEEK_TITLE, "Su Mo Tu We Th Fr Sa");
    Type(header, IDC_FORM_SPACE_Y, "6");
    SendDlgItemMessageA(header, IDC_FORM_WEEK_START, CB_SETCURSEL, 1, 0);
    Click(header, IDC_FORM_SHOW_TITLES);
    HWND day = Page(window, IDC_FORM_ADJUST_TOP);
    Type(day, IDC_FORM_ADJUST_TOP, "3");
    Type(day, IDC_FORM_ADJUST_LEFT, "-4");
    Type(day, IDC_FORM_ADJUST_RIGHT, "5");
    Type(day, IDC_FORM_ADJUST_BOTTOM, "-6");
    Type(day, IDC_FORM_SPACE_X, "250");
    Type(day, IDC_FORM_SPACE_Y, "0");
    HWND back = Page(window, IDC_BACK_NO_FILL);
    Click(back, IDC_BACK_NO_WALLPAPER);
  };

  DlgOption cancelled = items.Dialog();
  EXPECT_EQ(RunModal(cancelled, [&](HWND window) {
              edit(window);
              Click(window, IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_EQ(items.settings.DateExpression.Font.Shadow, 2);
  EXPECT_EQ(items.settings.MonthExpression.Format, "yyyy/MM");
  EXPECT_EQ(items.settings.HeaderExpression.WeekTitle, kWeekTitles);
  EXPECT_EQ(items.settings.DateExpression.SpaceX, 3);
  EXPECT_EQ(items.settings.BackPaint.ModeUnavail, 0);

  DlgOption confirmed = items.Dialog();
  EXPECT_EQ(RunModal(confirmed, [&](HWND window) {
              edit(window);
              Click(window, IDOK);
            }),
            IDOK);
  const CSettings& s = items.settings;
  EXPECT_EQ(s.DateExpression.Font.Shadow, 7);
  EXPECT_EQ(s.DateExpression.Font.LogFont.lfHeight, -13);
  EXPECT_EQ(s.DateExpression.Font.FaceName(), "IPAGothic");
  EXPECT_EQ(s.MonthExpression.Font.Shadow, 1);
  EXPECT_EQ(s.MonthExpression.Format, "yyyy-M");
  EXPECT_EQ(s.MonthExpression.SpaceY, 12);
  EXPECT_EQ(s.MonthExpression.Position, 2);
  EXPECT_EQ(s.MonthExpression.Color, 0x0000FF);
  EXPECT_EQ(s.MonthExpression.ShadowColor, 0x808080);
  EXPECT_EQ(s.HeaderExpression.WeekTitle, "Su Mo Tu We Th Fr Sa");
  EXPECT_EQ(s.HeaderExpression.SpaceY, 6);
  EXPECT_EQ(s.HeaderExpression.StartDayOfWeek, 1);
  EXPECT_EQ(s.HeaderExpression.Flag, 0);
  EXPECT_EQ(s.DateExpression.Adjust.Top, 3);
  EXPECT_EQ(s.DateExpression.Adjust.Left, -4);
  EXPECT_EQ(s.DateExpression.Adjust.Right, 5);
  EXPECT_EQ(s.DateExpression.Adjust.Bottom, -6);
  EXPECT_EQ(s.DateExpression.SpaceX, 250);
  EXPECT_EQ(s.DateExpression.SpaceY, 0);
  EXPECT_EQ(s.BackPaint.ModeUnavail, 0x1);
  EXPECT_EQ(s.BackPaint.ColorBack, 0x00FF00);
}

TEST(DlgOption, AStartDayOutsideTheChoicesIsKeptWhenUntouched) {
  Items items;
  items.settings.HeaderExpression.StartDayOfWeek = 5;
  items.settings.MonthExpression.Position = 7;
  DlgOption dialog = items.Dialog();
  RunModal(dialog, [](HWND window) { Click(window, IDOK); });
  EXPECT_EQ(items.settings.HeaderExpression.StartDayOfWeek, 5);
  EXPECT_EQ(items.settings.MonthExpression.Position, 7);
}

TEST(DlgOption, ScreenshotsOfTheFourCategories) {
  Items items;
  DlgOption dialog = items.Dialog();
  RunModal(dialog, [](HWND window) {
    const struct {
      int label;
      const wchar_t* name;
    } shots[] = {{IDC_OPT_LABEL_MONTH, L"option_month"},
                 {IDC_OPT_LABEL_HEADER, L"option_weekday"},
                 {IDC_OPT_LABEL_DAY, L"option_day"},
                 {IDC_OPT_BACK_BOX, L"option_background"}};
    for (const auto& shot : shots) {
      ClickStatic(window, shot.label);
      if (shot.label == IDC_OPT_BACK_BOX) {
        HWND back = Page(window, IDC_BACK_NO_FILL);
        Click(back, IDC_BACK_NO_WALLPAPER);
        Click(back, IDC_BACK_NO_TRANSPARENT);
      }
      Screenshot(window, shot.name);
    }
    ClickStatic(window, IDC_OPT_LABEL_DAY);
  });
}

TEST(DlgOption, OpeningAndCancellingFiftyTimesLeaksNothing) {
  Items items;
  // Created modeless and never shown: every top-level window hidden under Wine on a bare X
  // server costs a two-second wait, and showing adds nothing the dialog itself allocates.
  const auto openAndCancel = [&] {
    DlgOption dialog = items.Dialog();
    ASSERT_TRUE(dialog.Create(HiddenOwner()));
    ClickStatic(dialog.hwnd, IDC_OPT_BACK_BOX);
    ClickStatic(dialog.hwnd, IDC_OPT_LABEL_DAY);
    SendMessageA(dialog.hwnd, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(dialog.hwnd);
  };
  openAndCancel();
  const int gdi = LiveGdiObjects();
  const int windows = LiveWindows();
  for (int i = 0; i < 50; ++i) openAndCancel();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(LiveWindows(), windows);

  // The counts do see a leak.
  HBRUSH leaked = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(LiveGdiObjects(), gdi + 1);
  DeleteObject(leaked);
  DlgOption kept = items.Dialog();
  ASSERT_TRUE(kept.Create(HiddenOwner()));
  EXPECT_GT(LiveWindows(), windows + 7) << "dialog, seven pages and their controls";
  DestroyWindow(kept.hwnd);
  EXPECT_EQ(LiveWindows(), windows);
}

}  // namespace
