// Helpers for tests that run the calendar's dialogs in the test process: driving a modal
// dialog from inside its loop, operating controls as a user would, counting what may leak.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/gdi_objects.h"

namespace dialogs {

// The next dialog this thread shows is handed to drive from inside the loop that runs it.
// drive ends it by posting; a dialog opened from drive is driven by arming again first.
void DriveNextDialog(std::function<void(HWND dialog)> drive);
bool AllDriven();

// Typing (EN_CHANGE follows), clicking, and picking a list or combo line with the selection
// change a user's pick sends.
void Type(HWND dialog, int controlId, const std::string& text);
void Click(HWND dialog, int controlId);
void Choose(HWND dialog, int controlId, int index);

std::string Text(HWND dialog, int controlId);
std::string ComboText(HWND dialog, int controlId, int index);
int Selection(HWND dialog, int controlId);
bool Enabled(HWND dialog, int controlId);

// A hidden top-level window that owns the dialogs of a test.
HWND HiddenOwner();
// Shows the dialog, lets it paint and saves its screen area as NAME.bmp in the artifacts.
void Screenshot(HWND dialog, const std::wstring& name);

// Live GDI objects of the process, counted the Wine way (every live object answers
// GetObjectType at its table index; GetGuiResources answers 0 under Wine), and windows.
using driver::LiveGdiObjects;
int LiveWindows();

}  // namespace dialogs
