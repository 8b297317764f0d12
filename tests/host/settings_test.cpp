#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "docs/data_folder.h"
#include "docs/settings.h"
#include "temp_data_folder.h"

namespace {

// The settings file as the program would now read it, printed without indentation.
std::string CompactFile(const std::string& path) {
  XMLDocument doc;
  EXPECT_EQ(LoadXmlFile(doc, path), 0);
  return Print(doc);
}

std::string Repeat(const std::string& piece, int count, const std::string& separator) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? separator : "") + piece;
  return text;
}

class SettingsTest : public TempDataFolder {
 protected:
  void WriteSettings(const std::string& xml) const { WriteFile("Settings.xml", xml); }
};

TEST_F(SettingsTest, OptionsWithOnlyAlwaysBottomLoadEveryOtherDefault) {
  WriteSettings("<Anything><Options><AlwaysBottom>0</AlwaysBottom></Options></Anything>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);

  const COptions& options = settings.Options;
  EXPECT_EQ(options.AlwaysBottom, 0);
  EXPECT_EQ(options.MemoXml, "ZantoMemo");
  EXPECT_EQ(options.BackMode, 0);
  EXPECT_EQ(options.AutoDisplayNow, 0);
  EXPECT_EQ(options.Buttons, "");
  EXPECT_EQ(options.WinPos.Top, 0);
  EXPECT_EQ(options.HomePos.Left, 0);
  EXPECT_EQ(options.DelayPopup, 60);
  EXPECT_EQ(options.EnableStopPWM, 0);
  for (int colour : options.CustColor) EXPECT_EQ(colour, 0xFFFFFF);
  EXPECT_EQ(options.ColorTrans, 0x010101);

  EXPECT_EQ(settings.MonthExpression.Locale, 0x409);
  EXPECT_EQ(settings.MonthExpression.Font.LogFont.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(settings.HeaderExpression.Flag, 0);
  EXPECT_EQ(settings.DateExpression.Adjust.Bottom, 0);
  EXPECT_EQ(static_cast<uint32_t>(settings.BackPaint.ColorBack), 0xFFFFFFFFu);
  EXPECT_EQ(settings.BackPaint.ModeUnavail, 0);
  EXPECT_TRUE(settings.DayDecoDef.empty());
  EXPECT_TRUE(settings.ExternApps.Apps.empty());
  // Without a "HolidayInfo" element the tables are still named and table 2 is the user's file.
  EXPECT_EQ(settings.HolidayInfo[0].ElementName, "HolidayTable00");
  EXPECT_EQ(settings.HolidayInfo[0].Source, "");
  EXPECT_EQ(settings.HolidayInfo[2].Source, DataFolder + "Holidays02.xml");
}

TEST_F(SettingsTest, SaveOptionOfCustColorAppendsOnlyThatElement) {
  WriteSettings(
      "<Anything><!-- mine --><Options><AlwaysBottom>0</AlwaysBottom></Options>"
      "<Unknown a=\"1\">kept</Unknown></Anything>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  ASSERT_EQ(settings.SaveOption("CustColor"), 0);

  EXPECT_EQ(CompactFile(SettingsPath),
            "<Anything><!-- mine --><Options><AlwaysBottom>0</AlwaysBottom><CustColor>" +
                Repeat("ffffff", 16, ",") +
                "</CustColor></Options><Unknown a=\"1\">kept</Unknown></Anything>");
  // The file was replaced as a whole: no temporary file is left beside it.
  EXPECT_EQ(Files(), std::vector<std::string>{"Settings.xml"});
}

TEST_F(SettingsTest, SaveOptionOfWinPosWritesTopThenLeftAndNothingOfHomePos) {
  WriteSettings("<Root><Options><WinPos><Left>1</Left></WinPos><DelayPopup>5</DelayPopup></Options></Root>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  EXPECT_EQ(settings.Options.WinPos.Top, 0) << "a missing child reads 0";
  settings.Options.WinPos.Top = 40;
  settings.Options.WinPos.Left = -1200;
  settings.Options.HomePos.Top = 7;
  settings.Options.DelayPopup = 99;
  ASSERT_EQ(settings.SaveOption("WinPos"), 0);

  EXPECT_EQ(CompactFile(SettingsPath),
            "<Root><Options><WinPos><Left>-1200</Left><Top>40</Top></WinPos>"
            "<DelayPopup>5</DelayPopup></Options></Root>");

  WriteSettings("<Root/>");
  ASSERT_EQ(settings.SaveOption("WinPos"), 0);
  EXPECT_EQ(CompactFile(SettingsPath), "<Root><Options><WinPos><Top>40</Top><Left>-1200</Left></WinPos></Options></Root>");
}

TEST_F(SettingsTest, HolidayTablesComeFromTheFileExceptTableTwo) {
  WriteSettings(
      "<S><HolidayInfo>"
      "<HolidayTable00 LocalCopy=\"1\" LocalVer=\"7\">https://zanto.example/h.xml</HolidayTable00>"
      "<HolidayTable01 LocalVer=\"0x10\"/>"
      "<HolidayTable02 LocalCopy=\"1\" LocalVer=\"3\">C:\\elsewhere.xml</HolidayTable02>"
      "</HolidayInfo></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  const CFileInfoArray& info = settings.HolidayInfo;
  EXPECT_EQ(info[0].Source, "https://zanto.example/h.xml");
  EXPECT_EQ(info[0].LocalCopy, 1);
  EXPECT_EQ(info[0].LocalVer, 7);
  EXPECT_EQ(info[1].Source, "");
  EXPECT_EQ(info[1].LocalCopy, 0);
  EXPECT_EQ(info[1].LocalVer, 16);
  EXPECT_EQ(info[2].Source, DataFolder + "Holidays02.xml");
  EXPECT_EQ(info[2].LocalCopy, 0);
  EXPECT_EQ(info[2].LocalVer, 0);
  EXPECT_FALSE(info[2].FromSettings);
}

TEST_F(SettingsTest, SetLocalVerCreatesWhatIsMissingAndKeepsTheSource) {
  CFileInfoArray info;
  XMLDocument doc;
  ASSERT_EQ(doc.Parse("<S><HolidayInfo><HolidayTable00 LocalCopy=\"1\">url</HolidayTable00></HolidayInfo></S>"), 0);
  info.SetLocalVer(doc.RootElement(), 0, 12);
  info.SetLocalVer(doc.RootElement(), 1, -1);
  info.SetLocalVer(doc.RootElement(), 3, 5);
  EXPECT_EQ(Print(doc),
            "<S><HolidayInfo><HolidayTable00 LocalCopy=\"1\" LocalVer=\"12\">url</HolidayTable00>"
            "<HolidayTable01 LocalVer=\"-1\"/></HolidayInfo></S>");

  XMLDocument bare;
  ASSERT_EQ(bare.Parse("<S/>"), 0);
  info.SetLocalVer(bare.RootElement(), 2, 4);
  EXPECT_EQ(Print(bare), "<S><HolidayInfo><HolidayTable02 LocalVer=\"4\"/></HolidayInfo></S>");
}

TEST_F(SettingsTest, FontChildrenMissingInsideAFontReadZero) {
  WriteSettings(
      "<S><MonthExpression><Font><FaceName>Meiryo UI</FaceName></Font></MonthExpression>"
      "<HeaderExpression><Font><Height>-300</Height><Italic>257</Italic><Shadow>2</Shadow></Font>"
      "</HeaderExpression></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  const LOGFONTA& month = settings.MonthExpression.Font.LogFont;
  EXPECT_STREQ(month.lfFaceName, "Meiryo UI");
  EXPECT_EQ(month.lfHeight, 0);
  EXPECT_EQ(month.lfWeight, 0);
  EXPECT_EQ(month.lfCharSet, 0);
  const CFontData& header = settings.HeaderExpression.Font;
  EXPECT_EQ(header.LogFont.lfHeight, -300);
  EXPECT_EQ(header.LogFont.lfItalic, 1) << "byte fields keep the low byte";
  EXPECT_EQ(header.Shadow, 2);
  EXPECT_EQ(settings.DateExpression.Font.LogFont.lfCharSet, DEFAULT_CHARSET) << "no Font element";
}

TEST_F(SettingsTest, AMemoPrefixThatLeavesTheDataFolderReadsAsTheDefault) {
  const struct {
    const char* prefix;
    bool plain;
  } cases[] = {{"ZantoMemo", true},       {"Work memo", true},      {"", true},
               {"..\\..\\evil", false},   {"a/b", false},           {"C:memo", false},
               {"\\\\server\\m", false}, {"memo..", false},        {"\x95\x5c", true},  // 表
               {"\x83\x5c\x83\x5c", true}, {"\x95\x5c\\x", false}, {"\x95", true}};
  for (const auto& c : cases) EXPECT_EQ(MemoPrefixIsPlain(c.prefix), c.plain) << c.prefix;
  WriteSettings("<Z><Options><MemoXml>..\\..\\Windows\\x</MemoXml></Options></Z>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  EXPECT_EQ(settings.Options.MemoXml, "ZantoMemo");
  // A data folder is never made from a failed lookup of the user's folder.
  EXPECT_EQ(DataFolderUnder(""), "");
  EXPECT_EQ(DataFolderUnder("/home/u"), "/home/u/Quor/Zanto/");
}

TEST(WinPos, AMissingChildReadsZeroNotThePreviousValue) {
  CWinPos pos("HomePos");
  pos.Top = 5;
  pos.Left = 6;
  XMLDocument doc;
  ASSERT_EQ(doc.Parse("<HomePos><Left>9</Left></HomePos>"), 0);
  pos.Load(doc.RootElement());
  EXPECT_EQ(pos.Top, 0);
  EXPECT_EQ(pos.Left, 9);
}

TEST(FontData, LongFaceNamesAreCutWithoutSplittingACharacter) {
  CFontData font;
  font.SetFaceName(std::string(40, 'A'));
  EXPECT_EQ(std::strlen(font.LogFont.lfFaceName), 31u);

  // Sixteen double-byte characters (32 bytes): the sixteenth does not fit, and half of it
  // would be a lone lead byte, so fifteen remain.
  std::string wide;
  for (int i = 0; i < 16; ++i) wide += "\x82\xa0";
  font.SetFaceName(wide);
  EXPECT_EQ(std::string(font.LogFont.lfFaceName), wide.substr(0, 30));

  font.SetFaceName("A" + wide);
  EXPECT_EQ(std::string(font.LogFont.lfFaceName), "A" + wide.substr(0, 30));
}

TEST(FontData, SaveWritesTheTenChildrenInOrderAndReadsBackTheSame) {
  CFontData font;
  font.SetFaceName("MS UI Gothic");
  font.LogFont.lfHeight = -16;
  font.LogFont.lfWeight = 700;
  font.LogFont.lfItalic = 1;
  font.LogFont.lfCharSet = 128;
  font.LogFont.lfOutPrecision = 3;
  font.LogFont.lfClipPrecision = 2;
  font.LogFont.lfQuality = 4;
  font.LogFont.lfPitchAndFamily = 49;
  font.LogFont.lfWidth = 9;  // never stored
  font.Shadow = 1;
  XMLDocument doc;
  ASSERT_EQ(doc.Parse("<P/>"), 0);
  font.Save(doc.RootElement(), "ignored");
  EXPECT_EQ(Print(doc),
            "<P><Font><FaceName>MS UI Gothic</FaceName><Height>-16</Height><Weight>700</Weight>"
            "<Italic>1</Italic><CharSet>128</CharSet><OutPrecision>3</OutPrecision>"
            "<ClipPrecision>2</ClipPrecision><Quality>4</Quality><PitchAndFamily>49</PitchAndFamily>"
            "<Shadow>1</Shadow></Font></P>");

  CFontData back;
  back.Load(doc.RootElement()->FirstChildElement("Font"));
  font.LogFont.lfWidth = 0;
  EXPECT_EQ(std::memcmp(&back.LogFont, &font.LogFont, sizeof font.LogFont), 0);
  EXPECT_EQ(back.Shadow, 1);
}

TEST_F(SettingsTest, UnreadableFilesGiveTheLibraryErrorAndKeepDefaults) {
  struct Case {
    const char* name;
    const char* bytes;
    bool write;
    int error;
  } cases[] = {
      {"missing", "", false, tinyxml2::XML_ERROR_FILE_NOT_FOUND},
      {"empty", "", true, tinyxml2::XML_ERROR_EMPTY_DOCUMENT},
      {"blank", " \r\n", true, tinyxml2::XML_ERROR_EMPTY_DOCUMENT},
      {"truncated", "<S><Options><DelayPopup>5</DelayPopup><Alw", true, -1},
      {"not xml", "\x89PNG\r\n\x1a\n\0\0", true, -1},
      {"mismatched", "<S><Options></S></Options>", true, -1},
  };
  for (const Case& c : cases) {
    std::remove(Path("Settings.xml").c_str());
    if (c.write) WriteSettings(c.bytes);
    CSettings settings;
    int error = settings.Load();
    if (c.error >= 0) {
      EXPECT_EQ(error, c.error) << c.name;
    } else {
      EXPECT_NE(error, 0) << c.name;
    }
    EXPECT_EQ(settings.Options.DelayPopup, 60) << c.name;
    EXPECT_EQ(settings.HolidayInfo[2].Source, DataFolder + "Holidays02.xml") << c.name;

    // Nothing is written into a file that cannot be read.
    std::string before = c.write ? ReadFile("Settings.xml") : "";
    EXPECT_NE(settings.SaveOption("AlwaysBottom"), 0) << c.name;
    EXPECT_NE(settings.SaveDisplayForms(), 0) << c.name;
    EXPECT_EQ(c.write ? ReadFile("Settings.xml") : "", before) << c.name;
    EXPECT_EQ(Files().size(), c.write ? 1u : 0u) << c.name;
  }
}

TEST_F(SettingsTest, AFileWithoutARootElementLoadsDefaultsAndIsNotWritten) {
  const std::string bytes = "<?xml version=\"1.0\"?><!-- nothing here -->";
  WriteSettings(bytes);
  CSettings settings;
  EXPECT_EQ(settings.Load(), 0);
  EXPECT_EQ(settings.Options.AlwaysBottom, 1);
  EXPECT_EQ(settings.SaveOption("AlwaysBottom"), 0);
  EXPECT_EQ(ReadFile("Settings.xml"), bytes);
}

TEST_F(SettingsTest, AReadableButDamagedFileStaysReadableAfterAWrite) {
  // The parser stops quietly at a stray end tag and keeps the text before it beside the root.
  WriteSettings("<S><Options><BackMode>2</BackMode></Options></S>\r/Font>\n  <Extra/>\n x>y</Quality><Lost/>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  EXPECT_EQ(settings.Options.BackMode, 2);
  ASSERT_EQ(settings.SaveOption("AlwaysBottom"), 0);
  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  EXPECT_EQ(back.Options.BackMode, 2);
  EXPECT_EQ(back.Options.AlwaysBottom, 1);
}

TEST_F(SettingsTest, DisplayFormsRoundTripAndLeaveTheRestOfTheFileAlone) {
  WriteSettings(
      "<S><Options><DelayPopup>5</DelayPopup></Options>"
      "<HeaderExpression><Flag>1</Flag><Extra>x</Extra></HeaderExpression>"
      "<ExternApps><ExternApp menu=\"m\">a.exe</ExternApp></ExternApps></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  settings.MonthExpression.Format = "yyyy\x94\x4e M\x8c\x8e";
  settings.MonthExpression.Color = 0x00FFFFFF;
  settings.MonthExpression.Locale = 0x411;
  settings.MonthExpression.Font.SetFaceName("Meiryo UI");
  // A weekday title whose second byte is 0x5C must come back untouched.
  settings.HeaderExpression.WeekTitle = "\x95\x5c \x93\xfa";
  settings.HeaderExpression.StartDayOfWeek = 1;
  settings.DateExpression.Adjust.Right = -2;
  settings.DateExpression.SpaceX = 50;
  settings.BackPaint.ColorBack = 0x1000000;
  ASSERT_EQ(settings.SaveDisplayForms(), 0);

  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  EXPECT_EQ(back.MonthExpression.Format, settings.MonthExpression.Format);
  EXPECT_EQ(back.MonthExpression.Color, 0x00FFFFFF);
  EXPECT_EQ(back.MonthExpression.Locale, 0x411);
  EXPECT_STREQ(back.MonthExpression.Font.LogFont.lfFaceName, "Meiryo UI");
  EXPECT_EQ(back.HeaderExpression.WeekTitle, settings.HeaderExpression.WeekTitle);
  EXPECT_EQ(back.HeaderExpression.StartDayOfWeek, 1);
  EXPECT_EQ(back.HeaderExpression.Flag, 1);
  EXPECT_EQ(back.DateExpression.Adjust.Right, -2);
  EXPECT_EQ(back.DateExpression.SpaceX, 50);
  EXPECT_EQ(back.BackPaint.ColorBack, 0x1000000);
  EXPECT_EQ(back.Options.DelayPopup, 5);
  ASSERT_EQ(back.ExternApps.Apps.size(), 1u);

  std::string file = CompactFile(SettingsPath);
  EXPECT_NE(file.find("<Extra>x</Extra>"), std::string::npos);
  EXPECT_NE(file.find("<Locale>00000411</Locale>"), std::string::npos);
  EXPECT_NE(file.find("<ColorBack>01000000</ColorBack>"), std::string::npos);
  EXPECT_EQ(file.find("<DayDecoDef"), std::string::npos);
}

TEST_F(SettingsTest, DecorationListIsWrittenInOrderAndReadBack) {
  WriteSettings("<S><DayDecoDef><!-- keep --><DayDeco name=\"old\"/></DayDecoDef><Options/></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  ASSERT_EQ(settings.DayDecoDef.size(), 1u);
  settings.DayDecoDef.Clear();
  for (const char* name : {"sunday", "_default"}) {
    auto* deco = new CDayDeco;
    deco->name = name;
    deco->flags = kDecoColour;
    deco->colour = RGB(255, 0, 0);
    settings.DayDecoDef.push_back(deco);
  }
  settings.DayDecoDef[0]->check = settings.DayDecoDef[0]->mask = 0x10;
  ASSERT_EQ(settings.SaveDayDecoDef(), 0);

  CSettings back;
  ASSERT_EQ(back.Load(), 0);
  ASSERT_EQ(back.DayDecoDef.size(), 2u);
  EXPECT_EQ(back.DayDecoDef[0]->name, "sunday");
  EXPECT_EQ(back.DayDecoDef[0]->mask, 0x10u);
  EXPECT_EQ(back.DayDecoDef[1]->name, "_default");
  EXPECT_EQ(back.DayDecoDef[1]->colour, RGB(255, 0, 0));
  EXPECT_NE(CompactFile(SettingsPath).find("<DayDecoDef><!-- keep --><DayDeco"), std::string::npos);
}

TEST_F(SettingsTest, ExternalEntriesAreReadInDocumentOrder) {
  WriteSettings(
      "<S><ExternApps><ExternApp menu=\"Notepad\" verb=\"open\">notepad.exe</ExternApp>"
      "<Other/><ExternApp>C:\\memo.txt</ExternApp></ExternApps></S>");
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  const auto& apps = settings.ExternApps.Apps;
  ASSERT_EQ(apps.size(), 2u);
  EXPECT_EQ(apps[0]->File, "notepad.exe");
  EXPECT_EQ(apps[0]->Menu, "Notepad");
  EXPECT_EQ(apps[0]->Verb, "open");
  EXPECT_EQ(apps[1]->File, "C:\\memo.txt");
  EXPECT_EQ(apps[1]->Menu, "");
}

// Every value a form writes, as "element/child=text" in file order.
void CollectLeaves(const XMLElement* element, const std::string& path, std::vector<std::string>& out) {
  if (!element->FirstChildElement()) {
    out.push_back(path + "=" + (element->GetText() ? element->GetText() : ""));
    return;
  }
  for (const XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
    CollectLeaves(child, path + "/" + child->Name(), out);
  }
}

template <class Form>
std::vector<std::string> SavedValues(Form& form) {
  XMLDocument doc;
  XMLElement* root = doc.NewElement("S");
  doc.InsertEndChild(root);
  form.Save(root, nullptr);
  std::vector<std::string> leaves;
  CollectLeaves(root, "", leaves);
  return leaves;
}

// Loads a form from xml, where every persisted value differs from the default, assigns it
// to a default form and compares what the two would write, value by value.
template <class Form>
void ExpectAssignCopiesEveryValue(const std::string& xml) {
  XMLDocument doc;
  ASSERT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS) << xml;
  Form source, target;
  source.Load(doc.RootElement());
  const std::vector<std::string> defaults = SavedValues(target);
  const std::vector<std::string> wanted = SavedValues(source);
  ASSERT_EQ(defaults.size(), wanted.size());
  for (size_t i = 0; i < wanted.size(); ++i) {
    ASSERT_NE(defaults[i], wanted[i]) << "the case must change every value: " << wanted[i];
  }
  target.Assign(source);
  EXPECT_EQ(SavedValues(target), wanted) << xml;
  EXPECT_EQ(target.ElementName(), doc.RootElement()->Name());
}

TEST(Settings, EachFormAssignCopiesEveryValueItWrites) {
  const std::string font =
      "<Font><FaceName>Meiryo UI</FaceName><Height>-20</Height><Weight>700</Weight>"
      "<Italic>1</Italic><CharSet>128</CharSet><OutPrecision>3</OutPrecision>"
      "<ClipPrecision>2</ClipPrecision><Quality>5</Quality><PitchAndFamily>49</PitchAndFamily>"
      "<Shadow>2</Shadow></Font>";
  ExpectAssignCopiesEveryValue<CMonthForm>(
      "<MonthExpression>" + font +
      "<Position>2</Position><Format>yyyy</Format><Color>000000FF</Color>"
      "<ShadowColor>00123456</ShadowColor><Locale>00000411</Locale><SpaceY>7</SpaceY>"
      "<Gannen>0</Gannen></MonthExpression>");
  ExpectAssignCopiesEveryValue<CHeaderForm>(
      "<HeaderExpression><Flag>1</Flag>" + font +
      "<StartDayOfWeek>1</StartDayOfWeek><WeekTitle>S M T W T F S</WeekTitle>"
      "<SpaceY>3</SpaceY></HeaderExpression>");
  ExpectAssignCopiesEveryValue<CDayForm>(
      "<DateExpression>" + font +
      "<Adjust><Top>1</Top><Left>2</Left><Right>-3</Right><Bottom>4</Bottom></Adjust>"
      "<SpaceX>5</SpaceX><SpaceY>6</SpaceY></DateExpression>");
  ExpectAssignCopiesEveryValue<CBackForm>(
      "<BackPaint><ModeUnavail>00000003</ModeUnavail><ColorBack>01000000</ColorBack></BackPaint>");
}

TEST(Settings, AssignKeepsTheFontHandleOfTheFormItFills) {
  CDayForm live, copy;
  HFONT created = reinterpret_cast<HFONT>(static_cast<uintptr_t>(0x1234));
  live.Font.Handle = created;
  copy.Font.LogFont.lfHeight = -20;
  live.Assign(copy);
  EXPECT_EQ(live.Font.Handle, created) << "the layout deletes the handle it made, not a copy's";
  EXPECT_EQ(live.Font.LogFont.lfHeight, -20);
}

}  // namespace
