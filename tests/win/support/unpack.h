// Unpacking the release archive for tests, the way a user's system would: Windows' own tar
// on Windows, Python's zipfile module on the Linux side under Wine (Wine has no zip folder).
#pragma once

#include <string>

namespace driver {

// A Linux path as Wine's drive mapping shows it, or the path itself on Windows.
std::string UnixPath(const std::wstring& windowsPath);
// Unpacks the zip archive into folder (created when missing); true when the tool succeeded.
bool UnpackZip(const std::wstring& archive, const std::wstring& folder);

}  // namespace driver
