// Small file, XML and holiday-table helpers shared by the host and the Windows tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <tinyxml2.h>

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Writes name in folder (which ends with a separator) and returns its path.
inline std::string WriteFileIn(const std::string& folder, const std::string& name, const std::string& bytes) {
  WriteFile(folder + name, bytes);
  return folder + name;
}

// The root element of xml parsed into doc. A test's own XML that is not well-formed is a
// mistake in the test: it stops the run rather than hand a null element on.
inline tinyxml2::XMLElement* Parse(tinyxml2::XMLDocument& doc, const char* xml) {
  if (doc.Parse(xml) == tinyxml2::XML_SUCCESS) return doc.RootElement();
  std::fprintf(stderr, "test XML does not parse: %s\n", xml);
  std::abort();
}

// A document printed without indentation.
inline std::string Print(tinyxml2::XMLDocument& doc) {
  tinyxml2::XMLPrinter printer(nullptr, true);
  doc.Print(&printer);
  return printer.CStr();
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
