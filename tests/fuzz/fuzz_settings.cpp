// Any bytes in Settings.xml: loading never crashes, and writing options back into a file
// that loaded leaves a file that loads again.
#include <cstddef>
#include <cstdint>

#include "docs/data_folder.h"
#include "docs/settings.h"
#include "fuzz_loader_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OverrideDataFolderForTesting(FuzzFolder());
  WriteFuzzFile(SettingsPath, data, size);
  CSettings settings;
  if (settings.Load() != 0) return 0;
  settings.SaveOption("WinPos");
  settings.SaveOption("CustColor");
  settings.SaveDisplayForms();
  settings.SaveDayDecoDef();
  CSettings again;
  if (again.Load() != 0) std::abort();
  return 0;
}
