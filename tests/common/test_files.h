// Small file and holiday-table helpers shared by the host and the Windows tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// One "Holiday" rule element.
inline std::string Rule(int type, int kind, const std::string& name, int month, int day) {
  return "<Holiday type=\"" + std::to_string(type) + "\" kind=\"" + std::to_string(kind) +
         "\" name=\"" + name + "\"><Month>" + std::to_string(month) + "</Month><Day>" +
         std::to_string(day) + "</Day></Holiday>";
}

// A table file; version nullptr leaves out the "Version" element.
inline std::string Table(const char* version, const std::string& rules) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<HolidayTable>\n";
  if (version) xml += std::string("  <Version>") + version + "</Version>\n";
  return xml + "  <Holidays>" + rules + "</Holidays>\n</HolidayTable>\n";
}
