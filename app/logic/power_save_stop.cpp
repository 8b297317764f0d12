#include "app/logic/power_save_stop.h"

namespace {

constexpr int64_t kCornerReachSquared = 256;

bool Near(int64_t value, int64_t edge) {
  const int64_t d = value - edge;
  return d * d <= kCornerReachSquared;
}

}  // namespace

bool InScreenCorner(int x, int y, const RECT& monitor) {
  return (Near(x, monitor.left) || Near(x, monitor.right)) &&
         (Near(y, monitor.top) || Near(y, monitor.bottom));
}

bool PowerSaveCheck(PowerSaveStop& stop, int secondOfDay, int x, int y,
                    const MonitorLookup& monitorAt) {
  if (!stop.enabled) return false;
  if (!stop.positionKnown || x != stop.lastX || y != stop.lastY) {
    stop.positionKnown = 1;
    RECT found;
    if (monitorAt(x, y, found)) stop.monitor = found;
    stop.inCorner = InScreenCorner(x, y, stop.monitor) ? 1 : 0;
    stop.lastX = x;
    stop.lastY = y;
  }
  if (!stop.inCorner) {
    stop.stamp = secondOfDay;
    return false;
  }
  // Counted round midnight, so a rest across 0:00 keeps its count.
  const int rested = ((secondOfDay - stop.stamp) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
  if (rested < kIdleResetSeconds) return false;
  stop.stamp = secondOfDay;
  return true;
}
