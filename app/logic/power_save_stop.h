// State of the power-saving stop: whether it is on, where the cursor was at the last check,
// and when the idle timers were last reset.
#pragma once

#include <cstdint>

struct PowerSaveStop {
  int32_t enabled = 0;
  int32_t lastX = 0;
  int32_t lastY = 0;
  int32_t inCorner = 0;
  // Second of the day of the last reset, or of the last check outside a corner.
  int32_t stamp = 0;
};
