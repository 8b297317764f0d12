// The performance counter in milliseconds, for the timings the tests and benchmarks print.
// Header only: the start-up step timer links nothing of the test support.
#pragma once

#include <windows.h>

namespace driver {

inline double Milliseconds() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace driver
