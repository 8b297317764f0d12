#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "docs/holiday.h"
#include "docs/holidays_doc.h"
#include "tests/common/test_files.h"

namespace {



TEST(Holiday, MissingItemsGiveTheDefaults) {
  XMLDocument doc;
  Holiday rule;
  rule.Load(Parse(doc, "<Holiday/>"));
  EXPECT_EQ(rule.type, 0);
  EXPECT_EQ(rule.kind, 0);
  EXPECT_EQ(rule.bits, 0u);
  EXPECT_EQ(rule.name, "");
  EXPECT_EQ(rule.StartYear, 0);
  EXPECT_EQ(rule.EndYear, 2100);
  EXPECT_EQ(rule.Month, 0);
  EXPECT_EQ(rule.Day, 0);
  EXPECT_EQ(rule.DayOfWeek, 0);
}

TEST(Holiday, ReadsAttributesAndChildrenIncludingHexAttributes) {
  XMLDocument doc;
  Holiday rule;
  rule.Load(Parse(doc,
                  "<Holiday type=\"0x4\" kind=\"1\" name=\"\x90\xac\x90\x6c\x82\xcc\x93\xfa\">"
                  "<StartYear>2000</StartYear><EndYear><!-- open -->2030</EndYear><Month>1</Month>"
                  "<Day>8</Day><DayOfWeek>1</DayOfWeek><Unknown>5</Unknown></Holiday>"));
  EXPECT_EQ(rule.type, 4);
  EXPECT_EQ(rule.kind, 1);
  EXPECT_EQ(rule.bits, 0x900u);
  EXPECT_EQ(rule.name, "\x90\xac\x90\x6c\x82\xcc\x93\xfa");
  EXPECT_EQ(rule.StartYear, 2000);
  EXPECT_EQ(rule.EndYear, 2030);
  EXPECT_EQ(rule.Month, 1);
  EXPECT_EQ(rule.Day, 8);
  EXPECT_EQ(rule.DayOfWeek, 1);
}

TEST(Holiday, BitsComeFromTheKind) {
  const struct {
    const char* kind;
    uint32_t bits;
  } kCases[] = {{"1", 0x900}, {"3", 0xC00}, {"4", 0xC00}, {"10", 0x1000}, {"11", 0x2000}, {"12", 0x4000},
                {"13", 0x8000}, {"0", 0}, {"2", 0}, {"5", 0}, {"14", 0}, {"-1", 0}, {"x", 0}};
  for (const auto& c : kCases) {
    XMLDocument doc;
    Holiday rule;
    std::string xml = std::string("<Holiday kind=\"") + c.kind + "\"/>";
    rule.Load(Parse(doc, xml.c_str()));
    EXPECT_EQ(rule.bits, c.bits) << c.kind;
  }
}

TEST(HolidayArray, EachLoadAppendsTheHolidayChildrenInOrder) {
  XMLDocument doc;
  XMLElement* list =
      Parse(doc, "<Holidays><Holiday name=\"a\"/><Other name=\"x\"/><!-- c --><Holiday name=\"b\"/></Holidays>");
  HolidayArray rules;
  rules.Load(list);
  rules.Load(list);
  ASSERT_EQ(rules.size(), 4u);
  EXPECT_EQ(rules[0]->name, "a");
  EXPECT_EQ(rules[1]->name, "b");
  EXPECT_EQ(rules[2]->name, "a");
  EXPECT_EQ(rules[3]->name, "b");
}

TEST(HolidayArray, TheProcessListIsCreatedOnceUntilDeleted) {
  HolidayArray::DeleteInstance();
  HolidayArray& first = HolidayArray::Instance();
  EXPECT_TRUE(first.empty());
  first.push_back(new Holiday);
  EXPECT_EQ(&HolidayArray::Instance(), &first);
  EXPECT_EQ(HolidayArray::Instance().size(), 1u);
  HolidayArray::DeleteInstance();
  EXPECT_TRUE(HolidayArray::Instance().empty());
  HolidayArray::DeleteInstance();
}

TEST(HolidaysDoc, LoadFileReadsAWellFormedTable) {
  std::string path = WriteFileIn(::testing::TempDir(), "holidays_ok.xml",
                                   "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<T><Version>7</Version>"
                                   "<Holidays><Holiday type=\"1\" kind=\"1\"/><Holiday/></Holidays></T>");
  HolidaysDoc doc;
  ASSERT_EQ(doc.LoadFile(path), 0);
  EXPECT_EQ(doc.origin, HOLIDAYS_LOCAL_FILE);
  ASSERT_TRUE(doc.document);
  EXPECT_EQ(doc.Version(), 7);
  HolidayArray rules;
  rules.push_back(new Holiday);
  doc.AppendRules(rules);
  EXPECT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[1]->type, 1);
  std::remove(path.c_str());
}

TEST(HolidaysDoc, LoadFileFailuresLeaveNoDocument) {
  std::string good = WriteFileIn(::testing::TempDir(), "holidays_good.xml", "<T><Holidays><Holiday/></Holidays></T>");
  const std::string kBad[] = {
      WriteFileIn(::testing::TempDir(), "holidays_broken.xml", "<T><Holidays></T>"),
      WriteFileIn(::testing::TempDir(), "holidays_empty.xml", ""),
      ::testing::TempDir() + "holidays_missing.xml",
  };
  for (const std::string& path : kBad) {
    HolidaysDoc doc;
    ASSERT_EQ(doc.LoadFile(good), 0);
    EXPECT_EQ(doc.LoadFile(path), kHolidaysFileError) << path;
    EXPECT_EQ(doc.origin, HOLIDAYS_NONE);
    EXPECT_FALSE(doc.document);
    EXPECT_EQ(doc.Version(), -1);
    HolidayArray rules;
    doc.AppendRules(rules);
    EXPECT_TRUE(rules.empty());
  }
  for (const std::string& path : kBad) std::remove(path.c_str());
  std::remove(good.c_str());
}

TEST(HolidaysDoc, VersionAndRulesOfTablesWithPartsMissing) {
  const struct {
    const char* xml;
    int version;
    size_t rules;
  } kCases[] = {
      {"<T/>", -1, 0},
      {"<T><Version/><Holidays/></T>", 0, 0},
      {"<T><Version>x</Version><Holiday/></T>", 0, 0},
      {"<T><Version>12</Version><Other><Holidays><Holiday/></Holidays></Other></T>", 12, 0},
      {"<T><Holidays><Holiday/></Holidays><Holidays><Holiday/><Holiday/></Holidays></T>", -1, 1},
  };
  for (const auto& c : kCases) {
    HolidaysDoc doc;
    doc.document = std::make_unique<XMLDocument>();
    ASSERT_EQ(doc.document->Parse(c.xml), tinyxml2::XML_SUCCESS);
    EXPECT_EQ(doc.Version(), c.version) << c.xml;
    HolidayArray rules;
    doc.AppendRules(rules);
    EXPECT_EQ(rules.size(), c.rules) << c.xml;
  }
}

}  // namespace
