#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "docs/file_save.h"
#include "docs/xml_node.h"
#include "tests/common/test_files.h"

namespace {

// A small settings item in the style of the real ones.
class TestItem : public CXmlItemBase {
 public:
  TestItem() : CXmlItemBase("Options") {
    for (int& c : colors) c = 0x00FFFFFF;
    AddItem(ITEM_STRING, "Name", &name);
    AddItem(ITEM_INT, "DelayPopup", &delay);
    AddItem(ITEM_HEX, "Color", &color);
    AddItem(ITEM_HEXLIST, "CustColor", colors);
  }
  std::string name = "default";
  int delay = 60;
  int color = 0;
  int colors[16];
};



TEST(XmlItem, EmptyOrMissingElementsKeepDefaultsAndBadNumbersReadZero) {
  for (const char* xml : {"<Options><DelayPopup></DelayPopup></Options>", "<Options><DelayPopup/></Options>",
                          "<Options/>"}) {
    XMLDocument doc;
    TestItem item;
    item.Load(Parse(doc, xml));
    EXPECT_EQ(item.delay, 60) << xml;
    EXPECT_EQ(item.name, "default") << xml;
  }
  XMLDocument doc;
  TestItem item;
  item.Load(Parse(doc, "<Options><DelayPopup>abc</DelayPopup><Name>x</Name></Options>"));
  EXPECT_EQ(item.delay, 0);
  EXPECT_EQ(item.name, "x");
}

TEST(XmlItem, CommentBeforeTextIsSkippedAndOnlyTheFirstOfTwoCounts) {
  XMLDocument doc;
  TestItem item;
  item.Load(Parse(doc, "<Options><DelayPopup><!-- x -->12</DelayPopup><DelayPopup>99</DelayPopup></Options>"));
  EXPECT_EQ(item.delay, 12);

  item.delay = 7;
  XMLDocument out;
  Parse(out, "<Root><Options><DelayPopup>1</DelayPopup><DelayPopup>2</DelayPopup></Options></Root>");
  item.Save(out.RootElement(), "DelayPopup");
  EXPECT_EQ(Print(out), "<Root><Options><DelayPopup>7</DelayPopup><DelayPopup>2</DelayPopup></Options></Root>");
}

TEST(XmlItem, HexValuesUseTheFullUnsigned32BitRange) {
  XMLDocument doc;
  TestItem item;
  item.Load(Parse(doc, "<Options><Color>ff</Color></Options>"));
  EXPECT_EQ(item.color, 0xFF);
  XMLDocument out;
  Parse(out, "<Root/>");
  item.Save(out.RootElement(), "Color");
  EXPECT_EQ(Print(out), "<Root><Options><Color>000000ff</Color></Options></Root>");

  XMLDocument doc2;
  TestItem item2;
  item2.Load(Parse(doc2, "<Options><Color>ffffffff</Color></Options>"));
  EXPECT_EQ(static_cast<uint32_t>(item2.color), 0xFFFFFFFFu);
  XMLDocument out2;
  Parse(out2, "<Root/>");
  item2.Save(out2.RootElement(), nullptr);
  TestItem item3;
  item3.Load(out2.RootElement()->FirstChildElement("Options"));
  EXPECT_EQ(static_cast<uint32_t>(item3.color), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex("123456789"), 0x12345678u);
  EXPECT_EQ(ParseHex("zz"), 0u);
}

TEST(XmlItem, HexListTakesAtMostSixteenPiecesAndKeepsTheRest) {
  XMLDocument doc;
  TestItem item;
  item.Load(Parse(doc, "<Options><CustColor>1,,ff</CustColor></Options>"));
  EXPECT_EQ(item.colors[0], 1);
  EXPECT_EQ(item.colors[1], 0);
  EXPECT_EQ(item.colors[2], 0xFF);
  EXPECT_EQ(item.colors[3], 0xFFFFFF);

  std::string twenty;
  for (int i = 1; i <= 20; ++i) twenty += (i > 1 ? "," : "") + std::to_string(i);
  XMLDocument doc2;
  TestItem item2;
  std::string xml = "<Options><CustColor>" + twenty + "</CustColor></Options>";
  item2.Load(Parse(doc2, xml.c_str()));
  EXPECT_EQ(item2.colors[15], 0x16);  // "16" read as hexadecimal

  XMLDocument out;
  Parse(out, "<Root/>");
  TestItem fresh;
  fresh.Save(out.RootElement(), "CustColor");
  std::string expected = "<Root><Options><CustColor>ffffff";
  for (int i = 1; i < 16; ++i) expected += ",ffffff";
  EXPECT_EQ(Print(out), expected + "</CustColor></Options></Root>");
}

TEST(XmlItem, SaveFilterTouchesOneChildAndUnknownFilterStillCreatesTheElement) {
  XMLDocument out;
  Parse(out, "<Root><Options><Other>keep</Other><Name>old</Name></Options></Root>");
  TestItem item;
  item.delay = 5;
  item.Save(out.RootElement(), "DelayPopup");
  EXPECT_EQ(Print(out), "<Root><Options><Other>keep</Other><Name>old</Name><DelayPopup>5</DelayPopup></Options></Root>");

  XMLDocument empty;
  Parse(empty, "<Root/>");
  item.Save(empty.RootElement(), "NoSuchItem");
  EXPECT_EQ(Print(empty), "<Root><Options/></Root>");

  XMLDocument all;
  Parse(all, "<Root><Options><Other>keep</Other></Options></Root>");
  item.Save(all.RootElement(), nullptr);
  TestItem back;
  back.Load(all.RootElement()->FirstChildElement("Options"));
  EXPECT_EQ(back.delay, 5);
  EXPECT_EQ(back.name, "default");
  EXPECT_STREQ(ElementText(all.RootElement()->FirstChildElement("Options")->FirstChildElement("Other")), "keep");
}

TEST(ElementFunctions, ChildTextAndIntFollowTheTextRule) {
  XMLDocument doc;
  XMLElement* root = Parse(doc, "<R><A>12x</A><B/><C><!--c--><D/></C><T>hi</T></R>");
  EXPECT_EQ(GetChildInt(root, "A", 5), 12);
  EXPECT_EQ(GetChildInt(root, "B", 5), 5);
  EXPECT_EQ(GetChildInt(root, "C", 5), 5);
  EXPECT_EQ(GetChildInt(root, "Missing", -3), -3);

  std::string out = "unchanged";
  GetChildText(root, "Missing", out);
  EXPECT_EQ(out, "unchanged");
  GetChildText(root, "B", out);
  EXPECT_EQ(out, "");
  GetChildText(root, "T", out);
  EXPECT_EQ(out, "hi");

  SetChildText(root, "T", "new");
  SetChildInt(root, "N", -42);
  SetChildText(root, "C", "c");
  EXPECT_EQ(Print(doc), "<R><A>12x</A><B/><C>c<!--c--><D/></C><T>new</T><N>-42</N></R>");
}

TEST(ElementFunctions, EntitiesAreProcessedAndWhitespaceKept) {
  XMLDocument doc;
  XMLElement* root = Parse(doc, "<R><T>  a &amp; b  </T></R>");
  std::string out;
  GetChildText(root, "T", out);
  EXPECT_EQ(out, "  a & b  ");
}

TEST(SplitString, CutsAtEverySeparatorButNotInsideDoubleByteCharacters) {
  EXPECT_EQ(SplitString("a,b", ','), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitString("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitString("", ','), (std::vector<std::string>{""}));
  EXPECT_EQ(SplitString("a,", ','), (std::vector<std::string>{"a", ""}));
  // 0x95 0x5C is one Shift_JIS character whose trail byte is a backslash.
  std::string text = "\x95\x5C\\x";
  EXPECT_EQ(SplitString(text, '\\'), (std::vector<std::string>{"\x95\x5C", "x"}));
  // "日 月" separated by a space; 0x93 0xFA and 0x8C 0x8E.
  EXPECT_EQ(SplitString("\x93\xFA \x8C\x8E", ' '), (std::vector<std::string>{"\x93\xFA", "\x8C\x8E"}));
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zanto-xml-XXXXXX";
    dir = mkdtemp(pattern);
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
  std::string dir;
};

TEST_F(TempDir, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  std::string path = dir + "/Settings.xml";
  XMLDocument doc;
  Parse(doc, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><R><A>\x93\xFA</A></R>");
  ASSERT_EQ(SaveXmlFile(doc, path), 0);
  XMLDocument back;
  ASSERT_EQ(LoadXmlFile(back, path), 0);
  std::string text;
  GetChildText(back.RootElement(), "A", text);
  EXPECT_EQ(text, "\x93\xFA");
  EXPECT_NE(Print(back).find("encoding=\"Shift_JIS\""), std::string::npos);
  EXPECT_EQ(std::system(("test $(ls '" + dir + "' | wc -l) -eq 1").c_str()), 0);
}

TEST_F(TempDir, FailedSaveLeavesTheOldFileUntouched) {
  std::string path = dir + "/Settings.xml";
  ASSERT_TRUE(SaveFileAtomically(path, "old", 3));
  // A folder in place of the target makes the final replace fail.
  std::string blocked = dir + "/blocked";
  ASSERT_EQ(std::system(("mkdir '" + blocked + "' && touch '" + blocked + "/x'").c_str()), 0);
  EXPECT_FALSE(SaveFileAtomically(blocked, "new", 3));
  EXPECT_FALSE(SaveFileAtomically(dir + "/missing/dir/file", "x", 1));
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "old");
  EXPECT_EQ(std::system(("test $(ls '" + dir + "' | wc -l) -eq 2").c_str()), 0);
  XMLDocument missing;
  EXPECT_NE(LoadXmlFile(missing, dir + "/none.xml"), 0);
}

}  // namespace

namespace {

TEST_F(TempDir, ADocumentThatWouldNotLoadAgainIsNotWritten) {
  std::string path = dir + "/Settings.xml";
  ASSERT_TRUE(SaveFileAtomically(path, "<R/>", 4));
  // The parser accepts this stray end tag but prints it in a form it rejects.
  const char* lenient = "</\xfaY\xda" "A\xfa>>";
  XMLDocument doc;
  ASSERT_EQ(doc.Parse(lenient), tinyxml2::XML_SUCCESS);
  EXPECT_NE(SaveXmlFile(doc, path), 0);
  XMLDocument back;
  ASSERT_EQ(LoadXmlFile(back, path), 0);
  EXPECT_STREQ(back.RootElement()->Name(), "R");
}

}  // namespace
