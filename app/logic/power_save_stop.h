// The power-saving stop: while the mouse pointer rests in a corner of a screen, the idle
// timers are reset about once a minute so that neither the screen saver nor power saving
// starts. The decisions live here; the tick reads the clock and the cursor and acts on them.
#pragma once

#include <cstdint>
#include <functional>

#include "docs/platform.h"

// Seconds the pointer has to rest in a corner before each reset of the idle timers.
constexpr int kIdleResetSeconds = 58;
constexpr int kSecondsPerDay = 86400;

struct PowerSaveStop {
  int32_t enabled = 0;
  int32_t lastX = 0;
  int32_t lastY = 0;
  int32_t inCorner = 0;
  // Second of the day of the last reset, or of the last check outside a corner.
  int32_t stamp = 0;
  // Rectangle of the monitor of the last tested position.
  RECT monitor = {0, 0, 0, 0};
  // 0 until a position was tested: a pointer resting at (0, 0) from the start is tested too.
  int32_t positionKnown = 0;
};

// Finds the monitor nearest to a screen point; false when there is none.
using MonitorLookup = std::function<bool(int x, int y, RECT& monitor)>;

// True within 16 pixels of a corner: the right and bottom edges lie one pixel beyond the
// monitor, so the zone is 17 columns (rows) wide at the left (top) and 16 at the right (bottom).
bool InScreenCorner(int x, int y, const RECT& monitor);

// One check of the tick at secondOfDay with the pointer at (x, y). The monitor is looked up
// only when the pointer moved. True when the idle timers are to be reset now.
bool PowerSaveCheck(PowerSaveStop& stop, int secondOfDay, int x, int y,
                    const MonitorLookup& monitorAt);
