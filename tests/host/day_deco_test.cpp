#include <gtest/gtest.h>

#include <string>

#include "calendar/day_deco.h"
#include "tests/common/test_files.h"

namespace {



const char* const kFullEntry =
    "<DayDeco check=\"00000900\" mask=\"00000900\" name=\"\x8f\x6a\x93\xfa\">"
    "<Color>0000ff</Color><ShadowColor>808080</ShadowColor>"
    "<Frame><Line>3</Line><Color>00ff00</Color></Frame>"
    "<Mark><Type>2</Type><Color>ffffffff</Color></Mark>"
    "<Image><Type>1</Type><Path>C:\\img\\a.png</Path></Image></DayDeco>";

CDayDeco Entry(uint32_t check, uint32_t mask, uint32_t flags, COLORREF colour, const char* name = "") {
  CDayDeco deco;
  deco.check = check;
  deco.mask = mask;
  deco.flags = flags;
  deco.colour = colour;
  deco.shadowColour = colour ^ 0x10;
  deco.frameLine = 2;
  deco.frameColour = colour ^ 0x20;
  deco.markType = 1;
  deco.markColour = colour ^ 0x30;
  deco.imageType = 3;
  deco.imagePath = std::string("img") + name;
  deco.name = name;
  return deco;
}

void Append(CDayDecoArray& list, const CDayDeco& deco) { list.push_back(new CDayDeco(deco)); }

// The list the calendar ships with: national holidays in red, then the standard entry.
void RedHolidayList(CDayDecoArray& list) {
  Append(list, Entry(0x900, 0x900, kDecoColour, 0x0000FF));
  CDayDeco standard = Entry(0, 0, kDecoAll, 0x000000, kDefaultDecoName);
  standard.shadowColour = 0x808080;
  standard.frameLine = 0;
  standard.markType = 0;
  standard.imageType = 0;
  standard.imagePath.clear();
  Append(list, standard);
}

TEST(DayDeco, LoadsEveryAttribute) {
  XMLDocument doc;
  CDayDeco deco;
  deco.Load(Parse(doc, kFullEntry));
  EXPECT_EQ(deco.flags, kDecoAll);
  EXPECT_EQ(deco.check, 0x900u);
  EXPECT_EQ(deco.mask, 0x900u);
  EXPECT_EQ(deco.name, "\x8f\x6a\x93\xfa");
  EXPECT_EQ(deco.colour, 0xFFu);
  EXPECT_EQ(deco.shadowColour, 0x808080u);
  EXPECT_EQ(deco.frameLine, 3);
  EXPECT_EQ(deco.frameColour, 0xFF00u);
  EXPECT_EQ(deco.markType, 2);
  EXPECT_EQ(deco.markColour, 0xFFFFFFFFu);
  EXPECT_EQ(deco.imageType, 1);
  EXPECT_EQ(deco.imagePath, "C:\\img\\a.png");
}

TEST(DayDeco, SaveWritesTheFormItReads) {
  XMLDocument in;
  CDayDeco deco;
  deco.Load(Parse(in, kFullEntry));
  XMLDocument out;
  deco.Save(Parse(out, "<P/>"), nullptr);
  EXPECT_EQ(Print(out), std::string("<P>") + kFullEntry + "</P>");
}

TEST(DayDeco, AbsentAttributesAreNeitherReadNorWritten) {
  XMLDocument in;
  CDayDeco deco;
  deco.Load(Parse(in, "<DayDeco><ShadowColor>123456</ShadowColor><Other/></DayDeco>"));
  EXPECT_EQ(deco.flags, kDecoShadow);
  EXPECT_EQ(deco.check, 0u);
  EXPECT_EQ(deco.mask, 0u);
  EXPECT_EQ(deco.name, "");

  // Values of absent attributes stay in the record but are not written; mask 0 writes no
  // condition even when check is not 0.
  deco.colour = 0xABCDEF;
  deco.check = 0x20;
  XMLDocument out;
  deco.Save(Parse(out, "<P/>"), nullptr);
  EXPECT_EQ(Print(out), "<P><DayDeco><ShadowColor>123456</ShadowColor></DayDeco></P>");

  CDayDeco back;
  back.Load(out.RootElement()->FirstChildElement("DayDeco"));
  EXPECT_EQ(back.check, 0u);
  EXPECT_EQ(back.mask, 0u);
}

TEST(DayDeco, EmptyValueElementsReadZeroAndStillSetTheirAttribute) {
  XMLDocument doc;
  CDayDeco deco;
  deco.imagePath = "kept";
  deco.markColour = 0x55;
  deco.Load(Parse(doc, "<DayDeco><Color/><Frame/><Mark><Type>1</Type></Mark><Image><Type>2</Type></Image></DayDeco>"));
  EXPECT_EQ(deco.flags, kDecoColour | kDecoFrame | kDecoMark | kDecoImage);
  EXPECT_EQ(deco.colour, 0u);
  EXPECT_EQ(deco.frameLine, 0);
  EXPECT_EQ(deco.markColour, 0x55u);
  EXPECT_EQ(deco.imagePath, "kept");

  XMLDocument doc2;
  deco.Load(Parse(doc2, "<DayDeco><Image><Path><Sub/></Path></Image></DayDeco>"));
  EXPECT_EQ(deco.imagePath, "");
}

TEST(DayDeco, AssignAndCopiesAreIndependent) {
  CDayDeco original = Entry(0x10, 0x10, kDecoAll, 0x123456, "sunday");
  CDayDeco copy;
  copy.Assign(original);
  CDayDeco constructed(original);
  for (const CDayDeco* deco : {&copy, &constructed}) {
    EXPECT_EQ(deco->flags, original.flags);
    EXPECT_EQ(deco->check, original.check);
    EXPECT_EQ(deco->mask, original.mask);
    EXPECT_EQ(deco->colour, original.colour);
    EXPECT_EQ(deco->shadowColour, original.shadowColour);
    EXPECT_EQ(deco->frameLine, original.frameLine);
    EXPECT_EQ(deco->frameColour, original.frameColour);
    EXPECT_EQ(deco->markType, original.markType);
    EXPECT_EQ(deco->markColour, original.markColour);
    EXPECT_EQ(deco->imageType, original.imageType);
    EXPECT_EQ(deco->imagePath, original.imagePath);
    EXPECT_EQ(deco->name, original.name);
  }
  copy.name = "changed";
  EXPECT_EQ(original.name, "sunday");
}

TEST(DayDecoArray, LoadAppendsEntriesInDocumentOrder) {
  XMLDocument doc;
  XMLElement* def = Parse(doc,
                          "<DayDecoDef><!-- note --><DayDeco name=\"a\"/><Other name=\"x\"/>"
                          "<DayDeco name=\"b\"/></DayDecoDef>");
  CDayDecoArray list;
  list.Load(def);
  list.Load(def);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0]->name, "a");
  EXPECT_EQ(list[1]->name, "b");
  EXPECT_EQ(list[3]->name, "b");
}

TEST(DayDecoArray, SaveKeepsOnlyALeadingComment) {
  XMLDocument doc;
  XMLElement* root = Parse(doc,
                           "<Settings><Options/><DayDecoDef><!-- mine --><DayDeco name=\"old\"/><!-- lost -->"
                           "<DayDeco/></DayDecoDef><DayDecoDef><DayDeco name=\"second\"/></DayDecoDef></Settings>");
  CDayDecoArray list;
  Append(list, Entry(0x10, 0x10, kDecoColour, 0xFF, "a"));
  Append(list, Entry(0, 0, 0, 0));
  list.Save(root, nullptr);
  EXPECT_EQ(Print(doc),
            "<Settings><Options/><DayDecoDef><!-- mine -->"
            "<DayDeco check=\"00000010\" mask=\"00000010\" name=\"a\"><Color>0000ff</Color></DayDeco>"
            "<DayDeco/></DayDecoDef><DayDecoDef><DayDeco name=\"second\"/></DayDecoDef></Settings>");

  // Saving twice gives the same element again.
  list.Save(root, nullptr);
  CDayDecoArray back;
  back.Load(root->FirstChildElement("DayDecoDef"));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0]->colour, 0xFFu);
}

TEST(DayDecoArray, SaveCreatesTheElementAndDropsAnEmptyComment) {
  XMLDocument doc;
  XMLElement* root = Parse(doc, "<Settings><Options/></Settings>");
  CDayDecoArray list;
  list.Save(root, nullptr);
  EXPECT_EQ(Print(doc), "<Settings><Options/><DayDecoDef/></Settings>");

  XMLDocument doc2;
  XMLElement* root2 = Parse(doc2, "<Settings><DayDecoDef><!----><DayDeco/></DayDecoDef></Settings>");
  list.Save(root2, nullptr);
  EXPECT_EQ(Print(doc2), "<Settings><DayDecoDef/></Settings>");
}

TEST(DayDecoArray, CopiesOwnTheirEntries) {
  CDayDecoArray list;
  RedHolidayList(list);
  CDayDecoArray copy(list);
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_NE(copy[0], list[0]);
  EXPECT_EQ(copy[1]->name, kDefaultDecoName);
  copy[0]->colour = 0x123;
  EXPECT_EQ(list[0]->colour, 0xFFu);

  CDayDecoArray assigned;
  Append(assigned, Entry(0, 0, 0, 0, "gone"));
  assigned = list;
  ASSERT_EQ(assigned.size(), 2u);
  EXPECT_EQ(assigned[0]->colour, 0xFFu);
  assigned = assigned;
  EXPECT_EQ(assigned.size(), 2u);
}

TEST(ApplyDecorations, RedHolidaysOverTheStandardEntry) {
  CDayDecoArray list;
  RedHolidayList(list);

  CDayDeco holiday;
  list.ApplyDecorations(0x940, holiday);
  EXPECT_EQ(holiday.flags, kDecoAll);
  EXPECT_EQ(holiday.colour, 0xFFu);
  EXPECT_EQ(holiday.shadowColour, 0x808080u);
  EXPECT_EQ(holiday.frameLine, 0);
  EXPECT_EQ(holiday.imagePath, "");

  CDayDeco plain;
  list.ApplyDecorations(0x40, plain);
  EXPECT_EQ(plain.colour, 0u);
  EXPECT_EQ(plain.shadowColour, 0x808080u);

  // A substitute day (0xA00) is no national holiday for the "祝日" condition.
  CDayDeco substitute;
  list.ApplyDecorations(0xA40, substitute);
  EXPECT_EQ(substitute.colour, 0u);

  // The memo's own blue wins; the shadow still comes from the list.
  CDayDeco memo;
  memo.flags = kDecoColour;
  memo.colour = 0xFF0000;
  list.ApplyDecorations(0x940, memo);
  EXPECT_EQ(memo.colour, 0xFF0000u);
  EXPECT_EQ(memo.shadowColour, 0x808080u);
}

TEST(ApplyDecorations, FirstMatchingEntryWinsEachAttribute) {
  CDayDecoArray list;
  Append(list, Entry(0x10, 0x10, kDecoColour, 0x0000FF));         // 日曜日
  Append(list, Entry(0, 0xF00, kDecoColour | kDecoMark, 0x00FF00));  // 休日以外
  Append(list, Entry(0x900, 0x900, kDecoAll, 0x111111));           // 祝日
  Append(list, Entry(0, 0, kDecoAll, 0x222222));                   // every day

  CDayDeco sunday;
  list.ApplyDecorations(0x10, sunday);
  EXPECT_EQ(sunday.colour, 0x0000FFu);
  EXPECT_EQ(sunday.markColour, 0x00FF00u ^ 0x30);
  EXPECT_EQ(sunday.shadowColour, 0x222222u ^ 0x10);

  CDayDeco saturdayHoliday;
  list.ApplyDecorations(0x920, saturdayHoliday);
  EXPECT_EQ(saturdayHoliday.colour, 0x111111u);
  EXPECT_EQ(saturdayHoliday.frameColour, 0x111111u ^ 0x20);

  // A day of table 10 only counts as "not a holiday".
  CDayDeco personal;
  list.ApplyDecorations(0x1040, personal);
  EXPECT_EQ(personal.colour, 0x00FF00u);
}

TEST(ApplyDecorations, AnEmptyFrameBlocksTheFramesOfLaterEntries) {
  XMLDocument doc;
  CDayDecoArray list;
  list.Load(Parse(doc,
                  "<DayDecoDef><DayDeco check=\"00000001\" mask=\"00000001\"><Frame/></DayDeco>"
                  "<DayDeco><Frame><Line>1</Line><Color>ff</Color></Frame></DayDeco></DayDecoDef>"));
  CDayDeco today;
  list.ApplyDecorations(0x41, today);
  EXPECT_EQ(today.flags, kDecoFrame);
  EXPECT_EQ(today.frameLine, 0);
  CDayDeco other;
  list.ApplyDecorations(0x40, other);
  EXPECT_EQ(other.frameLine, 1);
}

TEST(ApplyDecorations, ConditionsThatCanNeverMatchAndTheWeekdayRow) {
  CDayDecoArray list;
  Append(list, Entry(0x30, 0x10, kDecoAll, 0x333333));  // a check bit outside the mask
  Append(list, Entry(0, 0, kDecoAll, 0x444444));
  CDayDeco day;
  list.ApplyDecorations(0xFFFFFFFF, day);
  EXPECT_EQ(day.colour, 0x444444u);

  // The weekday row asks for the colours only.
  CDayDeco row;
  row.flags = kDecoFrame | kDecoMark | kDecoImage;
  list.ApplyDecorations(0x10, row);
  EXPECT_EQ(row.flags, kDecoAll);
  EXPECT_EQ(row.colour, 0x444444u);
  EXPECT_EQ(row.frameLine, 0);
  EXPECT_EQ(row.imagePath, "");
}

}  // namespace
