// Base classes through which every persisted object reads itself from one XML element
// and writes itself under a parent element, plus the small element helpers they share.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <tinyxml2.h>

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

class CXmlNodeBase {
 public:
  virtual ~CXmlNodeBase() = default;
  // Reads the object from its own element.
  virtual int Load(XMLElement* element);
  // Writes the object under parent, creating or reusing its own element there. itemName
  // filters which member a table-driven item writes; other classes ignore it.
  virtual int Save(XMLElement* parent, const char* itemName);
};

enum ItemType {
  ITEM_OBJECT = 0,
  ITEM_STRING = 1,
  ITEM_INT = 2,
  ITEM_HEX = 3,
  ITEM_HEXLIST = 9,
};

// Number of colours an ITEM_HEXLIST member holds.
constexpr int kHexListSize = 16;

struct ItemDesc {
  int32_t type;
  const char* name;
  void* target;
};

// Settings item whose members are read and written through a table of ItemDesc.
class CXmlItemBase : public CXmlNodeBase {
 public:
  explicit CXmlItemBase(std::string elementName);
  ~CXmlItemBase() override;
  CXmlItemBase(const CXmlItemBase&) = delete;
  CXmlItemBase& operator=(const CXmlItemBase&) = delete;

  int Load(XMLElement* element) override;
  int Save(XMLElement* parent, const char* itemName) override;

  // Appends one persisted member; the order of the calls is the order of reading and writing.
  void AddItem(int type, const char* name, void* target);

  const std::string& ElementName() const { return elementName; }

 protected:
  std::string elementName;
  std::vector<ItemDesc*> items;
};

// A list that owns its elements: each is allocated on its own and deleted through its
// virtual destructor, from the last to the first, when the list is cleared or destroyed.
template <class T>
class CXmlNodeArray : public std::vector<T*>, public CXmlNodeBase {
 public:
  CXmlNodeArray() = default;
  CXmlNodeArray(const CXmlNodeArray&) = delete;
  CXmlNodeArray& operator=(const CXmlNodeArray&) = delete;
  ~CXmlNodeArray() override { Clear(); }

  void Clear() {
    while (!this->empty()) {
      T* last = this->back();
      this->pop_back();
      delete last;
    }
  }
};

// Text of an element: its first child node that is not a comment, if that is a text node;
// null when the element has no such text.
const char* ElementText(const XMLElement* element);

// The first child element called name, or null.
XMLElement* FirstChild(XMLElement* element, const char* name);

int GetChildInt(XMLElement* element, const char* name, int defaultValue);
void GetChildText(XMLElement* element, const char* name, std::string& out);
void SetChildText(XMLElement* element, const char* name, const char* text);
void SetChildInt(XMLElement* element, const char* name, int value);

// The first child element called name, appended as the last child when there is none.
XMLElement* FindOrAppendChild(XMLElement* parent, const char* name);

// Hexadecimal text (up to eight digits, no prefix) as an unsigned 32-bit value; what
// precedes the first non-digit counts, text without digits gives 0.
uint32_t ParseHex(const char* text);
std::string FormatHex(uint32_t value, int digits);

// Cuts text at every separator; "a,,b" gives three pieces and "" gives one empty piece.
// A separator byte that is the trail byte of a double-byte character does not cut.
std::vector<std::string> SplitString(const std::string& text, char separator);

// Reads a whole file into a fresh document with the library's default options; returns the
// library's error code (0 on success).
int LoadXmlFile(XMLDocument& doc, const std::string& path);

// Every line break of text as CR LF: a lone LF gets its CR, a CR LF stays as it is.
std::string WithCrLf(const char* text, size_t size);
inline std::string WithCrLf(const std::string& text) { return WithCrLf(text.data(), text.size()); }

// Writes a document (indented, lines ending in CR LF as Notepad and other copies of the
// program write them) to path through the atomic save helper; returns 0 on success, else the
// library's error code. A document whose printed text would not load again is not written.
int SaveXmlFile(XMLDocument& doc, const std::string& path);
