#include "docs/holidays_doc.h"

#include <cstdlib>

int HolidaysDoc::LoadFile(const std::string& path) {
  document = std::make_unique<XMLDocument>();
  if (LoadXmlFile(*document, path) != tinyxml2::XML_SUCCESS) {
    document.reset();
    origin = HOLIDAYS_NONE;
    return kHolidaysFileError;
  }
  origin = HOLIDAYS_LOCAL_FILE;
  return 0;
}

void HolidaysDoc::AppendRules(HolidayArray& rules) const {
  if (!document) return;
  XMLElement* root = document->RootElement();
  if (!root) return;
  if (XMLElement* list = root->FirstChildElement(rules.elementName.c_str())) rules.Load(list);
}

void HolidaysDoc::AppendEras(EraTable& eras) const {
  if (!document) return;
  eras.Load(FirstChild(document->RootElement(), kErasElement));
}

int HolidaysDoc::Version() const {
  if (!document) return -1;
  XMLElement* version = FirstChild(document->RootElement(), "Version");
  if (!version) return -1;
  const char* text = ElementText(version);
  return text ? std::atoi(text) : 0;
}
