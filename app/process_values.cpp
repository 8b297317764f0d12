// The values every part of the calendar shares, fixed while the program's static objects are
// constructed, before the entry point runs, in this order. They live in the library rather
// than beside the entry point so that test programs built on the library have them too.
#include <windows.h>

#include <string>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "resources/zanto_resource.h"

HINSTANCE AppInstance = GetModuleHandleA(nullptr);
// The product has no web site of its own yet; the reserved domain never leads anywhere else.
const char* const WebSiteAddress = "https://zanto.example/";
const std::string ProgramName = LoadResourceString(IDS_PROGRAM_NAME);
const std::string WindowClassName = LoadResourceString(IDS_WINDOW_CLASS);
const UINT TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
