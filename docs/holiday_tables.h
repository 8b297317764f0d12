// Loading the three holiday tables at start-up: each is opened from its source (downloaded or
// read from a file); a table marked for a local copy falls back to that copy when its source
// fails and refreshes it when a new version arrives, recording the version in the settings
// file. The rules of every table used are appended to the rule list, table after table.
#pragma once

#include <functional>
#include <string>

#include "docs/file_info.h"
#include "docs/holiday.h"
#include "docs/holidays_doc.h"

// Opens a table's source into a holder: HolidaysDoc::Open in the program; tests pass their own.
using OpenHolidaySource = std::function<int(HolidaysDoc& doc, const std::string& source)>;

// Which document supplied a table's rules.
enum HolidayTableUse {
  TABLE_UNUSED = 0,
  TABLE_FROM_SOURCE = 1,
  TABLE_FROM_LOCAL_COPY = 2,
};

// The product's own national table: the table file shipped beside the program and the address
// the shipped settings give table 0. Table 0 is the product's table only while its source is
// that address; a user who points it elsewhere has configured a table of their own.
struct ShippedHolidays {
  std::string tablePath;
  std::string address;

  bool IsProductTable(const CFileInfoArray& files) const;
  // True when the local copy of table is the shipped table although the table is not the
  // product's: a copy seeded while table 0 still had the product's address.
  bool ShadowsUserTable(const CFileInfoArray& files, int table) const;
};

// Table 0's source in a settings file (the one shipped beside the program); empty when the
// file cannot be read or has none.
std::string ShippedHolidayAddress(const std::string& shippedSettingsPath);

// DataFolder + "Holidays%02d.xml" of the table number.
std::string LocalCopyPath(int table);

// True when the holder has a document whose root has a "Holidays" element.
bool IsHolidayTable(const HolidaysDoc& doc);

// The local-copy policy for one table whose source has just been opened into doc with the
// result openResult. A failed source falls back to the local copy when the table keeps one;
// a table opened with a version other than the recorded one (or whose local copy has gone)
// replaces the local copy, and only once that copy is saved is its version written into the
// settings file. The rules of the document used are appended to rules, its eras to eras (when
// given), and the document is discarded. A copy that belongs to another table (copyIsForeign) is never fallen back to and
// is replaced by the table's first good download whatever its version.
HolidayTableUse UseHolidayTable(CFileInfoArray& files, int table, HolidaysDoc& doc, int openResult,
                                HolidayArray& rules, bool copyIsForeign = false,
                                EraTable* eras = nullptr);

// Opens tables 0, 1 and 2 in this order, skipping those without a source, and applies the
// local-copy policy to each; the shipped table never stands in for a table of the user's.
void LoadHolidayTableList(CFileInfoArray& files, HolidayArray& rules, const OpenHolidaySource& open,
                          const ShippedHolidays& shipped = {}, EraTable* eras = nullptr);

// Copies the shipped holiday table to the local copy of table 0 when table 0 is the product's
// table and has no copy yet, so the very first start shows the national holidays even without
// a network. An existing copy is never overwritten, and a table the user configured (or a
// settings file without one) is left alone: nothing is copied and the settings file is not
// written. When the shipped version is not the one recorded for table 0, the record (in the
// file and in files) is set to it, so the next download of a different version replaces the
// copy. Returns true when the copy was made.
bool CopyShippedHolidayTable(const ShippedHolidays& shipped, CFileInfoArray& files);
