// The user's own menu entries: element "ExternApps" with one "ExternApp" per entry. The list
// is only ever edited in the file; the program reads it and never writes it.
#pragma once

#include <string>

#include "docs/xml_node.h"

class CExternApp : public CXmlNodeBase {
 public:
  int Load(XMLElement* element) override;

  // The file, program or document to open (the element's text).
  std::string File;
  // Text of its menu entry (attribute "menu").
  std::string Menu;
  // Shell verb used to open it (attribute "verb").
  std::string Verb;
};

class CExternAppArray : public CXmlItemBase {
 public:
  CExternAppArray();

  // Appends one entry per "ExternApp" child, in document order.
  int Load(XMLElement* element) override;

  CXmlNodeArray<CExternApp> Apps;
};
