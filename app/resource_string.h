// Texts of the program's string table, in the ANSI code page.
#pragma once

#include <string>

// The string-table entry id of the running program; empty when there is none.
std::string LoadResourceString(unsigned id);
