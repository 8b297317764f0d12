#include "docs/holiday_tables.h"

#include <cstdio>

#include "docs/data_folder.h"
#include "docs/file_save.h"

namespace {

// Writes the version of a table's local copy into the settings file by rewriting the file
// around the one attribute; a settings file that cannot be read is left alone.
bool RecordLocalVer(CFileInfoArray& files, int table, int version) {
  XMLDocument settings;
  if (LoadXmlFile(settings, SettingsPath) != tinyxml2::XML_SUCCESS) return false;
  XMLElement* root = settings.RootElement();
  if (!root) return false;
  files.SetLocalVer(root, table, version);
  return SaveXmlFile(settings, SettingsPath) == 0;
}

HolidayTableUse FallBackToLocalCopy(const CHoliFileInfo& info, int table, HolidaysDoc& doc,
                                    bool copyIsForeign) {
  if (info.LocalCopy && !copyIsForeign && doc.LoadFile(LocalCopyPath(table)) == 0) {
    return TABLE_FROM_LOCAL_COPY;
  }
  doc.document.reset();
  doc.origin = HOLIDAYS_NONE;
  return TABLE_UNUSED;
}

void RefreshLocalCopy(CFileInfoArray& files, int table, HolidaysDoc& doc, bool copyIsForeign) {
  const CHoliFileInfo& info = files[table];
  if (!info.LocalCopy) return;
  int version = doc.Version();
  std::string path = LocalCopyPath(table);
  bool newVersion = version != info.LocalVer;
  // A copy that has gone missing is written again even when the version is the recorded one;
  // otherwise it would never come back until the table's version changes. So is a copy of
  // some other table that happens to carry the recorded version.
  if (!newVersion && !copyIsForeign && FileExists(path)) return;
  if (SaveXmlFile(*doc.document, path) != 0) return;
  if (newVersion) RecordLocalVer(files, table, version);
}

// Read with stdio: a C++ file stream would bring the whole stream and locale library into the
// program, and its set-up into the start.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  bytes.clear();
  char block[4096];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0) bytes.append(block, got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  return !failed;
}

}  // namespace

bool ShippedHolidays::IsProductTable(const CFileInfoArray& files) const {
  return !address.empty() && files[0].Source == address;
}

bool ShippedHolidays::ShadowsUserTable(const CFileInfoArray& files, int table) const {
  if (table != 0 || tablePath.empty() || IsProductTable(files)) return false;
  std::string copy, shipped;
  if (!ReadWholeFile(LocalCopyPath(0), copy) || !ReadWholeFile(tablePath, shipped)) return false;
  return copy == shipped;
}

std::string ShippedHolidayAddress(const std::string& shippedSettingsPath) {
  XMLDocument settings;
  if (LoadXmlFile(settings, shippedSettingsPath) != tinyxml2::XML_SUCCESS) return std::string();
  XMLElement* info = FirstChild(settings.RootElement(), "HolidayInfo");
  if (!info) return std::string();
  CFileInfoArray files;
  files.Load(info);
  return files[0].Source;
}

std::string LocalCopyPath(int table) {
  char name[32];
  std::snprintf(name, sizeof name, "Holidays%02d.xml", table);
  return DataFolder + name;
}

bool IsHolidayTable(const HolidaysDoc& doc) {
  if (!doc.document) return false;
  return FirstChild(doc.document->RootElement(), "Holidays") != nullptr;
}

HolidayTableUse UseHolidayTable(CFileInfoArray& files, int table, HolidaysDoc& doc, int openResult,
                                HolidayArray& rules, bool copyIsForeign, EraTable* eras) {
  HolidayTableUse use = TABLE_FROM_SOURCE;
  // Something that is not a holiday table at all (an error page that happens to be
  // well-formed, say) is treated like a failed source, so it never replaces a good local copy.
  if (openResult < 0 || !IsHolidayTable(doc)) {
    use = FallBackToLocalCopy(files[table], table, doc, copyIsForeign);
  } else {
    RefreshLocalCopy(files, table, doc, copyIsForeign);
  }
  doc.AppendRules(rules);
  if (eras) doc.AppendEras(*eras);
  doc.document.reset();
  doc.origin = HOLIDAYS_NONE;
  return use;
}

void LoadHolidayTableList(CFileInfoArray& files, HolidayArray& rules, const OpenHolidaySource& open,
                          const ShippedHolidays& shipped, EraTable* eras) {
  for (int table = 0; table < kHolidayTableCount; ++table) {
    const std::string& source = files[table].Source;
    if (source.empty()) continue;
    HolidaysDoc doc;
    int result = open(doc, source);
    UseHolidayTable(files, table, doc, result, rules, shipped.ShadowsUserTable(files, table), eras);
  }
}

bool CopyShippedHolidayTable(const ShippedHolidays& shipped, CFileInfoArray& files) {
  if (!shipped.IsProductTable(files)) return false;
  std::string target = LocalCopyPath(0);
  if (FileExists(target)) return false;
  HolidaysDoc table;
  if (table.LoadFile(shipped.tablePath) != 0 || !IsHolidayTable(table)) return false;
  std::string bytes;
  if (!ReadWholeFile(shipped.tablePath, bytes)) return false;
  if (!SaveFileAtomically(target, bytes.data(), bytes.size())) return false;
  // From now on the record describes the copy on disk, even if the settings file could not be
  // updated: a download of any other version then replaces the copy.
  int version = table.Version();
  if (version != files[0].LocalVer) RecordLocalVer(files, 0, version);
  files[0].LocalVer = version;
  return true;
}
