#include "docs/holiday.h"

#include <memory>

namespace {

// The one process-wide rule list.
std::unique_ptr<HolidayArray>& InstanceHolder() {
  static std::unique_ptr<HolidayArray> instance;
  return instance;
}

}  // namespace

int Holiday::Load(XMLElement* element) {
  if (!element) return 0;
  element->QueryIntAttribute("type", &type);
  element->QueryIntAttribute("kind", &kind);
  if (const char* text = element->Attribute("name")) name = text;
  StartYear = GetChildInt(element, "StartYear", StartYear);
  EndYear = GetChildInt(element, "EndYear", EndYear);
  Month = GetChildInt(element, "Month", Month);
  Day = GetChildInt(element, "Day", Day);
  DayOfWeek = GetChildInt(element, "DayOfWeek", DayOfWeek);
  bits = BitsOfKind(kind);
  return 0;
}

uint32_t Holiday::BitsOfKind(int kind) {
  switch (kind) {
    case 1:
      return kNationalHolidayBits;
    case 3:
    case 4:
      return kOtherHolidayBits;
    case 10:
      return 0x1000;
    case 11:
      return 0x2000;
    case 12:
      return 0x4000;
    case 13:
      return 0x8000;
    default:
      return 0;
  }
}

HolidayArray& HolidayArray::Instance() {
  std::unique_ptr<HolidayArray>& instance = InstanceHolder();
  if (!instance) instance = std::make_unique<HolidayArray>();
  return *instance;
}

void HolidayArray::DeleteInstance() { InstanceHolder().reset(); }

int HolidayArray::Load(XMLElement* element) {
  if (!element) return 0;
  for (XMLElement* child = element->FirstChildElement("Holiday"); child;
       child = child->NextSiblingElement("Holiday")) {
    auto rule = std::make_unique<Holiday>();
    rule->Load(child);
    push_back(rule.get());
    rule.release();
  }
  return 0;
}
