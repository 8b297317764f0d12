#include "docs/koyomi_form.h"

#include <cerrno>
#include <cstdlib>

namespace {

// The whole text as a number of the base, blanks around it allowed; false for anything else.
bool ParseWhole(const char* text, int base, long long& value) {
  if (!text) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text, &end, base);
  if (end == text || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') ++end;
  return *end == '\0';
}

void ReadChoice(XMLElement* element, const char* name, int32_t& target) {
  long long value = 0;
  if (ParseWhole(ElementText(FirstChild(element, name)), 10, value) && (value == 0 || value == 1)) {
    target = static_cast<int32_t>(value);
  }
}

}  // namespace

CKoyomiForm::CKoyomiForm() : CXmlItemBase("KoyomiExpression") {
  AddItem(ITEM_INT, "TipLine", &TipLine);
  AddItem(ITEM_INT, "CellLine", &CellLine);
  AddItem(ITEM_INT, "SekkiName", &SekkiName);
  AddItem(ITEM_INT, "FontSize", &FontSize);
  AddItem(ITEM_HEX, "Color", &Color);
}

void CKoyomiForm::Assign(const CKoyomiForm& other) {
  TipLine = other.TipLine;
  CellLine = other.CellLine;
  SekkiName = other.SekkiName;
  FontSize = other.FontSize;
  Color = other.Color;
}

int CKoyomiForm::Load(XMLElement* element) {
  if (!element) return 0;
  ReadChoice(element, "TipLine", TipLine);
  ReadChoice(element, "CellLine", CellLine);
  ReadChoice(element, "SekkiName", SekkiName);
  long long value = 0;
  if (ParseWhole(ElementText(FirstChild(element, "FontSize")), 10, value) &&
      value >= kKoyomiFontMin && value <= kKoyomiFontMax) {
    FontSize = static_cast<int32_t>(value);
  }
  const char* colour = ElementText(FirstChild(element, "Color"));
  if (colour && *colour != '-' && *colour != '+' && ParseWhole(colour, 16, value) && value >= 0 &&
      value <= 0xFFFFFF) {
    Color = static_cast<int32_t>(value);
  }
  return 0;
}

int32_t KoyomiFontHeight(int32_t points) {
  if (points < kKoyomiFontMin || points > kKoyomiFontMax) points = kKoyomiFontDefault;
  // The inverse of the point size the font page shows, (|height| * 3 + 2) / 4.
  return -((points * 4 + 1) / 3);
}
