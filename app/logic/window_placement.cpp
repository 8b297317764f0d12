#include "app/logic/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

// Edges in 64 bits: a position read from the file may lie near the ends of the int range.
struct Box {
  long long left, top, right, bottom;
};

Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

Box WindowBox(POINT topLeft, int width, int height) {
  // A window of no size still has to land on a screen; count it as one pixel.
  return Box{topLeft.x, topLeft.y, static_cast<long long>(topLeft.x) + std::max(width, 1),
             static_cast<long long>(topLeft.y) + std::max(height, 1)};
}

long long SharedArea(const Box& a, const Box& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Gap between two ranges on one axis, 0 when they overlap.
long long Gap(long long aStart, long long aEnd, long long bStart, long long bEnd) {
  if (aEnd <= bStart) return bStart - aEnd;
  if (bEnd <= aStart) return aStart - bEnd;
  return 0;
}

// Squared distance in doubles: the gaps of far-off positions would overflow when squared.
double Distance2(const Box& a, const Box& b) {
  const double dx = static_cast<double>(Gap(a.left, a.right, b.left, b.right));
  const double dy = static_cast<double>(Gap(a.top, a.bottom, b.top, b.bottom));
  return dx * dx + dy * dy;
}

// One axis: the least move of [start, start + size) into [low, high); the start wins when
// the range is too short.
long long FitAxis(long long start, long long size, long long low, long long high) {
  if (start + size > high) start = high - size;
  if (start < low) start = low;
  return start;
}

int Clamp32(long long value) {
  return static_cast<int>(std::min<long long>(std::max<long long>(value, INT32_MIN), INT32_MAX));
}

int NearestTo(const Box& window, const std::vector<MonitorArea>& monitors) {
  int best = -1;
  long long bestArea = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const long long area = SharedArea(window, ToBox(monitors[i].monitor));
    if (area > bestArea) {
      bestArea = area;
      best = static_cast<int>(i);
    }
  }
  if (best >= 0) return best;
  double bestDistance = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const double distance = Distance2(window, ToBox(monitors[i].monitor));
    if (best < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace

int NearestMonitor(const RECT& window, const std::vector<MonitorArea>& monitors) {
  return NearestTo(ToBox(window), monitors);
}

POINT FitIntoWorkArea(POINT topLeft, int width, int height, const RECT& work) {
  POINT fitted;
  fitted.x = Clamp32(FitAxis(topLeft.x, std::max(width, 1), work.left, work.right));
  fitted.y = Clamp32(FitAxis(topLeft.y, std::max(height, 1), work.top, work.bottom));
  return fitted;
}

POINT PlaceOnScreen(POINT topLeft, int width, int height, const std::vector<MonitorArea>& monitors) {
  const int nearest = NearestTo(WindowBox(topLeft, width, height), monitors);
  if (nearest < 0) return topLeft;
  return FitIntoWorkArea(topLeft, width, height, monitors[static_cast<size_t>(nearest)].work);
}

POINT TopRightPosition(const RECT& workArea, int width, bool ctrlHeld) {
  POINT corner;
  corner.x = ctrlHeld ? workArea.left : workArea.right - width;
  corner.y = workArea.top;
  return corner;
}
