// The left-button gesture of the calendar window: a click, a press held still long enough to
// raise the window (16 ticks of the drag timer, 400 ms), held longer to pick it up and move it
// (40 ticks, 1 s). The functions work on the application object's own interaction fields
// (drag state, tick count, grab point) and tell the window what to do; they call no Win32.
#pragma once

#include "docs/platform.h"

// Values of CalendarApp::dragState.
enum DragStateValue : int {
  DRAG_IDLE = 0,
  DRAG_PRESSED = 1,
  DRAG_DRAGGING = 2,
};

// Ticks of the 25 ms drag timer.
constexpr int kRaiseTicks = 16;
constexpr int kMoveTicks = 40;
// A hold counts as still while the cursor stays within this squared distance of the grab point.
constexpr int kStillDistanceSquared = 35;

// The interaction fields the gesture works on, borrowed from their owner for one call.
struct DragFields {
  int& state;
  int& ticks;
  POINT& grab;
};

enum class PressAction {
  // A fresh press: start the drag timer and capture the mouse.
  StartHold,
  // A press while already pressed or dragging: the drag goes on.
  KeepDragging,
};

// WM_LBUTTONDOWN at a client point.
PressAction OnLeftPress(DragFields fields, POINT press);

enum class HoldAction {
  // Nothing to do on this tick.
  None,
  // Dragging: the window follows the cursor.
  FollowCursor,
  // The button went up without a WM_LBUTTONUP reaching us: release the capture, stop the timer.
  Released,
  // The cursor moved too far or left the window: the hold starts again from here.
  Restarted,
  // Held still for kRaiseTicks: bring the window forward.
  Raise,
  // Held still for kMoveTicks: the window is picked up and moves from now on.
  BeginDrag,
};

// One tick of the drag timer. The tick count grows in every state; cursor is in client
// coordinates.
HoldAction OnHoldTick(DragFields fields, bool buttonDown, POINT cursor, int clientWidth,
                      int clientHeight);

enum class ReleaseAction {
  // Released without a gesture in progress.
  None,
  // A plain click.
  Click,
  // A click with Ctrl, Shift or the right button held: the background mode changes.
  ClickCycleBackMode,
  // The end of a drag: the window is dropped where the cursor is.
  Drop,
};

// WM_LBUTTONUP; the state is idle afterwards whatever it was.
ReleaseAction OnLeftRelease(int& state, bool modifierHeld);
