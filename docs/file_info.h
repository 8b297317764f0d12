// Where the three holiday tables come from: element "HolidayInfo" of the settings file.
// Tables 0 and 1 are configured in the file; table 2 is always the user's own local file.
#pragma once

#include <string>

#include "docs/xml_node.h"

constexpr int kHolidayTableCount = 3;

class CHoliFileInfo : public CXmlNodeBase {
 public:
  // Reads the table's element: its text is the source, "LocalCopy" and "LocalVer" its
  // attributes.
  int Load(XMLElement* element) override;

  // "HolidayTable%02d" of the table number.
  std::string ElementName;
  // URL or local path of the table.
  std::string Source;
  // Nonzero: keep a local copy of a downloaded table and fall back to it.
  int LocalCopy = 0;
  // Version of the local copy.
  int LocalVer = 0;
  bool FromSettings = true;
};

class CFileInfoArray : public CXmlNodeBase {
 public:
  CFileInfoArray();

  int Load(XMLElement* element) override;

  // Under root, finds or appends "HolidayInfo" and in it the element of the given table, and
  // sets its "LocalVer" attribute. The caller reads and writes the file around it. Table
  // numbers outside 0-2 change nothing.
  void SetLocalVer(XMLElement* root, int table, int version);

  CHoliFileInfo& operator[](int table) { return Tables[table]; }
  const CHoliFileInfo& operator[](int table) const { return Tables[table]; }

  CHoliFileInfo Tables[kHolidayTableCount];

 private:
  // Names the table elements and gives table 2 its fixed source; also done at construction so
  // a settings file without "HolidayInfo" still gets the user's own table.
  void SetFixedValues();
};
