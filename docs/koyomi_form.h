// Element "KoyomiExpression" of the settings: how the old calendar is shown. The 暦 line in
// the day tooltips, the small line under each day number (the 六曜, or a solar term's name on
// its day) and its font size and colour. A file without the element, or with a value out of
// range in it, gives the defaults.
#pragma once

#include <cstdint>

#include "docs/xml_node.h"

constexpr int32_t kKoyomiFontMin = 5;
constexpr int32_t kKoyomiFontMax = 48;
constexpr int32_t kKoyomiFontDefault = 8;
constexpr int32_t kKoyomiColorDefault = 0xC0C0C0;

class CKoyomiForm : public CXmlItemBase {
 public:
  CKoyomiForm();
  void Assign(const CKoyomiForm& other);

  // Reads each child strictly: a value that is not a number, or not one this item can use,
  // leaves that member at its default.
  int Load(XMLElement* element) override;

  // Nonzero: the tooltip of every day gets the 暦 line ("旧暦10月29日 友引").
  int32_t TipLine = 1;
  // Nonzero: every day cell gets the small second line. Off by default: the 六曜 is not
  // welcome on every desk (official calendars leave it out).
  int32_t CellLine = 0;
  // Nonzero: the solar terms and seasonal days are named (tooltip and small line).
  int32_t SekkiName = 1;
  // Points, at 96 DPI like the other fonts.
  int32_t FontSize = kKoyomiFontDefault;
  int32_t Color = kKoyomiColorDefault;
};

// The small line's font height in 96-DPI pixels for a size in points (negative: a character
// height, as the other fonts of the settings store it).
int32_t KoyomiFontHeight(int32_t points);
