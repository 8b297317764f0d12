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

// DataFolder + "Holidays%02d.xml" of the table number.
std::string LocalCopyPath(int table);

// True when the holder has a document whose root has a "Holidays" element.
bool IsHolidayTable(const HolidaysDoc& doc);

// The local-copy policy for one table whose source has just been opened into doc with the
// result openResult. A failed source falls back to the local copy when the table keeps one;
// a table opened with a version other than the recorded one (or whose local copy has gone)
// replaces the local copy, and only once that copy is saved is its version written into the
// settings file. The rules of the document used are appended to rules and the document is
// discarded.
HolidayTableUse UseHolidayTable(CFileInfoArray& files, int table, HolidaysDoc& doc, int openResult,
                                HolidayArray& rules);

// Opens tables 0, 1 and 2 in this order, skipping those without a source, and applies the
// local-copy policy to each.
void LoadHolidayTableList(CFileInfoArray& files, HolidayArray& rules, const OpenHolidaySource& open);

// Copies the holiday table shipped beside the program to the local copy of table 0 when there
// is none, so the very first start shows the national holidays even without a network. An
// existing copy is never overwritten. When the shipped version is not the one recorded for
// table 0, the record (in the file and in files) is set to it, so the next download of a
// different version replaces the copy. Returns true when the copy was made.
bool CopyShippedHolidayTable(const std::string& shippedPath, CFileInfoArray& files);
