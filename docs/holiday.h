// Holiday rules: one rule per "Holiday" element of a holiday table, and the one list of the
// rules of every table the calendar has opened, in the order they are applied.
#pragma once

#include <cstdint>
#include <string>

#include "docs/xml_node.h"

// Day-flag bits a rule's kind contributes.
constexpr uint32_t kNationalHolidayBits = 0x900;
constexpr uint32_t kOtherHolidayBits = 0xC00;
// Bits of substitute and in-between days off.
constexpr uint32_t kSubstituteHolidayBits = 0xA00;
// A day counts as a holiday for the in-between and substitute rules when it has any of these.
constexpr uint32_t kDayOffTestBits = 0x900;

// Rule types: how the day of the month is found.
enum HolidayType {
  HOLIDAY_FIXED = 1,
  HOLIDAY_VERNAL_EQUINOX = 2,
  HOLIDAY_AUTUMNAL_EQUINOX = 3,
  HOLIDAY_NTH_WEEKDAY = 4,
  HOLIDAY_IN_BETWEEN = 5,
};

class Holiday : public CXmlNodeBase {
 public:
  // Reads one "Holiday" element; what it lacks keeps the defaults below.
  int Load(XMLElement* element) override;

  // Day-flag bits of a rule kind; 0 for kinds that mark nothing.
  static uint32_t BitsOfKind(int kind);

  int32_t type = 0;
  int32_t kind = 0;
  uint32_t bits = 0;
  std::string name;
  int32_t StartYear = 0;
  int32_t EndYear = 2100;
  int32_t Month = 0;
  int32_t Day = 0;
  int32_t DayOfWeek = 0;
};

class HolidayArray : public CXmlNodeArray<Holiday> {
 public:
  // The rule list of the process, created empty on first use.
  static HolidayArray& Instance();
  // Deletes the process's rule list with all its rules (when the main window goes away).
  static void DeleteInstance();

  // Appends one rule for every "Holiday" child of a "Holidays" element; rules already in the
  // list stay in front of them.
  int Load(XMLElement* element) override;

  const std::string elementName = "Holidays";
};
