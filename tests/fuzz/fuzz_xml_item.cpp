// Feeds arbitrary bytes through the document parser and a table-driven item, the path every
// settings element takes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "docs/xml_node.h"

namespace {

class FuzzItem : public CXmlItemBase {
 public:
  FuzzItem() : CXmlItemBase("") {
    AddItem(ITEM_STRING, "Name", &name);
    AddItem(ITEM_INT, "Number", &number);
    AddItem(ITEM_HEX, "Color", &color);
    AddItem(ITEM_HEXLIST, "CustColor", colors);
  }
  std::string name;
  int number = 0;
  int color = 0;
  int colors[kHexListSize] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XMLDocument doc;
  if (doc.Parse(reinterpret_cast<const char*>(data), size) != tinyxml2::XML_SUCCESS) return 0;
  XMLElement* root = doc.RootElement();
  if (!root) return 0;
  FuzzItem item;
  item.Load(root);
  item.Save(root, nullptr);
  std::string text;
  GetChildText(root, "Name", text);
  SplitString(text, ',');
  return 0;
}
