#include "docs/data_folder.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <cstdlib>
#endif

namespace {

#ifdef _WIN32

std::string ComputeDataFolder() {
  char base[MAX_PATH] = "";
  // The folder is not created here; start-up creates the whole chain on first use.
  SHGetSpecialFolderPathA(nullptr, base, CSIDL_APPDATA, FALSE);
  return std::string(base) + "\\Quor\\Zanto\\";
}

#else

// The host build has no roaming profile; the nearest equivalent is the user's data folder.
std::string ComputeDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data) return std::string(data) + "/Quor/Zanto/";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.local/share/Quor/Zanto/";
}

#endif

struct DataPaths {
  DataPaths() { SetFolder(ComputeDataFolder()); }
  void SetFolder(const std::string& dataFolder) {
    folder = dataFolder;
    settings = folder + "Settings.xml";
  }
  std::string folder;
  std::string settings;
};

DataPaths paths;

}  // namespace

const std::string& DataFolder = paths.folder;
const std::string& SettingsPath = paths.settings;

void OverrideDataFolderForTesting(const std::string& folder) { paths.SetFolder(folder); }
