#include "docs/era_table.h"

#include <cstdio>

#include "docs/platform.h"

namespace {

constexpr int32_t kLastYear = 9999;

struct BuiltInEra {
  const char* name;
  int32_t year, month, day, firstYear;
};

// Shift_JIS names. 明治 starts with the Gregorian calendar in Japan (1873-01-01, 明治6年).
constexpr BuiltInEra kBuiltInEras[EraTable::kBuiltInCount] = {
    {"\x96\xbe\x8e\xa1", 1873, 1, 1, 1868},     // 明治
    {"\x91\xe5\x90\xb3", 1912, 7, 30, 1912},    // 大正
    {"\x8f\xba\x98\x61", 1926, 12, 25, 1926},   // 昭和
    {"\x95\xbd\x90\xac", 1989, 1, 8, 1989},     // 平成
    {"\x97\xdf\x98\x61", 2019, 5, 1, 2019},     // 令和
};

bool IsLeapYear(int32_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr int32_t kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kLength[month - 1];
}

// A date as one number that sorts like the date; wide enough for any int a file may hold.
int64_t DateKey(int64_t year, int64_t month, int64_t day) { return (year * 100 + month) * 100 + day; }

int64_t StartKey(const Era& era) { return DateKey(era.year, era.month, era.day); }

// A name that ends in a lead byte would swallow whatever the heading prints after it.
bool EndsInHalfCharacter(const std::string& name) {
  size_t i = 0;
  while (i < name.size()) i += IsLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1;
  return i > name.size();
}

}  // namespace

std::string Era::YearText(int32_t westernYear, bool twoDigits, bool gannen) const {
  const int32_t year = YearOf(westernYear);
  if (year == 1 && gannen) return kGannenText;
  char text[16];
  std::snprintf(text, sizeof text, twoDigits ? "%02d" : "%d", year);
  return text;
}

EraTable::EraTable() {
  for (const BuiltInEra& e : kBuiltInEras) eras_.push_back({e.name, e.year, e.month, e.day, e.firstYear});
}

EraTable& EraTable::Instance() {
  static EraTable table;
  return table;
}

bool EraTable::Add(const std::string& name, int32_t year, int32_t month, int32_t day) {
  if (eras_.size() >= kBuiltInCount + kMaxAddedEras) return false;
  if (name.empty() || name.size() > kMaxEraNameBytes || EndsInHalfCharacter(name)) return false;
  for (const Era& era : eras_) {
    if (era.name == name) return false;
  }
  if (year > kLastYear || month < 1 || month > 12 || day < 1) return false;
  if (DateKey(year, month, day) <= StartKey(eras_.back())) return false;
  // The year is past the last era's now, so the month length is that of a real year.
  if (day > DaysInMonth(year, month)) return false;
  eras_.push_back({name, year, month, day, year});
  return true;
}

int EraTable::Load(XMLElement* list) {
  if (!list) return 0;
  int added = 0;
  for (XMLElement* entry = list->FirstChildElement("Era"); entry;
       entry = entry->NextSiblingElement("Era")) {
    if (eras_.size() >= kBuiltInCount + kMaxAddedEras) break;
    const char* name = entry->Attribute("name");
    // A missing number stays 0, which no date accepts.
    int year = 0, month = 0, day = 0;
    entry->QueryIntAttribute("year", &year);
    entry->QueryIntAttribute("month", &month);
    entry->QueryIntAttribute("date", &day);
    if (name && Add(name, year, month, day)) ++added;
  }
  return added;
}

const Era* EraTable::EraOn(int32_t year, int32_t month, int32_t day) const {
  const int64_t key = DateKey(year, month, day);
  const Era* found = nullptr;
  for (const Era& era : eras_) {
    if (StartKey(era) > key) break;
    found = &era;
  }
  return found;
}

std::vector<const Era*> EraTable::ErasOfMonth(int32_t year, int32_t month) const {
  std::vector<const Era*> result;
  const int64_t first = DateKey(year, month, 1);
  const int64_t last = DateKey(year, month, 31);
  for (const Era& era : eras_) {
    const int64_t start = StartKey(era);
    if (start > last) break;
    // An era that began on or before the 1st replaces every earlier one in the list.
    if (start <= first) result.clear();
    result.push_back(&era);
  }
  return result;
}

std::vector<YearMonth> EraTable::EraChangeMonths() const {
  std::vector<YearMonth> months;
  for (size_t i = 1; i < eras_.size(); ++i) {
    const Era& era = eras_[i];
    if (era.day == 1) continue;
    if (!months.empty() && months.back().year == era.year && months.back().month == era.month) continue;
    months.push_back({era.year, era.month});
  }
  return months;
}

std::string EraYearText(const EraTable& eras, int32_t year, int32_t month, int32_t day, bool gannen) {
  const Era* era = eras.EraOn(year, month, day);
  if (!era) return "-";
  return era->name + era->YearText(year, false, gannen) + kYearMark;
}
