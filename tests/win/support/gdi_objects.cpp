#include "support/gdi_objects.h"

#include <windows.h>

#include <cstdint>

namespace driver {

int LiveGdiObjects() {
  int count = 0;
  for (uintptr_t index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

}  // namespace driver
