#include "app/resource_string.h"

#include <windows.h>

#include "app/calendar_app.h"

std::string LoadResourceString(unsigned id) {
  // The longest entry (the power-saving notice) is under 200 bytes.
  char text[1024] = "";
  const int length = LoadStringA(AppInstance, id, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}
