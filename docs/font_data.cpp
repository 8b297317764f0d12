#include "docs/font_data.h"

#include <cstring>
#include <string>

CFontData::CFontData() {
  std::memset(&LogFont, 0, sizeof LogFont);
  LogFont.lfCharSet = DEFAULT_CHARSET;
}

void CFontData::SetFaceName(const std::string& name) {
  const size_t limit = sizeof LogFont.lfFaceName - 1;
  size_t length = 0;
  while (length < name.size()) {
    size_t step = IsLeadByte(static_cast<unsigned char>(name[length])) ? 2 : 1;
    if (length + step > limit || length + step > name.size()) break;
    length += step;
  }
  std::memset(LogFont.lfFaceName, 0, sizeof LogFont.lfFaceName);
  std::memcpy(LogFont.lfFaceName, name.data(), length);
}

int CFontData::Load(XMLElement* element) {
  if (!element) return 0;
  std::string faceName;
  GetChildText(element, "FaceName", faceName);
  SetFaceName(faceName);
  LogFont.lfHeight = GetChildInt(element, "Height", 0);
  LogFont.lfWeight = GetChildInt(element, "Weight", 0);
  // The byte-sized fields keep the low byte of what the file says.
  LogFont.lfItalic = static_cast<BYTE>(GetChildInt(element, "Italic", 0));
  LogFont.lfCharSet = static_cast<BYTE>(GetChildInt(element, "CharSet", 0));
  LogFont.lfOutPrecision = static_cast<BYTE>(GetChildInt(element, "OutPrecision", 0));
  LogFont.lfClipPrecision = static_cast<BYTE>(GetChildInt(element, "ClipPrecision", 0));
  LogFont.lfQuality = static_cast<BYTE>(GetChildInt(element, "Quality", 0));
  LogFont.lfPitchAndFamily = static_cast<BYTE>(GetChildInt(element, "PitchAndFamily", 0));
  Shadow = GetChildInt(element, "Shadow", 0);
  return 0;
}

int CFontData::Save(XMLElement* parent, const char*) {
  if (!parent) return 0;
  XMLElement* font = FindOrAppendChild(parent, "Font");
  SetChildText(font, "FaceName", FaceName().c_str());
  SetChildInt(font, "Height", LogFont.lfHeight);
  SetChildInt(font, "Weight", LogFont.lfWeight);
  SetChildInt(font, "Italic", LogFont.lfItalic);
  SetChildInt(font, "CharSet", LogFont.lfCharSet);
  SetChildInt(font, "OutPrecision", LogFont.lfOutPrecision);
  SetChildInt(font, "ClipPrecision", LogFont.lfClipPrecision);
  SetChildInt(font, "Quality", LogFont.lfQuality);
  SetChildInt(font, "PitchAndFamily", LogFont.lfPitchAndFamily);
  SetChildInt(font, "Shadow", Shadow);
  return 0;
}

std::string CFontData::FaceName() const {
  // A face name filled in by a font dialog is not trusted to be terminated.
  size_t length = 0;
  while (length < sizeof LogFont.lfFaceName && LogFont.lfFaceName[length]) ++length;
  return std::string(LogFont.lfFaceName, length);
}

void CFontData::Assign(const CFontData& other) {
  LogFont = other.LogFont;
  Shadow = other.Shadow;
}
