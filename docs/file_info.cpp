#include "docs/file_info.h"

#include <cstdio>

#include "docs/data_folder.h"

namespace {

constexpr int kUserTable = 2;

std::string TableName(const char* format, int table) {
  char text[32];
  std::snprintf(text, sizeof text, format, table);
  return text;
}

}  // namespace

int CHoliFileInfo::Load(XMLElement* element) {
  if (!element) return 0;
  const char* text = ElementText(element);
  Source = text ? text : "";
  LocalCopy = 0;
  LocalVer = 0;
  element->QueryIntAttribute("LocalCopy", &LocalCopy);
  element->QueryIntAttribute("LocalVer", &LocalVer);
  return 0;
}

CFileInfoArray::CFileInfoArray() { SetFixedValues(); }

void CFileInfoArray::SetFixedValues() {
  Tables[kUserTable].FromSettings = false;
  for (int table = 0; table < kHolidayTableCount; ++table) {
    Tables[table].ElementName = TableName("HolidayTable%02d", table);
  }
  // Never read from the file, so always the user's own table in the data folder.
  Tables[kUserTable].Source = DataFolder + TableName("Holidays%02d.xml", kUserTable);
}

int CFileInfoArray::Load(XMLElement* element) {
  if (!element) return 0;
  for (CHoliFileInfo& info : Tables) {
    if (!info.FromSettings) continue;
    XMLElement* child = FirstChild(element, info.ElementName.c_str());
    if (child) info.Load(child);
  }
  SetFixedValues();
  return 0;
}

void CFileInfoArray::SetLocalVer(XMLElement* root, int table, int version) {
  if (!root || table < 0 || table >= kHolidayTableCount) return;
  XMLElement* info = FindOrAppendChild(root, "HolidayInfo");
  XMLElement* entry = FindOrAppendChild(info, Tables[table].ElementName.c_str());
  entry->SetAttribute("LocalVer", version);
}
