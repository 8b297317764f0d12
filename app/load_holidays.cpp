// Start-up step that fills the rule list from the three holiday tables.
#include <windows.h>

#include <string>

#include "app/calendar_app.h"
#include "docs/holiday_tables.h"
#include "docs/settings.h"

namespace {

// "Holidays00.xml" in the folder of the running program.
std::string ShippedHolidayTablePath() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string folder(path, length);
  size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder + "Holidays00.xml";
}

}  // namespace

int CalendarApp::LoadHolidayTables() {
  CFileInfoArray& files = CSettings::Instance().HolidayInfo;
  // Done here rather than with the first-run copy of the settings, so a data folder that lost
  // its copy gets one again before the tables are opened.
  CopyShippedHolidayTable(ShippedHolidayTablePath(), files);
  LoadHolidayTableList(files, HolidayArray::Instance(),
                       [](HolidaysDoc& doc, const std::string& source) { return doc.Open(source); });
  return 1;
}
