// Day decoration types: how days of one class are drawn (text and shadow colour, frame,
// mark and image), which days a type applies to, and how one day's decoration is completed
// from an ordered list of types.
#pragma once

#include <cstdint>
#include <string>

#include "docs/platform.h"
#include "docs/xml_node.h"

// Attribute bits of CDayDeco::flags.
constexpr uint32_t kDecoColour = 0x1;
constexpr uint32_t kDecoShadow = 0x2;
constexpr uint32_t kDecoFrame = 0x4;
constexpr uint32_t kDecoMark = 0x10;
constexpr uint32_t kDecoImage = 0x40;
constexpr uint32_t kDecoAll = kDecoColour | kDecoShadow | kDecoFrame | kDecoMark | kDecoImage;

// A day cell's classification word carries the day's 六曜 above the class bits: 0 when the
// day has none (outside the old calendar's range, the weekday row), else 1 + its number
// (kTaian ... kButsumetsu). The check and mask of an entry test the class bits only.
constexpr uint32_t kClassBits = 0xFFFF;
constexpr uint32_t kRokuyoShift = 16;
constexpr uint32_t kRokuyoField = 0x7u << kRokuyoShift;
inline uint32_t RokuyoWord(int32_t rokuyo) {
  return rokuyo >= 0 && rokuyo < 6 ? static_cast<uint32_t>(rokuyo + 1) << kRokuyoShift : 0;
}
// Values of CDayDeco::rokuyo: 0 no condition, else 1 + the 六曜 wanted.
constexpr int32_t kRokuyoConditions = 7;

// Name of the standard entry that closes the list and supplies every attribute.
constexpr const char* kDefaultDecoName = "_default";

class CDayDeco : public CXmlNodeBase {
 public:
  CDayDeco() = default;
  CDayDeco(const CDayDeco& other) : CXmlNodeBase() { Assign(other); }
  CDayDeco& operator=(const CDayDeco& other) {
    Assign(other);
    return *this;
  }

  // Reads an element "DayDeco"; attributes it does not find stay absent.
  int Load(XMLElement* element) override;
  // Appends one "DayDeco" element to parent; itemName is ignored.
  int Save(XMLElement* parent, const char* itemName) override;

  void Assign(const CDayDeco& other);

  // True when a day with this classification word satisfies the condition.
  bool Matches(uint32_t word) const {
    return (word & kClassBits & mask) == check &&
           (rokuyo == 0 || (word & kRokuyoField) >> kRokuyoShift == static_cast<uint32_t>(rokuyo));
  }

  uint32_t flags = 0;
  uint32_t check = 0;
  uint32_t mask = 0;
  COLORREF colour = 0;
  COLORREF shadowColour = 0;
  int32_t frameLine = 0;
  COLORREF frameColour = 0;
  int32_t markType = 0;
  COLORREF markColour = 0;
  std::string imagePath;
  int32_t imageType = 0;
  std::string name;
  // The 六曜 condition, element "Rokuyo": 0 none, 1 ... 6 the day must be 大安, 赤口, 先勝,
  // 友引, 先負 or 仏滅. Files without the element, or with another value in it, read 0.
  int32_t rokuyo = 0;
};

class CDayDecoArray : public CXmlNodeArray<CDayDeco> {
 public:
  CDayDecoArray() = default;
  // Dialogs edit copies of the list; a copy owns copies of the entries.
  CDayDecoArray(const CDayDecoArray& other) : CXmlNodeArray<CDayDeco>() { Assign(other); }
  CDayDecoArray& operator=(const CDayDecoArray& other) {
    Assign(other);
    return *this;
  }

  // Appends one entry for every "DayDeco" child of the "DayDecoDef" element.
  int Load(XMLElement* element) override;
  // Rewrites the "DayDecoDef" element under parent with the entries in list order; a comment
  // that opens the element is kept, anything else inside it is replaced.
  int Save(XMLElement* parent, const char* itemName) override;

  // Replaces the entries with copies of other's.
  void Assign(const CDayDecoArray& other);

  // Completes target for a day with classification word: every attribute target lacks comes
  // from the first matching entry that has it; attributes target already has are kept.
  void ApplyDecorations(uint32_t word, CDayDeco& target) const;

  const std::string elementName = "DayDecoDef";
  const std::string entryName = "DayDeco";
};
