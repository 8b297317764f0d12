// The settings document: everything the calendar can be told, kept in "Settings.xml" in the
// data folder. One object for the whole process, loaded once at start-up; every change is
// written back at once by rewriting only the element concerned inside the file on disk.
#pragma once

#include "calendar/day_deco.h"
#include "docs/extern_apps.h"
#include "docs/file_info.h"
#include "docs/koyomi_form.h"
#include "docs/settings_items.h"
#include "docs/xml_node.h"

class CSettings : public CXmlItemBase {
 public:
  // The process-wide settings, created with every value at its default on the first call and
  // kept until the process ends.
  static CSettings& Instance();

  // A separate document with defaults; the program uses Instance(), tests make their own.
  CSettings();

  // Reads SettingsPath and loads every item from its root element, whatever that is called.
  // Returns 0, or the XML library's error code when the file cannot be read or parsed (the
  // values then stay at their defaults).
  int Load();
  // The element is ignored: the settings always come from their own file.
  int Load(XMLElement* element) override;

  // Rewrites the one child of "Options" called name (a window position as a whole) inside the
  // file. Returns 0, or the library's error code when the file could not be read or written.
  int SaveOption(const char* name);
  // Rewrites the heading, weekday row, day cell, background and old-calendar items inside the
  // file.
  int SaveDisplayForms();
  // Rewrites the decoration list inside the file.
  int SaveDayDecoDef();

  CFileInfoArray HolidayInfo;
  COptions Options;
  CMonthForm MonthExpression;
  CHeaderForm HeaderExpression;
  CDayForm DateExpression;
  CBackForm BackPaint;
  CDayDecoArray DayDecoDef;
  CExternAppArray ExternApps;
  CKoyomiForm KoyomiExpression;
};
