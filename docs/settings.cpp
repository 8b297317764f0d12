#include "docs/settings.h"

#include <functional>

#include "docs/data_folder.h"

namespace {

// Read-modify-write of the settings file: read it whole, let write change the root element,
// write it back. Nothing is written when the file cannot be read or has no root element.
int RewriteSettings(const std::function<void(XMLElement* root)>& write) {
  XMLDocument doc;
  int error = LoadXmlFile(doc, SettingsPath);
  if (error != tinyxml2::XML_SUCCESS) return error;
  XMLElement* root = doc.FirstChildElement();
  if (!root) return 0;
  write(root);
  return SaveXmlFile(doc, SettingsPath);
}

}  // namespace

CSettings& CSettings::Instance() {
  // Never deleted: other objects may still read the settings while the process ends.
  static CSettings* settings = new CSettings;
  return *settings;
}

CSettings::CSettings() : CXmlItemBase("") {
  AddItem(ITEM_OBJECT, "HolidayInfo", &HolidayInfo);
  AddItem(ITEM_OBJECT, Options.ElementName().c_str(), &Options);
  AddItem(ITEM_OBJECT, MonthExpression.ElementName().c_str(), &MonthExpression);
  AddItem(ITEM_OBJECT, HeaderExpression.ElementName().c_str(), &HeaderExpression);
  AddItem(ITEM_OBJECT, DateExpression.ElementName().c_str(), &DateExpression);
  AddItem(ITEM_OBJECT, BackPaint.ElementName().c_str(), &BackPaint);
  AddItem(ITEM_OBJECT, DayDecoDef.elementName.c_str(), &DayDecoDef);
  AddItem(ITEM_OBJECT, ExternApps.ElementName().c_str(), &ExternApps);
  AddItem(ITEM_OBJECT, KoyomiExpression.ElementName().c_str(), &KoyomiExpression);
}

int CSettings::Load() {
  XMLDocument doc;
  int error = LoadXmlFile(doc, SettingsPath);
  if (error != tinyxml2::XML_SUCCESS) return error;
  XMLElement* root = doc.FirstChildElement();
  if (!root) return 0;
  return CXmlItemBase::Load(root);
}

int CSettings::Load(XMLElement*) { return Load(); }

int CSettings::SaveOption(const char* name) {
  return RewriteSettings([&](XMLElement* root) { Options.Save(root, name); });
}

int CSettings::SaveDisplayForms() {
  return RewriteSettings([&](XMLElement* root) {
    MonthExpression.Save(root, nullptr);
    HeaderExpression.Save(root, nullptr);
    DateExpression.Save(root, nullptr);
    BackPaint.Save(root, nullptr);
    KoyomiExpression.Save(root, nullptr);
  });
}

int CSettings::SaveDayDecoDef() {
  return RewriteSettings([&](XMLElement* root) { DayDecoDef.Save(root, nullptr); });
}
