// The old calendar's settings ("KoyomiExpression") and the 六曜 condition of the day types:
// defaults, what a hand-edited file may hold, and the cell's small line in the layout.
#include <gtest/gtest.h>

#include <string>

#include "calendar/day_deco.h"
#include "calendar/layout.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "temp_data_folder.h"

namespace {

class KoyomiSettingsTest : public TempDataFolder {
 protected:
  void WriteSettings(const std::string& xml) const { WriteFile("Settings.xml", xml); }
};

void LoadForm(CKoyomiForm& form, const std::string& children) {
  XMLDocument doc;
  const std::string xml = "<KoyomiExpression>" + children + "</KoyomiExpression>";
  EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
  form.Load(doc.RootElement());
}

CDayDeco DecoOf(const std::string& children) {
  XMLDocument doc;
  const std::string xml = "<DayDeco><Color>0000ff</Color>" + children + "</DayDeco>";
  EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
  CDayDeco deco;
  deco.Load(doc.RootElement());
  return deco;
}

}  // namespace

TEST_F(KoyomiSettingsTest, AFileWithoutTheElementGetsTheDefaultsAndKeepsItsOwnElements) {
  WriteSettings("<S><Options><DelayPopup>5</DelayPopup></Options></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  const CKoyomiForm& k = settings.KoyomiExpression;
  EXPECT_EQ(k.TipLine, 1);
  EXPECT_EQ(k.CellLine, 0);
  EXPECT_EQ(k.SekkiName, 1);
  EXPECT_EQ(k.FontSize, kKoyomiFontDefault);
  EXPECT_EQ(k.Color, kKoyomiColorDefault);

  settings.KoyomiExpression.CellLine = 1;
  settings.KoyomiExpression.FontSize = 10;
  settings.KoyomiExpression.Color = 0x123456;
  ASSERT_EQ(settings.SaveDisplayForms(), 0);
  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  EXPECT_EQ(back.KoyomiExpression.CellLine, 1);
  EXPECT_EQ(back.KoyomiExpression.FontSize, 10);
  EXPECT_EQ(back.KoyomiExpression.Color, 0x123456);
  EXPECT_EQ(back.KoyomiExpression.TipLine, 1);
  EXPECT_EQ(back.Options.DelayPopup, 5);
}

TEST(KoyomiForm, HandEditedValuesOutOfRangeReadAsTheDefaults) {
  struct Case {
    const char* children;
    int tip, cell, sekki, size, colour;
  };
  const int d = kKoyomiFontDefault, c = kKoyomiColorDefault;
  const Case cases[] = {
      {"<TipLine>0</TipLine><CellLine>1</CellLine><SekkiName>0</SekkiName>", 0, 1, 0, d, c},
      {"<FontSize>12</FontSize><Color>00ff00</Color>", 1, 0, 1, 12, 0x00ff00},
      {"<FontSize>0</FontSize>", 1, 0, 1, d, c},
      {"<FontSize>500</FontSize>", 1, 0, 1, d, c},
      {"<FontSize>-8</FontSize>", 1, 0, 1, d, c},
      {"<FontSize>8pt</FontSize>", 1, 0, 1, d, c},
      {"<FontSize>99999999999999999999</FontSize>", 1, 0, 1, d, c},
      {"<Color>red</Color>", 1, 0, 1, d, c},
      {"<Color>ffffffff</Color>", 1, 0, 1, d, c},
      {"<Color>-1</Color>", 1, 0, 1, d, c},
      {"<Color></Color><FontSize/>", 1, 0, 1, d, c},
      {"<TipLine>9</TipLine><CellLine>yes</CellLine><SekkiName>-1</SekkiName>", 1, 0, 1, d, c},
      {"<Unknown>1</Unknown><CellLine> 1 </CellLine>", 1, 1, 1, d, c},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.children);
    CKoyomiForm form;
    LoadForm(form, k.children);
    EXPECT_EQ(form.TipLine, k.tip);
    EXPECT_EQ(form.CellLine, k.cell);
    EXPECT_EQ(form.SekkiName, k.sekki);
    EXPECT_EQ(form.FontSize, k.size);
    EXPECT_EQ(form.Color, k.colour);
  }
  EXPECT_EQ(KoyomiFontHeight(8), -11);
  EXPECT_EQ(KoyomiFontHeight(9), -12);
  EXPECT_EQ(KoyomiFontHeight(0), KoyomiFontHeight(kKoyomiFontDefault));
}

TEST(RokuyoCondition, StoredAsAnOptionalElementAndReadStrictly) {
  EXPECT_EQ(DecoOf("").rokuyo, 0);
  EXPECT_EQ(DecoOf("<Rokuyo>1</Rokuyo>").rokuyo, 1);
  EXPECT_EQ(DecoOf("<Rokuyo>6</Rokuyo>").rokuyo, 6);
  for (const char* bad : {"0", "7", "9", "-1", "2x", "", "abc"}) {
    EXPECT_EQ(DecoOf(std::string("<Rokuyo>") + bad + "</Rokuyo>").rokuyo, 0) << bad;
  }
  // Written after the attributes, and only when there is a condition: a type without one is
  // written as before.
  XMLDocument doc;
  XMLElement* root = doc.NewElement("DayDecoDef");
  doc.InsertEndChild(root);
  CDayDeco plain = DecoOf("");
  plain.Save(root, nullptr);
  CDayDeco taian = DecoOf("<Rokuyo>1</Rokuyo>");
  taian.Save(root, nullptr);
  tinyxml2::XMLPrinter printer(nullptr, true);
  doc.Print(&printer);
  EXPECT_STREQ(printer.CStr(),
               "<DayDecoDef><DayDeco><Color>0000ff</Color></DayDeco>"
               "<DayDeco><Color>0000ff</Color><Rokuyo>1</Rokuyo></DayDeco></DayDecoDef>");
  CDayDeco copy;
  copy.Assign(taian);
  EXPECT_EQ(copy.rokuyo, 1);
}

TEST(RokuyoCondition, MatchesOnlyDaysOfItsRokuyo) {
  CDayDeco taian = DecoOf("<Rokuyo>1</Rokuyo>");
  CDayDeco butsumetsuOnSunday = DecoOf("<Rokuyo>6</Rokuyo>");
  butsumetsuOnSunday.check = butsumetsuOnSunday.mask = 0x10;
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(taian.Matches(0x40 | RokuyoWord(r)), r == 0) << r;
    EXPECT_EQ(butsumetsuOnSunday.Matches(0x10 | RokuyoWord(r)), r == 5) << r;
    EXPECT_FALSE(butsumetsuOnSunday.Matches(0x20 | RokuyoWord(r))) << r;
  }
  // A day without a 六曜 (outside the range, the weekday row) never meets a condition.
  EXPECT_FALSE(taian.Matches(0x40));
  EXPECT_EQ(RokuyoWord(-1), 0u);
  EXPECT_EQ(RokuyoWord(6), 0u);
  // Entries without the condition match as before, whatever the day's 六曜; the 六曜 never
  // meets a hand-written mask above the class bits.
  CDayDeco everyDay = DecoOf("");
  EXPECT_TRUE(everyDay.Matches(RokuyoWord(3)));
  CDayDeco odd;
  odd.mask = 0x10000;
  EXPECT_TRUE(odd.Matches(RokuyoWord(0)));
  odd.check = 0x10000;
  EXPECT_FALSE(odd.Matches(RokuyoWord(0)));

  // Through the list: 大安 days get the entry's colour, the others the standard one.
  CDayDecoArray list;
  list.push_back(new CDayDeco(taian));
  CDayDeco* standard = new CDayDeco;
  standard->flags = kDecoAll;
  standard->colour = 0x111111;
  list.push_back(standard);
  for (int r = 0; r < 6; ++r) {
    CDayDeco day;
    list.ApplyDecorations(0x40 | RokuyoWord(r), day);
    EXPECT_EQ(day.colour, r == 0 ? 0x0000ffu : 0x111111u) << r;
  }
}

TEST(LayOutCalendar, TheSmallLineMakesTheCellsTallerOnlyWhileOn) {
  LayoutInput in;
  in.numberWidth = 16;
  in.numberHeight = 20;
  in.daySpaceX = 50;
  in.daySpaceY = 20;
  in.dayShadow = 1;
  in.titleWidth = 18;
  in.weekShadow = 1;
  const CalendarLayout off = LayOutCalendar(in);
  EXPECT_EQ(off.subLineBox.h, 0);

  in.subLineWidth = 22;
  in.subLineHeight = 11;
  const CalendarLayout on = LayOutCalendar(in);
  EXPECT_EQ(on.cellHeight, off.cellHeight + 11);
  EXPECT_EQ(on.clientHeight, off.clientHeight + 6 * 11);
  EXPECT_EQ(on.cellWidth, off.cellWidth);  // 24 + 1 already holds 22
  // Right under the number, centred in the cell; the number and mark boxes stay put.
  EXPECT_EQ(on.subLineBox.y, on.numberBox.y + on.numberBox.h);
  EXPECT_EQ(on.subLineBox.x, (24 - 22) / 2);
  EXPECT_EQ(on.subLineBox.w, 22);
  EXPECT_EQ(on.subLineBox.h, 11);
  EXPECT_EQ(on.numberBox.y, off.numberBox.y);
  EXPECT_EQ(on.markBox.h, off.markBox.h);

  // A small line wider than the cells widens every column, and the window holds the last.
  in.subLineWidth = 40;
  const CalendarLayout wide = LayOutCalendar(in);
  EXPECT_EQ(wide.cellWidth, 41);
  EXPECT_EQ(wide.subLineBox.x, 0);
  EXPECT_GE(wide.clientWidth, wide.margin + 6 * wide.cellWidth + 40 + 1 + wide.margin);

  // Scaled with the display like the rest; the text box is rounded up.
  const CalendarLayout scaled = ScaleLayout(on, 144);
  EXPECT_EQ(scaled.subLineBox.y, on.subLineBox.y * 3 / 2);
  EXPECT_EQ(scaled.subLineBox.h, (11 * 3 + 1) / 2);
  EXPECT_EQ(scaled.subLineBox.w, 33);

  // Hand-edited sizes are bounded like the others.
  in.subLineHeight = 1 << 30;
  in.subLineWidth = -5;
  const CalendarLayout bounded = LayOutCalendar(in);
  EXPECT_GT(bounded.clientHeight, 0);
  EXPECT_EQ(bounded.subLineBox.w, 0);
}
