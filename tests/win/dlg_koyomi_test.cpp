// The old calendar in the dialogs: the 暦 page of the display settings and the 六曜 condition
// of the day type editor, driven through their controls.
#include <windows.h>
#include <gtest/gtest.h>

#include "calendar/day_deco.h"
#include "dialogs/dlg_day_edt.h"
#include "dialogs/dlg_option.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_controls.h"

namespace {

using namespace dialogs;

// The page of dialog that holds control id, when it is shown.
HWND ShownPage(HWND dialog, int id) {
  for (HWND page = GetWindow(dialog, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
    if (GetDlgItem(page, id) && IsWindowVisible(page)) return page;
  }
  return nullptr;
}

// Shown with its dialog: the control's own visible style (the dialog itself stays hidden).
bool Styled(HWND dialog, int id) {
  return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

TEST(DlgOptionKoyomi, ThePageEditsTheSettingsAndChecksTheFontSize) {
  CSettings s;
  s.HeaderExpression.WeekTitle = "S M T W T F S";
  for (CFontData* font : {&s.MonthExpression.Font, &s.HeaderExpression.Font, &s.DateExpression.Font}) {
    font->LogFont.lfHeight = -13;
    font->SetFaceName("IPAGothic");
  }
  s.KoyomiExpression.FontSize = 9;
  DlgOption dialog(&s.MonthExpression, &s.HeaderExpression, &s.DateExpression, &s.BackPaint);
  dialog.koyomiForm = &s.KoyomiExpression;
  const INT_PTR result = RunModal(dialog, [](HWND d) {
    EXPECT_FALSE(ShownPage(d, IDC_KOYOMI_TIP_LINE));
    ClickStatic(d, IDC_OPT_LABEL_KOYOMI);
    HWND page = ShownPage(d, IDC_KOYOMI_TIP_LINE);
    ASSERT_TRUE(page) << "the 暦 label shows its page";
    EXPECT_FALSE(ShownPage(d, IDC_FONT_PICK)) << "no font page for the old calendar";
    EXPECT_TRUE(Checked(page, IDC_KOYOMI_TIP_LINE));
    EXPECT_FALSE(Checked(page, IDC_KOYOMI_CELL_LINE)) << "the small line is off by default";
    EXPECT_TRUE(Checked(page, IDC_KOYOMI_SEKKI_NAME));
    EXPECT_EQ(Text(page, IDC_KOYOMI_FONT_SIZE), "9");
    for (const char* bad : {"0", "4", "49", "500", ""}) {
      Type(page, IDC_KOYOMI_FONT_SIZE, bad);
      EXPECT_FALSE(Enabled(d, IDOK)) << bad;
    }
    Type(page, IDC_KOYOMI_FONT_SIZE, "10");
    EXPECT_TRUE(Enabled(d, IDOK));
    Click(page, IDC_KOYOMI_CELL_LINE);
    Click(page, IDC_KOYOMI_TIP_LINE);
    Screenshot(d, L"option_koyomi");
    ClickStatic(d, IDC_OPT_LABEL_DAY);
    EXPECT_FALSE(ShownPage(d, IDC_KOYOMI_TIP_LINE));
    ClickStatic(d, IDC_OPT_LABEL_KOYOMI);
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(s.KoyomiExpression.TipLine, 0);
  EXPECT_EQ(s.KoyomiExpression.CellLine, 1);
  EXPECT_EQ(s.KoyomiExpression.SekkiName, 1);
  EXPECT_EQ(s.KoyomiExpression.FontSize, 10);
  EXPECT_EQ(DlgOption::CurrentCategory(), DlgOption::kKoyomiCategory) << "opens there next time";

  // Cancel leaves the settings as they were.
  DlgOption again(&s.MonthExpression, &s.HeaderExpression, &s.DateExpression, &s.BackPaint);
  again.koyomiForm = &s.KoyomiExpression;
  RunModal(again, [](HWND d) {
    HWND page = ShownPage(d, IDC_KOYOMI_TIP_LINE);
    ASSERT_TRUE(page);
    Click(page, IDC_KOYOMI_SEKKI_NAME);
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(s.KoyomiExpression.SekkiName, 1);
}

TEST(DayEdtRokuyo, TheConditionIsChosenShownAndWritten) {
  // Read from the decoration, offered with the six names, written at OK.
  CDayDeco deco;
  deco.name = "Wedding";
  deco.flags = kDecoColour;
  deco.rokuyo = 6;
  DlgDayEdt dlg;
  dlg.deco = &deco;
  HWND d = dlg.Create(HiddenOwner());
  ASSERT_TRUE(d);
  EXPECT_TRUE(Styled(d, IDC_ROKUYO_COND));
  EXPECT_EQ(Selection(d, IDC_ROKUYO_COND), 6);
  EXPECT_EQ(ComboText(d, IDC_ROKUYO_COND, 1), "\x91\xe5\x88\xc0");  // 大安
  EXPECT_EQ(ComboText(d, IDC_ROKUYO_COND, 6), "\x95\xa7\x96\xc5");  // 仏滅
  Choose(d, IDC_ROKUYO_COND, 1);
  Choose(d, IDC_HOLIDAY_COND, 4);
  Screenshot(d, L"day_type_rokuyo");
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
  EXPECT_EQ(deco.rokuyo, 1);
  EXPECT_EQ(deco.mask, 0xF00u) << "the other conditions as before";

  // "条件なし" clears it; without shown conditions nothing of it is written.
  for (bool shown : {true, false}) {
    deco.rokuyo = 3;
    DlgDayEdt edit;
    edit.deco = &deco;
    edit.showConditions = shown;
    HWND e = edit.Create(HiddenOwner());
    EXPECT_EQ(Styled(e, IDC_ROKUYO_COND), shown);
    EXPECT_EQ(Styled(e, IDC_ROKUYO_LABEL), shown);
    if (shown) Choose(e, IDC_ROKUYO_COND, 0);
    SendMessageA(e, WM_COMMAND, IDOK, 0);
    DestroyWindow(e);
    EXPECT_EQ(deco.rokuyo, 0) << shown;
  }

  // The standard type has no conditions.
  CDayDeco standard;
  standard.name = kDefaultDecoName;
  standard.flags = kDecoAll;
  DlgDayEdt edit;
  edit.deco = &standard;
  HWND e = edit.Create(HiddenOwner());
  EXPECT_FALSE(Enabled(e, IDC_ROKUYO_COND));
  EXPECT_EQ(Selection(e, IDC_ROKUYO_COND), 0);
  SendMessageA(e, WM_COMMAND, IDOK, 0);
  DestroyWindow(e);
  EXPECT_EQ(standard.rokuyo, 0);
}
