// Counts the GDI objects alive in this process. Wine answers 0 to GetGuiResources, so the
// count walks the handle table instead: under Wine, GetObjectType of a table index is non-zero
// exactly for the objects alive. A Wine-only technique, kept in the tests.
#pragma once

namespace driver {

int LiveGdiObjects();

}  // namespace driver
