// The sky events the Japanese calendar is counted from, tabulated on the host by
// tools/koyomi_gen.cpp: every new moon and every instant at which the Sun's apparent ecliptic
// longitude reaches a multiple of 15 degrees or one of the degrees of the seasonal days
// (27, 80, 100, 117, 207, 297), October 1872 to February 2102. Instants are UTC seconds since
// 1970, stored as the first instant and the steps from each to the next.
#pragma once

#include <cstddef>
#include <cstdint>

namespace koyomi_table {

extern const int64_t kFirstNewMoon;
extern const size_t kNewMoonCount;
extern const uint32_t kNewMoonSteps[];

extern const int64_t kFirstSunEvent;
extern const size_t kSunEventCount;
extern const uint32_t kSunEventSteps[];
extern const uint16_t kSunEventDegrees[];

}  // namespace koyomi_table
