// Unpacking the release archive for tests, the way a user's system would: Windows' own tar
// on Windows, Python's zipfile module on the Linux side under Wine (Wine has no zip folder).
#pragma once

#include <string>

namespace driver {

// Unpacks the zip archive into folder (created when missing); true when the tool succeeded.
bool UnpackZip(const std::wstring& archive, const std::wstring& folder);

}  // namespace driver
