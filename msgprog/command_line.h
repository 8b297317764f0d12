// The notification text Hoshiro is started with.
#pragma once

#include <string>
#include <string_view>

// Returns everything after the program's own name and the blanks that follow it.
// The name may be quoted or not; an unquoted full path containing spaces is recognised
// by comparing it with modulePath, the path this program was loaded from. Quotes inside
// the text are kept as they are.
std::wstring MessageText(std::wstring_view commandLine, std::wstring_view modulePath);
