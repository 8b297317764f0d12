#include "app/logic/drag_gesture.h"

namespace {

bool OutsideClient(POINT p, int clientWidth, int clientHeight) {
  return p.x < 0 || p.x > clientWidth || p.y < 0 || p.y > clientHeight;
}

long long DistanceSquared(POINT a, POINT b) {
  const long long dx = static_cast<long long>(a.x) - b.x;
  const long long dy = static_cast<long long>(a.y) - b.y;
  return dx * dx + dy * dy;
}

}  // namespace

PressAction OnLeftPress(DragFields fields, POINT press) {
  if (fields.state != DRAG_IDLE) {
    fields.state = DRAG_DRAGGING;
    return PressAction::KeepDragging;
  }
  fields.state = DRAG_PRESSED;
  fields.ticks = 0;
  fields.grab = press;
  return PressAction::StartHold;
}

HoldAction OnHoldTick(DragFields fields, bool buttonDown, POINT cursor, int clientWidth,
                      int clientHeight) {
  ++fields.ticks;
  if (fields.state == DRAG_DRAGGING) return HoldAction::FollowCursor;
  if (fields.state != DRAG_PRESSED) return HoldAction::None;
  if (!buttonDown) {
    fields.state = DRAG_IDLE;
    return HoldAction::Released;
  }
  // Outside the window the hold cannot be "still"; it counts again from where the cursor is.
  if (OutsideClient(cursor, clientWidth, clientHeight)) {
    fields.grab = cursor;
    fields.ticks = 0;
  }
  if (DistanceSquared(cursor, fields.grab) > kStillDistanceSquared) {
    fields.grab = cursor;
    fields.ticks = 0;
    return HoldAction::Restarted;
  }
  if (fields.ticks == kRaiseTicks) return HoldAction::Raise;
  if (fields.ticks == kMoveTicks) {
    fields.grab = cursor;
    fields.state = DRAG_DRAGGING;
    return HoldAction::BeginDrag;
  }
  return HoldAction::None;
}

ReleaseAction OnLeftRelease(int& state, bool modifierHeld) {
  const int was = state;
  state = DRAG_IDLE;
  if (was == DRAG_DRAGGING) return ReleaseAction::Drop;
  if (was != DRAG_PRESSED) return ReleaseAction::None;
  return modifierHeld ? ReleaseAction::ClickCycleBackMode : ReleaseAction::Click;
}
