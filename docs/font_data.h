// A font description kept in the settings file as a "Font" element: the LOGFONTA fields the
// calendar persists plus the offset of the text's shadow.
#pragma once

#include <string>

#include "docs/platform.h"
#include "docs/xml_node.h"

class CFontData : public CXmlNodeBase {
 public:
  CFontData();

  // Reads the "Font" element itself; inside a present element a missing child reads 0.
  int Load(XMLElement* element) override;
  // Finds or appends "Font" under parent and rewrites its ten children.
  int Save(XMLElement* parent, const char* itemName) override;

  // Copies the persisted values (LOGFONTA and Shadow); the font handle stays this object's.
  void Assign(const CFontData& other);

  // Copies name into lfFaceName, cut to what fits without splitting a double-byte character.
  void SetFaceName(const std::string& name);
  std::string FaceName() const;

  // Created from LogFont by the layout and deleted by it; never persisted.
  HFONT Handle = nullptr;
  LOGFONTA LogFont;
  int Shadow = 0;
};
