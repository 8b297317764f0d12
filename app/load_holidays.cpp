// Start-up step that fills the rule list from the three holiday tables.
#include <windows.h>

#include <string>

#include "app/calendar_app.h"
#include "docs/holiday_tables.h"
#include "docs/settings.h"

// After the project headers: the shell headers bring a COM XMLDocument of their own.
#include <shlwapi.h>

namespace {

// A file in the folder of the running program.
std::string ShippedFilePath(const char* name) {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  // The shell's path functions step over double-byte characters: the second byte of 表 or ソ
  // in a renamed program is the byte of a backslash and must not count as one.
  PathRemoveFileSpecA(path);
  if (!PathAppendA(path, name)) return std::string();
  return path;
}

// The shipped table and the address the shipped settings give it.
ShippedHolidays ProductHolidays() {
  ShippedHolidays shipped;
  shipped.tablePath = ShippedFilePath("Holidays00.xml");
  shipped.address = ShippedHolidayAddress(ShippedFilePath("Settings.xml"));
  return shipped;
}

}  // namespace

int CalendarApp::LoadHolidayTables() {
  CFileInfoArray& files = CSettings::Instance().HolidayInfo;
  // Done here rather than with the first-run copy of the settings, so a data folder that lost
  // its copy gets one again before the tables are opened.
  const ShippedHolidays shipped = ProductHolidays();
  CopyShippedHolidayTable(shipped, files);
  LoadHolidayTableList(
      files, HolidayArray::Instance(),
      [](HolidaysDoc& doc, const std::string& source) { return doc.Open(source); }, shipped,
      &EraTable::Instance());
  return 1;
}
