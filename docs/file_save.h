// Every write of a user file goes through here: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and only then replace the target, so a crash or a
// full disk never leaves a half-written settings or memo file behind.
#pragma once

#include <cstddef>
#include <string>

bool SaveFileAtomically(const std::string& path, const char* data, size_t size);

// Renames an existing file to path + suffix; false when it could not be moved.
bool MoveFileAside(const std::string& path, const std::string& newPath);

bool FileExists(const std::string& path);
