// The items of the settings document: general options, window positions and the three
// display forms with the background. Each registers its persisted members in file order;
// the constructor values are the defaults that stay when an element is missing or empty.
// Colours are Windows colour references (0x00BBGGRR) held in 32-bit ints.
#pragma once

#include <cstdint>
#include <string>

#include "docs/font_data.h"
#include "docs/xml_node.h"

// A window position, element "WinPos" or "HomePos" as its owner names it.
class CWinPos : public CXmlItemBase {
 public:
  explicit CWinPos(const char* name);

  // Missing children read 0, not the previous value.
  int Load(XMLElement* element) override;
  // Writes the whole position, "Top" first, whatever the filter.
  int Save(XMLElement* parent, const char* itemName) override;

  int32_t Top = 0;
  int32_t Left = 0;
  // Set once the element was read from a file (or written there): a settings file without a
  // position leaves the first place to the program.
  bool fromFile = false;
};

// The memo files' prefix names files in the data folder only: false for a text with a path
// separator ('\\' or '/'), a drive colon or "..", read as Shift_JIS (the trail byte 0x5C of 表 or
// ソ is part of the character, not a separator).
bool MemoPrefixIsPlain(const std::string& prefix);

// Element "Options".
class COptions : public CXmlItemBase {
 public:
  COptions();
  // A "MemoXml" that would name a file outside the data folder reads as "ZantoMemo".
  int Load(XMLElement* element) override;

  std::string MemoXml = "ZantoMemo";
  int32_t BackMode = 0;
  int32_t AutoDisplayNow = 0;
  std::string Buttons;
  CWinPos WinPos{"WinPos"};
  CWinPos HomePos{"HomePos"};
  int32_t DelayPopup = 60;
  int32_t AlwaysBottom = 1;
  int32_t EnableStopPWM = 0;
  int32_t CustColor[kHexListSize];
  // Stored in decimal: 0x010101.
  int32_t ColorTrans = 65793;
};

// Element "Adjust": pixel corrections of a day cell's decoration box.
class CAdjust : public CXmlItemBase {
 public:
  CAdjust();
  void Assign(const CAdjust& other);

  int32_t Top = 0;
  int32_t Left = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// Element "MonthExpression": the year/month heading.
class CMonthForm : public CXmlItemBase {
 public:
  CMonthForm();
  // Copies the persisted values; element names and item tables stay this object's.
  void Assign(const CMonthForm& other);

  CFontData Font;
  int32_t Position = 0;
  std::string Format;
  int32_t Color = 0;
  int32_t ShadowColor = 0;
  int32_t Locale = 0x409;
  int32_t SpaceY = 0;
  // Nonzero: the era codes of Format write the first year of an era as 元 (令和元年).
  int32_t Gannen = 1;
};

// Element "HeaderExpression": the weekday row.
class CHeaderForm : public CXmlItemBase {
 public:
  CHeaderForm();
  void Assign(const CHeaderForm& other);

  int32_t Flag = 0;
  CFontData Font;
  int32_t StartDayOfWeek = 0;
  // Seven titles, Sunday first, separated by single spaces.
  std::string WeekTitle;
  int32_t SpaceY = 0;
};

// Element "DateExpression": the day cells.
class CDayForm : public CXmlItemBase {
 public:
  CDayForm();
  void Assign(const CDayForm& other);

  CFontData Font;
  CAdjust Adjust;
  int32_t SpaceX = 0;
  int32_t SpaceY = 0;
};

// Element "BackPaint".
class CBackForm : public CXmlItemBase {
 public:
  CBackForm();
  void Assign(const CBackForm& other);

  // Bits 0x1 wallpaper, 0x2 fill, 0x4 transparent: background modes not to be used.
  int32_t ModeUnavail = 0;
  // 0x1000000 stands for the desktop colour.
  int32_t ColorBack = static_cast<int32_t>(0xFFFFFFFFu);
};
