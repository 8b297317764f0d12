#include "app/logic/window_placement.h"

namespace {

// Edges in 64 bits: a saved position read from the file may lie near the ends of the int range.
struct Box {
  long long left, top, right, bottom;
};

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool RectsOverlap(const RECT& a, const RECT& b) { return Overlap(ToBox(a), ToBox(b)); }

POINT StartPosition(POINT saved, int width, int height, const std::vector<RECT>& monitors,
                    const RECT& workArea, bool* moved) {
  if (moved) *moved = false;
  // Without any monitor to judge by, the saved position is as good as any.
  if (monitors.empty()) return saved;
  // A window of no size still has to land on a screen; count it as one pixel.
  const Box window = {saved.x, saved.y, static_cast<long long>(saved.x) + (width > 0 ? width : 1),
                      static_cast<long long>(saved.y) + (height > 0 ? height : 1)};
  for (const RECT& monitor : monitors) {
    if (Overlap(window, ToBox(monitor))) return saved;
  }
  if (moved) *moved = true;
  POINT corner;
  corner.x = workArea.right - width;
  corner.y = workArea.top;
  return corner;
}

POINT TopRightPosition(const RECT& workArea, int width, bool ctrlHeld) {
  POINT corner;
  corner.x = ctrlHeld ? 0 : workArea.right - width;
  corner.y = workArea.top;
  return corner;
}
