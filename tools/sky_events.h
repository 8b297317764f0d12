// Instants of the sky events the Japanese calendar is built on: every new moon and every time
// the Sun's apparent ecliptic longitude reaches a given degree. Computed with ERFA, the IAU's
// standard astronomy routines; used on the host only, by the generator of the calendar's table.
#pragma once

#include <cstdint>
#include <vector>

namespace sky {

// TT - UT in seconds for a decimal year (Espenak and Meeus polynomial fits, 1860 ... 2150).
double DeltaT(double year);

// Apparent geocentric ecliptic longitudes of date, in degrees [0, 360), at a TT Julian date
// given in two parts (ERFA's convention: jd1 + jd2).
double SunLongitude(double jd1, double jd2);
double MoonLongitude(double jd1, double jd2);

struct SunEvent {
  int64_t utc;  // seconds since 1970-01-01 00:00 UTC
  int degree;
};

// New moons (UTC seconds since 1970, rounded to the second) from fromUtc to toUtc, in order.
std::vector<int64_t> NewMoons(int64_t fromUtc, int64_t toUtc);

// The instants at which the Sun's apparent longitude reaches one of the degrees, from fromUtc
// to toUtc, in order of time.
std::vector<SunEvent> SunEvents(const std::vector<int>& degrees, int64_t fromUtc, int64_t toUtc);

}  // namespace sky
