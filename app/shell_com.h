// COM on the calendar's thread, apartment-threaded as the shell wants it. ShellExecute may
// load shell extensions that need it, and the Startup shortcut is a shell link object. It is
// started at the first such use, so a start that opens nothing spends nothing on it.
#pragma once

void UseShellCom();
