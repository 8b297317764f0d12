#include "docs/xml_node.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "docs/file_save.h"
#include "docs/platform.h"

int CXmlNodeBase::Load(XMLElement*) { return 0; }

int CXmlNodeBase::Save(XMLElement*, const char*) { return 0; }

CXmlItemBase::CXmlItemBase(std::string elementName) : elementName(std::move(elementName)) {}

CXmlItemBase::~CXmlItemBase() {
  for (ItemDesc* item : items) delete item;
}

void CXmlItemBase::AddItem(int type, const char* name, void* target) {
  items.push_back(new ItemDesc{type, name, target});
}

namespace {

void LoadHexList(const char* text, int32_t* values) {
  std::vector<std::string> pieces = SplitString(text, ',');
  size_t count = pieces.size() < kHexListSize ? pieces.size() : kHexListSize;
  for (size_t i = 0; i < count; ++i) values[i] = static_cast<int32_t>(ParseHex(pieces[i].c_str()));
}

std::string FormatHexList(const int32_t* values) {
  std::string text;
  for (int i = 0; i < kHexListSize; ++i) {
    if (i) text += ',';
    text += FormatHex(static_cast<uint32_t>(values[i]), 6);
  }
  return text;
}

}  // namespace

int CXmlItemBase::Load(XMLElement* element) {
  if (!element) return 0;
  for (const ItemDesc* item : items) {
    XMLElement* child = FirstChild(element, item->name);
    if (!child) continue;
    if (item->type == ITEM_OBJECT) {
      static_cast<CXmlNodeBase*>(item->target)->Load(child);
      continue;
    }
    const char* text = ElementText(child);
    if (!text) continue;
    switch (item->type) {
      case ITEM_STRING:
        *static_cast<std::string*>(item->target) = text;
        break;
      case ITEM_INT:
        *static_cast<int32_t*>(item->target) = std::atoi(text);
        break;
      case ITEM_HEX:
        *static_cast<int32_t*>(item->target) = static_cast<int32_t>(ParseHex(text));
        break;
      case ITEM_HEXLIST:
        LoadHexList(text, static_cast<int32_t*>(item->target));
        break;
      default:
        break;
    }
  }
  return 0;
}

int CXmlItemBase::Save(XMLElement* parent, const char* itemName) {
  if (!parent) return 0;
  // An item without an element name is handed its element (the document root) directly.
  XMLElement* own = elementName.empty() ? parent : FindOrAppendChild(parent, elementName.c_str());
  for (const ItemDesc* item : items) {
    if (itemName && std::strcmp(itemName, item->name) != 0) continue;
    switch (item->type) {
      case ITEM_OBJECT:
        static_cast<CXmlNodeBase*>(item->target)->Save(own, nullptr);
        break;
      case ITEM_STRING:
        SetChildText(own, item->name, static_cast<std::string*>(item->target)->c_str());
        break;
      case ITEM_INT:
        SetChildInt(own, item->name, *static_cast<int32_t*>(item->target));
        break;
      case ITEM_HEX:
        SetChildText(own, item->name,
                     FormatHex(static_cast<uint32_t>(*static_cast<int32_t*>(item->target)), 8).c_str());
        break;
      case ITEM_HEXLIST:
        SetChildText(own, item->name, FormatHexList(static_cast<int32_t*>(item->target)).c_str());
        break;
      default:
        break;
    }
  }
  return 0;
}

namespace {

// The first child node that is not a comment.
tinyxml2::XMLNode* FirstContent(XMLElement* element) {
  for (tinyxml2::XMLNode* node = element->FirstChild(); node; node = node->NextSibling()) {
    if (!node->ToComment()) return node;
  }
  return nullptr;
}

}  // namespace

const char* ElementText(const XMLElement* element) {
  if (!element) return nullptr;
  tinyxml2::XMLNode* node = FirstContent(const_cast<XMLElement*>(element));
  if (!node || !node->ToText()) return nullptr;
  return node->Value();
}

XMLElement* FirstChild(XMLElement* element, const char* name) {
  return element ? element->FirstChildElement(name) : nullptr;
}

int GetChildInt(XMLElement* element, const char* name, int defaultValue) {
  const char* text = ElementText(FirstChild(element, name));
  return text ? std::atoi(text) : defaultValue;
}

void GetChildText(XMLElement* element, const char* name, std::string& out) {
  XMLElement* child = FirstChild(element, name);
  if (!child) return;
  const char* text = ElementText(child);
  out = text ? text : "";
}

XMLElement* FindOrAppendChild(XMLElement* parent, const char* name) {
  XMLElement* child = parent->FirstChildElement(name);
  if (child) return child;
  child = parent->GetDocument()->NewElement(name);
  parent->InsertEndChild(child);
  return child;
}

void SetChildText(XMLElement* element, const char* name, const char* text) {
  XMLElement* child = FindOrAppendChild(element, name);
  tinyxml2::XMLNode* first = FirstContent(child);
  if (first && first->ToText()) {
    first->SetValue(text);
    return;
  }
  child->InsertFirstChild(child->GetDocument()->NewText(text));
}

void SetChildInt(XMLElement* element, const char* name, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetChildText(element, name, text);
}

uint32_t ParseHex(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r') ++text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
  uint32_t value = 0;
  for (int digits = 0; digits < 8; ++digits, ++text) {
    char c = *text;
    uint32_t digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else break;
    value = (value << 4) | digit;
  }
  return value;
}

std::string FormatHex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, static_cast<unsigned>(value));
  return text;
}

std::vector<std::string> SplitString(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::string piece;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      piece += text[i];
      piece += text[++i];
      continue;
    }
    if (text[i] == separator) {
      pieces.push_back(piece);
      piece.clear();
      continue;
    }
    piece += text[i];
  }
  pieces.push_back(piece);
  return pieces;
}

int LoadXmlFile(XMLDocument& doc, const std::string& path) {
  return doc.LoadFile(path.c_str());
}

namespace {

// The parser lets stray text stand beside the root element, but text printed there last
// cannot be read back: a damaged but readable file would be replaced by an unreadable one.
// Such text is never data of ours, so it is dropped before printing.
void RemoveTopLevelText(XMLDocument& doc) {
  tinyxml2::XMLNode* node = doc.FirstChild();
  while (node) {
    tinyxml2::XMLNode* next = node->NextSibling();
    if (node->ToText()) doc.DeleteChild(node);
    node = next;
  }
}

// A document of one root element with only declarations and comments beside it prints as
// text that reads back the same; anything else is checked by reading the printed text.
bool HasPlainShape(XMLDocument& doc) {
  int elements = 0;
  for (tinyxml2::XMLNode* node = doc.FirstChild(); node; node = node->NextSibling()) {
    if (node->ToElement()) ++elements;
    else if (!node->ToDeclaration() && !node->ToComment()) return false;
  }
  return elements == 1;
}

}  // namespace

std::string WithCrLf(const char* text, size_t size) {
  std::string result;
  result.reserve(size + size / 16);
  for (size_t i = 0; i < size; ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

int SaveXmlFile(XMLDocument& doc, const std::string& path) {
  RemoveTopLevelText(doc);
  tinyxml2::XMLPrinter printer(nullptr, false);
  doc.Print(&printer);
  size_t size = printer.CStrSize() > 0 ? static_cast<size_t>(printer.CStrSize() - 1) : 0;
  // The parser accepts some malformed documents that it then prints in a form it rejects;
  // writing such a text would turn a file that loads into one that does not, so it is refused.
  if (!HasPlainShape(doc)) {
    XMLDocument check;
    if (check.Parse(printer.CStr(), size) != tinyxml2::XML_SUCCESS) return check.ErrorID();
  }
  const std::string text = WithCrLf(printer.CStr(), size);
  if (!SaveFileAtomically(path, text.data(), text.size())) return tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED;
  return 0;
}
