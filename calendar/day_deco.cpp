#include "calendar/day_deco.h"

#include <cstdlib>
#include <memory>

namespace {

// A value element without text reads as 0, like a number that does not parse.
uint32_t HexText(XMLElement* element) { return ParseHex(ElementText(element)); }

int32_t DecimalText(XMLElement* element) {
  const char* text = ElementText(element);
  return text ? std::atoi(text) : 0;
}

uint32_t HexAttribute(XMLElement* element, const char* name) {
  return ParseHex(element->Attribute(name));
}

void AppendText(XMLElement* parent, const char* name, const std::string& text) {
  parent->InsertNewChildElement(name)->InsertNewText(text.c_str());
}

void AppendInt(XMLElement* parent, const char* name, int32_t value) {
  AppendText(parent, name, std::to_string(value));
}

void AppendColour(XMLElement* parent, const char* name, COLORREF value) {
  AppendText(parent, name, FormatHex(value, 6));
}

}  // namespace

int CDayDeco::Load(XMLElement* element) {
  if (!element) return 0;
  check = HexAttribute(element, "check");
  mask = HexAttribute(element, "mask");
  const char* text = element->Attribute("name");
  name = text ? text : "";

  if (XMLElement* child = FirstChild(element, "Color")) {
    colour = HexText(child);
    flags |= kDecoColour;
  }
  if (XMLElement* child = FirstChild(element, "ShadowColor")) {
    shadowColour = HexText(child);
    flags |= kDecoShadow;
  }
  if (XMLElement* frame = FirstChild(element, "Frame")) {
    flags |= kDecoFrame;
    if (XMLElement* line = FirstChild(frame, "Line")) frameLine = DecimalText(line);
    if (XMLElement* colourElement = FirstChild(frame, "Color")) frameColour = HexText(colourElement);
  }
  if (XMLElement* mark = FirstChild(element, "Mark")) {
    flags |= kDecoMark;
    if (XMLElement* type = FirstChild(mark, "Type")) markType = DecimalText(type);
    if (XMLElement* colourElement = FirstChild(mark, "Color")) markColour = HexText(colourElement);
  }
  if (const char* text = ElementText(FirstChild(element, "Rokuyo"))) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && value > 0 && value < kRokuyoConditions) {
      rokuyo = static_cast<int32_t>(value);
    }
  }
  if (XMLElement* image = FirstChild(element, "Image")) {
    flags |= kDecoImage;
    if (XMLElement* type = FirstChild(image, "Type")) imageType = DecimalText(type);
    if (XMLElement* path = FirstChild(image, "Path")) {
      const char* pathText = ElementText(path);
      imagePath = pathText ? pathText : "";
    }
  }
  return 0;
}

int CDayDeco::Save(XMLElement* parent, const char*) {
  if (!parent) return 0;
  XMLElement* element = parent->InsertNewChildElement("DayDeco");
  if (mask != 0) {
    element->SetAttribute("check", FormatHex(check, 8).c_str());
    element->SetAttribute("mask", FormatHex(mask, 8).c_str());
  }
  if (!name.empty()) element->SetAttribute("name", name.c_str());

  if (flags & kDecoColour) AppendColour(element, "Color", colour);
  if (flags & kDecoShadow) AppendColour(element, "ShadowColor", shadowColour);
  if (flags & kDecoFrame) {
    XMLElement* frame = element->InsertNewChildElement("Frame");
    AppendInt(frame, "Line", frameLine);
    AppendColour(frame, "Color", frameColour);
  }
  if (flags & kDecoMark) {
    XMLElement* mark = element->InsertNewChildElement("Mark");
    AppendInt(mark, "Type", markType);
    AppendColour(mark, "Color", markColour);
  }
  if (flags & kDecoImage) {
    XMLElement* image = element->InsertNewChildElement("Image");
    AppendInt(image, "Type", imageType);
    AppendText(image, "Path", imagePath);
  }
  if (rokuyo != 0) AppendInt(element, "Rokuyo", rokuyo);
  return 0;
}

void CDayDeco::Assign(const CDayDeco& other) {
  if (&other == this) return;
  flags = other.flags;
  check = other.check;
  mask = other.mask;
  colour = other.colour;
  shadowColour = other.shadowColour;
  frameLine = other.frameLine;
  frameColour = other.frameColour;
  markType = other.markType;
  markColour = other.markColour;
  imagePath = other.imagePath;
  imageType = other.imageType;
  name = other.name;
  rokuyo = other.rokuyo;
}

int CDayDecoArray::Load(XMLElement* element) {
  if (!element) return 0;
  for (XMLElement* child = element->FirstChildElement(entryName.c_str()); child;
       child = child->NextSiblingElement(entryName.c_str())) {
    auto deco = std::make_unique<CDayDeco>();
    deco->Load(child);
    push_back(deco.get());
    deco.release();
  }
  return 0;
}

int CDayDecoArray::Save(XMLElement* parent, const char*) {
  if (!parent) return 0;
  XMLElement* element = FindOrAppendChild(parent, elementName.c_str());
  std::string comment;
  if (const tinyxml2::XMLNode* first = element->FirstChild()) {
    if (first->ToComment()) comment = first->Value();
  }
  element->DeleteChildren();
  if (!comment.empty()) element->InsertNewComment(comment.c_str());
  for (CDayDeco* deco : *this) deco->Save(element, nullptr);
  return 0;
}

void CDayDecoArray::Assign(const CDayDecoArray& other) {
  if (&other == this) return;
  Clear();
  reserve(other.size());
  for (const CDayDeco* deco : other) {
    auto copy = std::make_unique<CDayDeco>(*deco);
    push_back(copy.get());
    copy.release();
  }
}

void CDayDecoArray::ApplyDecorations(uint32_t word, CDayDeco& target) const {
  for (const CDayDeco* entry : *this) {
    if ((target.flags & kDecoAll) == kDecoAll) return;
    if (!entry->Matches(word)) continue;
    uint32_t missing = entry->flags & ~target.flags;
    if (missing & kDecoColour) target.colour = entry->colour;
    if (missing & kDecoShadow) target.shadowColour = entry->shadowColour;
    if (missing & kDecoFrame) {
      target.frameLine = entry->frameLine;
      target.frameColour = entry->frameColour;
    }
    if (missing & kDecoMark) {
      target.markType = entry->markType;
      target.markColour = entry->markColour;
    }
    if (missing & kDecoImage) {
      target.imageType = entry->imageType;
      target.imagePath = entry->imagePath;
    }
    target.flags |= missing & kDecoAll;
  }
}
