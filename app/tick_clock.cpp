// Kept alone in its file: a test build of the calendar links a clock of its own instead.
#include "app/tick_clock.h"

SYSTEMTIME ReadTickTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}
