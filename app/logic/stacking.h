// Where the calendar stands in the window stack. With "AlwaysBottom" it goes to the bottom
// whenever the program is activated or deactivated, and after a deactivation every z-order
// change is turned into "bottom" until the user asks for a raise. The same activation change
// starts or cancels the automatic return to the current month ("AutoDisplayNow").
#pragma once

// Number of 2-second ticks that make up the given seconds of "AutoDisplayNow":
// (seconds * 1000 - 1000) / 2000 + 1, so 60 seconds give 30 ticks. 0 when the return is off.
int AutoReturnTicks(int autoDisplayNowSeconds);

struct ActivationInput {
  bool active = false;
  int alwaysBottom = 0;
  int autoDisplayNow = 0;
  // The shown month is the month of the home date.
  bool showsHomeMonth = true;
  // The main window is disabled while a modal dialog runs.
  bool windowEnabled = true;
};

struct ActivationStep {
  // Move the window to the bottom of the stack (without activating it when deactivated).
  bool sendToBottom = false;
  bool hideProbe = false;
};

// WM_ACTIVATEAPP; updates keepAtBottom and autoReturnTicks of the application object.
ActivationStep OnAppActivation(const ActivationInput& input, int& keepAtBottom,
                               int& autoReturnTicks);

// True when a z-order change of the main window must be turned into "bottom".
bool PinnedToBottom(int alwaysBottom, int keepAtBottom);
