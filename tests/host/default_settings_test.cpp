// The Settings.xml shipped beside the program: what a new user sees at the first start.
#include <gtest/gtest.h>

#include <string>

#include "docs/settings.h"
#include "temp_data_folder.h"

namespace {

const std::string kShipped = std::string(ZANTO_SOURCE_DIR) + "/resources/";


// Offset of the first byte that cannot be Shift_JIS (code page 932), or npos.
size_t FirstInvalidShiftJis(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead) {
      if (i + 1 >= bytes.size()) return i;
      unsigned char trail = static_cast<unsigned char>(bytes[++i]);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return i;
      continue;
    }
    bool single = c < 0x80 || (c >= 0xA1 && c <= 0xDF);
    if (!single) return i;
  }
  return std::string::npos;
}

int ShippedHolidayVersion() {
  XMLDocument doc;
  EXPECT_EQ(LoadXmlFile(doc, kShipped + "Holidays00.xml"), 0);
  XMLElement* root = doc.FirstChildElement();
  return root ? GetChildInt(root, "Version", -1) : -1;
}

class DefaultSettingsTest : public TempDataFolder {
 protected:
  void SetUp() override {
    TempDataFolder::SetUp();
    bytes = ::ReadFile(kShipped + "Settings.xml");
    ASSERT_FALSE(bytes.empty());
    // Loaded from a copy, as the program does at its first start.
    WriteFile("Settings.xml", bytes);
    ASSERT_EQ(settings.Load(), 0);
  }

  CDayDeco Decorate(uint32_t word) const {
    CDayDeco deco;
    settings.DayDecoDef.ApplyDecorations(word, deco);
    return deco;
  }

  std::string bytes;
  CSettings settings;
};

TEST_F(DefaultSettingsTest, IsShiftJisAndSaysSo) {
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);
  EXPECT_EQ(FirstInvalidShiftJis(bytes), std::string::npos);
  // 日 月 火 水 木 金 土 in Shift_JIS, not in UTF-8.
  EXPECT_EQ(settings.HeaderExpression.WeekTitle, "\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x93\x79");
  EXPECT_EQ(bytes.find("\xe6\x97\xa5"), std::string::npos);
  // 年 and 月 around a Gregorian year, so the heading reads the same on every system.
  EXPECT_EQ(settings.MonthExpression.Format, "yyyy\x94\x4eM\x8c\x8e");
  EXPECT_EQ(settings.MonthExpression.Locale, 0x409);
}

TEST_F(DefaultSettingsTest, HolidaysComeFromTheProductTableWithTheShippedCopyAsFallback) {
  const CFileInfoArray& info = settings.HolidayInfo;
  EXPECT_EQ(info[0].Source, "https://zanto.example/holidays/Holidays00.xml");
  EXPECT_EQ(info[0].LocalCopy, 1);
  EXPECT_EQ(info[0].LocalVer, ShippedHolidayVersion());
  EXPECT_GT(info[0].LocalVer, 0);
  EXPECT_EQ(info[1].Source, "");
  EXPECT_EQ(info[2].Source, folder + "Holidays02.xml");
}

TEST_F(DefaultSettingsTest, OptionsStartTheCalendarQuietlyInTheTopRightCorner) {
  const COptions& options = settings.Options;
  EXPECT_EQ(options.MemoXml, "ZantoMemo");
  EXPECT_EQ(options.AlwaysBottom, 1);
  EXPECT_EQ(options.DelayPopup, 60);
  EXPECT_EQ(options.EnableStopPWM, 0);
  EXPECT_EQ(options.ColorTrans, 0x010101);
  EXPECT_EQ(options.Buttons, "");
  EXPECT_GE(options.BackMode, 0);
  EXPECT_LE(options.BackMode, 2);
  EXPECT_EQ(settings.BackPaint.ModeUnavail & (1 << options.BackMode), 0);

  // No pixel position: any fixed one is off screen on some common laptop screen, so the first
  // start puts the calendar at the top right of the screen it finds.
  EXPECT_FALSE(options.WinPos.fromFile);
  EXPECT_FALSE(options.HomePos.fromFile);
}

TEST_F(DefaultSettingsTest, FontsAreJapaneseCapableAndTheWeekdayRowIsShown) {
  for (const CFontData* font :
       {&settings.MonthExpression.Font, &settings.HeaderExpression.Font, &settings.DateExpression.Font}) {
    EXPECT_STREQ(font->LogFont.lfFaceName, "Meiryo UI");
    EXPECT_EQ(font->LogFont.lfCharSet, 128) << "Shift_JIS character set";
    EXPECT_LT(font->LogFont.lfHeight, 0) << "character height in pixels";
    EXPECT_GE(font->Shadow, 1) << "readable on any wallpaper";
  }
  EXPECT_EQ(settings.HeaderExpression.Flag, 1);
  EXPECT_EQ(settings.HeaderExpression.StartDayOfWeek, 0);
  EXPECT_EQ(settings.MonthExpression.Position, 1);
}

TEST_F(DefaultSettingsTest, SundaysAndHolidaysAreRedSaturdaysBlueAndTodayFramed) {
  ASSERT_FALSE(settings.DayDecoDef.empty());
  const CDayDeco& last = *settings.DayDecoDef.back();
  EXPECT_EQ(last.name, "_default");
  EXPECT_EQ(last.flags, kDecoAll);
  EXPECT_EQ(last.mask, 0u);

  const COLORREF plain = Decorate(0x40).colour;
  const COLORREF sunday = Decorate(0x10).colour;
  const COLORREF saturday = Decorate(0x20).colour;
  EXPECT_GT(GetRValue(sunday), 2 * GetBValue(sunday));
  EXPECT_GT(GetBValue(saturday), 2 * GetRValue(saturday));
  EXPECT_NE(plain, sunday);
  EXPECT_NE(plain, saturday);
  // National holiday, substitute or in-between day, other holiday: all on a weekday.
  for (uint32_t holiday : {0x900u, 0xA00u, 0xC00u}) EXPECT_EQ(Decorate(0x40 | holiday).colour, sunday) << holiday;
  EXPECT_EQ(Decorate(0x20 | 0x900).colour, sunday) << "a holiday on a Saturday is a holiday";

  EXPECT_NE(Decorate(0x1 | 0x40).frameLine, 0);
  EXPECT_EQ(Decorate(0x40).frameLine, 0);
  EXPECT_EQ(Decorate(0x40).markType, 0);
  EXPECT_NE(Decorate(0x40).shadowColour, plain);
}

TEST_F(DefaultSettingsTest, WritingAnOptionKeepsTheFileShiftJisAndItsComments) {
  settings.Options.WinPos.Left = 100;
  ASSERT_EQ(settings.SaveOption("WinPos"), 0);
  ASSERT_EQ(settings.SaveDayDecoDef(), 0);
  std::string saved = ReadFile("Settings.xml");
  EXPECT_EQ(FirstInvalidShiftJis(saved), std::string::npos);
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);

  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  EXPECT_EQ(back.Options.WinPos.Left, 100);
  EXPECT_EQ(back.HeaderExpression.WeekTitle, settings.HeaderExpression.WeekTitle);
  EXPECT_EQ(back.DayDecoDef.size(), settings.DayDecoDef.size());
  EXPECT_EQ(back.DayDecoDef[1]->name, settings.DayDecoDef[1]->name);
  XMLDocument doc;
  ASSERT_EQ(LoadXmlFile(doc, folder + "Settings.xml"), 0);
  EXPECT_NE(doc.RootElement()->FirstChildElement("DayDecoDef")->FirstChild()->ToComment(), nullptr);
}

}  // namespace
