// Helpers for tests that run the calendar's dialogs inside the test process: driving a modal
// dialog from inside its own loop, pumping messages, and counting what a dialog may leak.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace dialogs {

// Arms a timer of this thread: the next dialog window this thread shows after the call (one
// that was not there yet) is handed to drive, from inside the modal loop that runs it. drive
// should end the dialog by posting (BM_CLICK on OK or Cancel), so the loop ends after drive
// returns. Dialogs opened from drive can be driven by arming again first.
void DriveNextDialog(std::function<void(HWND dialog)> drive);
// True when every armed drive has run.
bool AllDriven();

// Dispatches the messages waiting in this thread's queue.
void Pump();

// Sets a control's text and tells its dialog, as typing would (EN_CHANGE follows WM_SETTEXT).
void Type(HWND dialog, int controlId, const std::string& text);
// Clicks a button of this thread's dialog and waits until the click has been handled.
void Click(HWND dialog, int controlId);
// Selects an item of a drop-down list and sends the selection change the user's pick would.
void ChooseCombo(HWND dialog, int controlId, int index);
// Selects a list-box line and sends the selection change.
void ChooseListLine(HWND dialog, int controlId, int index);

std::string Text(HWND dialog, int controlId);
std::string ComboText(HWND dialog, int controlId, int index);
int ComboCount(HWND dialog, int controlId);
int ComboSelection(HWND dialog, int controlId);
bool Enabled(HWND dialog, int controlId);
bool Checked(HWND dialog, int controlId);

// A hidden top-level window that owns the dialogs of a test.
HWND HiddenOwner();

// Shows a dialog, lets it paint and saves its screen area as NAME.bmp in the artifacts.
void Screenshot(HWND dialog, const std::wstring& name);

// GDI objects alive in this process. Under Wine every live object answers GetObjectType at
// its table index; GetGuiResources answers 0 there and could never show a leak.
int LiveGdiObjects();
// Windows of this process, top-level and children.
int LiveWindows();

}  // namespace dialogs
