// The press-and-hold gesture of the calendar window, driven tick by tick as the 25 ms drag
// timer would drive it.
#include <gtest/gtest.h>

#include <vector>

#include "app/logic/drag_gesture.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 180;

POINT Pt(int x, int y) {
  POINT p;
  p.x = x;
  p.y = y;
  return p;
}

// The interaction fields of the application object and the actions the window was asked for.
struct Window {
  int state = DRAG_IDLE;
  int ticks = 0;
  POINT grab = Pt(0, 0);
  std::vector<HoldAction> actions;

  DragFields Fields() { return DragFields{state, ticks, grab}; }
  PressAction Press(int x, int y) { return OnLeftPress(Fields(), Pt(x, y)); }
  HoldAction Tick(int x, int y, bool down = true) {
    HoldAction action = OnHoldTick(Fields(), down, Pt(x, y), kWidth, kHeight);
    actions.push_back(action);
    return action;
  }
  void HoldStill(int count, int x, int y) {
    for (int i = 0; i < count; ++i) Tick(x, y);
  }
  int CountOf(HoldAction action) const {
    int n = 0;
    for (HoldAction a : actions) n += a == action;
    return n;
  }
};

TEST(Gesture, PressStartsHoldAtPressPoint) {
  Window w;
  w.ticks = 7;
  EXPECT_EQ(w.Press(50, 60), PressAction::StartHold);
  EXPECT_EQ(w.state, DRAG_PRESSED);
  EXPECT_EQ(w.ticks, 0);
  EXPECT_EQ(w.grab.x, 50);
  EXPECT_EQ(w.grab.y, 60);
}

TEST(Gesture, SecondPressWhilePressedOrDraggingDrags) {
  Window w;
  w.Press(50, 60);
  EXPECT_EQ(w.Press(70, 80), PressAction::KeepDragging);
  EXPECT_EQ(w.state, DRAG_DRAGGING);
  EXPECT_EQ(w.grab.x, 50) << "the grab point stays where the first press was";
  EXPECT_EQ(w.Press(70, 80), PressAction::KeepDragging);
  EXPECT_EQ(w.state, DRAG_DRAGGING);
}

TEST(Gesture, QuickClickNeitherRaisesNorMoves) {
  Window w;
  w.Press(50, 60);
  w.HoldStill(kRaiseTicks - 1, 50, 60);
  EXPECT_EQ(w.CountOf(HoldAction::Raise), 0);
  EXPECT_EQ(OnLeftRelease(w.state, false), ReleaseAction::Click);
  EXPECT_EQ(w.state, DRAG_IDLE);
  EXPECT_EQ(w.Tick(50, 60, false), HoldAction::None) << "an idle timer tick does nothing";
}

TEST(Gesture, HoldingStillRaisesAt16AndPicksUpAt40) {
  Window w;
  w.Press(50, 60);
  for (int tick = 1; tick <= kMoveTicks; ++tick) {
    HoldAction action = w.Tick(51, 61);  // within the still distance
    if (tick == kRaiseTicks) {
      EXPECT_EQ(action, HoldAction::Raise);
    } else if (tick == kMoveTicks) {
      EXPECT_EQ(action, HoldAction::BeginDrag);
    } else {
      EXPECT_EQ(action, HoldAction::None) << "tick " << tick;
    }
  }
  EXPECT_EQ(w.state, DRAG_DRAGGING);
  EXPECT_EQ(w.grab.x, 51) << "picked up where the cursor is at the 40th tick";
  EXPECT_EQ(w.grab.y, 61);
  EXPECT_EQ(w.Tick(300, 400), HoldAction::FollowCursor);
  EXPECT_EQ(w.Tick(-30, -40), HoldAction::FollowCursor) << "dragging goes on outside the window";
  EXPECT_EQ(OnLeftRelease(w.state, true), ReleaseAction::Drop)
      << "a drop is a drop even with a modifier held";
  EXPECT_EQ(w.state, DRAG_IDLE);
}

TEST(Gesture, StillDistanceIsSquareRootOf35) {
  // 5*5 + 3*3 = 34 and 6*6 = 36: the first is still, the second restarts.
  Window w;
  w.Press(50, 60);
  w.HoldStill(10, 50, 60);
  EXPECT_EQ(w.Tick(55, 63), HoldAction::None);
  EXPECT_EQ(w.ticks, 11);
  EXPECT_EQ(w.Tick(56, 60), HoldAction::Restarted);
  EXPECT_EQ(w.ticks, 0);
  EXPECT_EQ(w.grab.x, 56);
  EXPECT_EQ(w.grab.y, 60);
}

TEST(Gesture, MovingDuringHoldRestartsTheCount) {
  Window w;
  w.Press(50, 60);
  w.HoldStill(15, 50, 60);
  w.Tick(60, 60);  // restart one tick before the raise
  w.HoldStill(15, 60, 60);
  EXPECT_EQ(w.CountOf(HoldAction::Raise), 0);
  EXPECT_EQ(w.Tick(60, 60), HoldAction::Raise) << "16 still ticks after the restart";
  // Slow creeping counts from each new grab point, so a steady slide never picks the window up.
  for (int i = 1; i <= 60; ++i) w.Tick(60 + 3 * i, 60);
  EXPECT_EQ(w.CountOf(HoldAction::BeginDrag), 0);
  EXPECT_EQ(w.state, DRAG_PRESSED);
}

TEST(Gesture, CursorOutsideTheWindowKeepsResettingTheHold) {
  Window w;
  w.Press(5, 5);
  for (int i = 0; i < 50; ++i) w.Tick(-1, 5);  // held still, but just left of the window
  EXPECT_EQ(w.CountOf(HoldAction::Raise), 0);
  EXPECT_EQ(w.CountOf(HoldAction::BeginDrag), 0);
  EXPECT_EQ(w.ticks, 0);
  // The edges themselves belong to the window.
  Window edge;
  edge.Press(kWidth, kHeight);
  edge.HoldStill(kRaiseTicks, kWidth, kHeight);
  EXPECT_EQ(edge.actions.back(), HoldAction::Raise);
}

TEST(Gesture, ButtonUpSeenByTimerEndsTheHold) {
  Window w;
  w.Press(50, 60);
  w.HoldStill(5, 50, 60);
  EXPECT_EQ(w.Tick(50, 60, false), HoldAction::Released);
  EXPECT_EQ(w.state, DRAG_IDLE);
  EXPECT_EQ(OnLeftRelease(w.state, false), ReleaseAction::None);
}

TEST(Gesture, ClickWithModifierCyclesBackMode) {
  Window w;
  w.Press(50, 60);
  w.HoldStill(3, 50, 60);
  EXPECT_EQ(OnLeftRelease(w.state, true), ReleaseAction::ClickCycleBackMode);
  EXPECT_EQ(w.state, DRAG_IDLE);
  // The same modifier on a release with nothing pressed is not a click.
  EXPECT_EQ(OnLeftRelease(w.state, true), ReleaseAction::None);
}

TEST(Gesture, MoveCommandDragsFromTheCentre) {
  // "移動" sets the fields directly; the timer then only follows the cursor.
  Window w;
  w.state = DRAG_DRAGGING;
  w.ticks = 0;
  w.grab = Pt(kWidth / 2, kHeight / 2);
  EXPECT_EQ(w.Tick(900, 20), HoldAction::FollowCursor);
  EXPECT_EQ(w.Press(10, 10), PressAction::KeepDragging);
  EXPECT_EQ(OnLeftRelease(w.state, false), ReleaseAction::Drop);
}

}  // namespace
