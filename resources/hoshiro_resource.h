// Resource ids of the message program (Hoshiro.exe).
#pragma once

#define IDD_MESSAGE 107       // the message dialog
#define IDI_HOSHIRO 107       // the program's own icon
#define IDC_MESSAGE_TEXT 1000 // read-only text area holding the notification
#define IDC_MESSAGE_ICON 1001 // the information icon left of the text
