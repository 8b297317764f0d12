// Holder of one open holiday table while its rules are read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "docs/era_table.h"
#include "docs/holiday.h"
#include "docs/xml_node.h"

// Where the table in a HolidaysDoc came from.
enum HolidaysOrigin : uint8_t {
  HOLIDAYS_NONE = 0,
  HOLIDAYS_LOCAL_FILE = 1,
  HOLIDAYS_DOWNLOADED = 2,
};

// Result of LoadFile when the file is missing, unreadable, empty or not well-formed.
constexpr int kHolidaysFileError = -1002;

class HolidaysDoc {
 public:
  HolidaysDoc() = default;
  HolidaysDoc(const HolidaysDoc&) = delete;
  HolidaysDoc& operator=(const HolidaysDoc&) = delete;
  virtual ~HolidaysDoc() = default;

  // Reads a table from a local file: 0 and origin 1 on success; on failure no document is
  // held, origin is 0 and the result is kHolidaysFileError.
  int LoadFile(const std::string& path);

  // Downloads an HTTP or HTTPS source (origin 2); anything else is read with LoadFile. Returns
  // 0, or a negative code of the download or LoadFile (Windows only).
  int Open(const std::string& source);

  // Appends the rules of the table's "Holidays" element to rules; a table without one, or
  // no table at all, adds nothing.
  void AppendRules(HolidayArray& rules) const;

  // Adds the eras of the table's "Eras" element to eras (see EraTable::Add for what is
  // refused); a table without one adds nothing.
  void AppendEras(EraTable& eras) const;

  // The table's version: the number in the root's "Version" element, 0 when that element has
  // no text, -1 when there is no table, no root or no "Version".
  int Version() const;

  std::unique_ptr<XMLDocument> document;
  uint8_t origin = HOLIDAYS_NONE;
};
