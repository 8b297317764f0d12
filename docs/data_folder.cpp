#include "docs/data_folder.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <cstdlib>
#endif

namespace {

#ifdef _WIN32

constexpr char kSeparator = '\\';

std::string ComputeDataFolder() {
  char base[MAX_PATH] = "";
  // The folder is not created here; start-up creates the whole chain on first use.
  if (!SHGetSpecialFolderPathA(nullptr, base, CSIDL_APPDATA, FALSE)) return std::string();
  return DataFolderUnder(base);
}

#else

constexpr char kSeparator = '/';

// The host build has no roaming profile; the nearest equivalent is the user's data folder.
std::string ComputeDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data) return DataFolderUnder(data);
  const char* home = std::getenv("HOME");
  return DataFolderUnder(std::string(home ? home : ".") + "/.local/share");
}

#endif

struct DataPaths {
  DataPaths() { SetFolder(ComputeDataFolder()); }
  void SetFolder(const std::string& dataFolder) {
    folder = dataFolder;
    settings = folder.empty() ? folder : folder + "Settings.xml";
  }
  std::string folder;
  std::string settings;
};

DataPaths paths;

}  // namespace

std::string DataFolderUnder(const std::string& base) {
  if (base.empty()) return base;
  const std::string s(1, kSeparator);
  return base + s + "Quor" + s + "Zanto" + s;
}

const std::string& DataFolder = paths.folder;
const std::string& SettingsPath = paths.settings;

void OverrideDataFolderForTesting(const std::string& folder) { paths.SetFolder(folder); }
