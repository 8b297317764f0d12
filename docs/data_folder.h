// Where the calendar keeps its files: the per-user data folder and the settings file in it.
// Both are fixed while the program's static objects are constructed, before the entry point
// runs, and never change afterwards in the program.
#pragma once

#include <string>

// The per-user roaming application data folder followed by "\Quor\Zanto\"; always ends in a
// path separator, so file names can simply be appended.
extern const std::string& DataFolder;
// DataFolder + "Settings.xml".
extern const std::string& SettingsPath;

// The data folder under a per-user base folder: base + "\\Quor\\Zanto\\" (with the host's
// separator on the host). Empty when the base is empty: a failed lookup must never turn into
// a folder at the root of the current drive.
std::string DataFolderUnder(const std::string& base);

// Points DataFolder (and SettingsPath with it) at another folder, which must end in a path
// separator. Only tests call this, to work in a folder of their own; the program never does.
void OverrideDataFolderForTesting(const std::string& folder);
