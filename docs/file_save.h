// Every write of a user file goes through here: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and only then replace the target, so a crash or a
// full disk never leaves a half-written settings or memo file behind.
#pragma once

#include <cstddef>
#include <string>

// A read-only target is left as it is and the save fails.
bool SaveFileAtomically(const std::string& path, const char* data, size_t size);

// Renames an existing file to path + suffix; false when it could not be moved.
bool MoveFileAside(const std::string& path, const std::string& newPath);

bool FileExists(const std::string& path);

// True for a name a save of this program gives its temporary file: the target's name, then
// ".tmp" and the saving process's id (digits only).
bool IsLeftoverTempName(const std::string& name);

// Deletes the temporary files an interrupted save left in folder (which ends in a separator);
// only names of the pattern above are touched. Returns the number of files deleted.
int RemoveLeftoverTempFiles(const std::string& folder);
