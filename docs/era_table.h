// The Japanese eras (元号) the calendar counts years in: five built in, and later ones that a
// holiday table may add, so a new era reaches users with a table update instead of a new
// program. Names are Shift_JIS bytes, like every text of the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "docs/xml_node.h"

struct Era {
  std::string name;
  // First day the calendar counts in this era.
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  // The Western year that is year 1 of the era: the start year, except for 明治, which the
  // calendar starts on 1873-01-01 (Japan's first Gregorian day, 明治6年) but counts from 1868.
  int32_t firstYear = 0;

  // Year of the era in a Western year: 1 for the first year.
  int32_t YearOf(int32_t westernYear) const { return westernYear - firstYear + 1; }
  // The same as text: 8, or 08 with two digits; 元 for the first year when gannen is set.
  std::string YearText(int32_t westernYear, bool twoDigits, bool gannen) const;
};

struct YearMonth {
  int32_t year = 0;
  int32_t month = 0;
};

// Longest era name a table may give, in bytes.
constexpr size_t kMaxEraNameBytes = 8;
// Number of eras a table may add to the built-in ones; entries beyond are ignored.
constexpr size_t kMaxAddedEras = 16;

class EraTable {
 public:
  // The built-in eras 明治, 大正, 昭和, 平成, 令和, in order.
  EraTable();

  // The table of the process, with the eras of the holiday tables the calendar opened.
  static EraTable& Instance();

  // Appends an era that starts after the last one in the table. Refused (false) when the
  // name is empty, longer than kMaxEraNameBytes, ends in half a double-byte character or is
  // already taken; when the date is not a real day up to 9999-12-31 or does not come after
  // the last era's start; and once kMaxAddedEras eras were added. So a table can extend the
  // list but never remove, rename or move an era that is already there.
  bool Add(const std::string& name, int32_t year, int32_t month, int32_t day);

  // Adds one era for every "Era" child of an "Eras" element of a holiday table (attributes
  // "name", "year", "month", "date"), in document order; entries Add refuses are skipped.
  // Returns the number added.
  int Load(XMLElement* eras);

  // The era of a day; null before the first built-in era.
  const Era* EraOn(int32_t year, int32_t month, int32_t day) const;
  // The eras in force on some day of a month, oldest first: one for most months, two (or
  // more) for a month in which an era begins after its first day, none before 1873.
  std::vector<const Era*> ErasOfMonth(int32_t year, int32_t month) const;
  // The months in which an era begins after the 1st: the months whose heading names two eras.
  std::vector<YearMonth> EraChangeMonths() const;

  const std::vector<Era>& Eras() const { return eras_; }
  static constexpr size_t kBuiltInCount = 5;

 private:
  std::vector<Era> eras_;
};

// Element of a holiday table that holds its era list.
constexpr const char* kErasElement = "Eras";

// Shift_JIS texts of a 和暦 year.
constexpr const char* kGannenText = "\x8c\xb3";  // 元
constexpr const char* kYearMark = "\x94\x4e";    // 年

// The 和暦 year of a day as Shift_JIS text: 令和8年, 平成元年 (or 平成1年 without 元年); "-"
// before 1873-01-01.
std::string EraYearText(const EraTable& eras, int32_t year, int32_t month, int32_t day,
                        bool gannen = true);
