#include "docs/extern_apps.h"

#include <memory>

namespace {

std::string AttributeText(const XMLElement* element, const char* name) {
  const char* text = element->Attribute(name);
  return text ? text : "";
}

}  // namespace

int CExternApp::Load(XMLElement* element) {
  if (!element) return 0;
  const char* text = ElementText(element);
  File = text ? text : "";
  Menu = AttributeText(element, "menu");
  Verb = AttributeText(element, "verb");
  return 0;
}

CExternAppArray::CExternAppArray() : CXmlItemBase("ExternApps") {}

int CExternAppArray::Load(XMLElement* element) {
  if (!element) return 0;
  for (XMLElement* child = element->FirstChildElement("ExternApp"); child;
       child = child->NextSiblingElement("ExternApp")) {
    auto app = std::make_unique<CExternApp>();
    app->Load(child);
    Apps.push_back(app.get());
    app.release();
  }
  return 0;
}
