// The folder of the running program, where the message program and the user's suspend and
// resume shortcuts lie.
#pragma once

#include <string>

// The folder with a trailing backslash; empty when the program's path cannot be read.
std::string ProgramFolder();
